#include "display/display_text.h"

#include <QStringDecoder>

QString displayText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(view);
}

std::string wireText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
