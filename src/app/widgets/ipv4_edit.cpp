#include "app/widgets/ipv4_edit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

namespace {

constexpr int kFields = 4;

// Digits only, at most three, and never above 255.
QString boundedOctet(const QString& typed)
{
    QString digits;
    for (QChar c : typed) {
        if (c.isDigit() && c.unicode() < 128)
            digits.append(c);
        if (digits.size() == 3)
            break;
    }
    if (!digits.isEmpty() && digits.toInt() > 255)
        return QStringLiteral("255");
    return digits;
}

}  // namespace

IPv4Edit::IPv4Edit(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("2558"));
    for (int i = 0; i < kFields; ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("octet%1").arg(i + 1));
        field->setAccessibleName(QStringLiteral("Octet %1").arg(i + 1));
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setFixedWidth(width);
        field->installEventFilter(this);
        m_fields[static_cast<std::size_t>(i)] = field;
        if (i > 0)
            row->addWidget(new QLabel(QStringLiteral("."), this));
        row->addWidget(field);

        connect(field, &QLineEdit::textEdited, this, [this, i](const QString& typed) { fieldEdited(i, typed); });
        connect(field, &QLineEdit::textChanged, this, &IPv4Edit::emitIfChanged);
        // "010" reads as 10; show it so once the user leaves the field.
        connect(field, &QLineEdit::editingFinished, this, [field] {
            if (!field->text().isEmpty() && field->text() != QString::number(field->text().toInt()))
                field->setText(QString::number(field->text().toInt()));
        });
    }
    row->addStretch();
    setFocusProxy(m_fields[0]);
    setFocusPolicy(Qt::StrongFocus);
}

int IPv4Edit::octet(int index) const
{
    if (index < 0 || index >= kFields)
        return 0;
    return m_fields[static_cast<std::size_t>(index)]->text().toInt();  // empty gives 0
}

std::array<int, 4> IPv4Edit::octets() const { return {octet(0), octet(1), octet(2), octet(3)}; }

QString IPv4Edit::text() const
{
    bool anySet = false;
    for (const QLineEdit* field : m_fields)
        anySet = anySet || !field->text().isEmpty();
    if (!anySet)
        return {};
    return QStringLiteral("%1.%2.%3.%4").arg(octet(0)).arg(octet(1)).arg(octet(2)).arg(octet(3));
}

void IPv4Edit::setText(const QString& address)
{
    m_settingAll = true;
    const QStringList parts = address.split(QLatin1Char('.'));
    for (int i = 0; i < kFields; ++i) {
        const QString part = i < parts.size() ? parts[i].trimmed() : QString();
        bool number = false;
        const int value = part.toInt(&number);
        m_fields[static_cast<std::size_t>(i)]->setText(number && value >= 0 ? boundedOctet(QString::number(value))
                                                                           : QString());
    }
    m_settingAll = false;
    emitIfChanged();
}

void IPv4Edit::setOctets(const std::array<int, 4>& values)
{
    m_settingAll = true;
    for (int i = 0; i < kFields; ++i) {
        const int value = values[static_cast<std::size_t>(i)];
        m_fields[static_cast<std::size_t>(i)]->setText(QString::number(value < 0 ? 0 : value > 255 ? 255 : value));
    }
    m_settingAll = false;
    emitIfChanged();
}

void IPv4Edit::clear()
{
    setText(QString());
}

int IPv4Edit::indexOf(QObject* field) const
{
    for (int i = 0; i < kFields; ++i)
        if (m_fields[static_cast<std::size_t>(i)] == field)
            return i;
    return -1;
}

void IPv4Edit::focusField(int index, bool atEnd)
{
    QLineEdit* field = m_fields[static_cast<std::size_t>(index)];
    field->setFocus(Qt::OtherFocusReason);
    if (atEnd)
        field->end(false);
    else
        field->selectAll();
}

void IPv4Edit::fieldEdited(int index, const QString& typed)
{
    QLineEdit* field = m_fields[static_cast<std::size_t>(index)];
    if (typed.contains(QLatin1Char('.'))) {
        fillFrom(index, typed);
        return;
    }
    const QString bounded = boundedOctet(typed);
    if (bounded != typed)
        field->setText(bounded);
    if (bounded.size() == 3 && field->cursorPosition() == bounded.size() && index + 1 < kFields)
        focusField(index + 1, false);
}

// A dotted address typed or pasted into one field spreads over it and the
// fields after it; parts beyond the last field are dropped.
void IPv4Edit::fillFrom(int index, const QString& dotted)
{
    m_settingAll = true;
    const QStringList parts = dotted.split(QLatin1Char('.'));
    int last = index;
    for (int i = 0; i < parts.size() && index + i < kFields; ++i) {
        last = index + i;
        m_fields[static_cast<std::size_t>(last)]->setText(boundedOctet(parts[i]));
    }
    m_settingAll = false;
    emitIfChanged();
    focusField(last, true);
}

bool IPv4Edit::eventFilter(QObject* watched, QEvent* event)
{
    const int index = indexOf(watched);
    if (index < 0 || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    QLineEdit* field = m_fields[static_cast<std::size_t>(index)];
    const bool noSelection = !field->hasSelectedText();
    const bool atStart = noSelection && field->cursorPosition() == 0;
    const bool atEnd = noSelection && field->cursorPosition() == field->text().size();

    switch (key->key()) {
    case Qt::Key_Period:
        // Only from a field with something in it, so that the dot a user
        // types out of habit after three digits (which already moved on)
        // does not skip a field.
        if (index + 1 < kFields && !field->text().isEmpty())
            focusField(index + 1, false);
        return true;
    case Qt::Key_Backspace:
        if (field->text().isEmpty() && index > 0) {
            focusField(index - 1, true);
            return true;
        }
        break;
    case Qt::Key_Left:
        if (atStart && index > 0 && key->modifiers() == Qt::NoModifier) {
            focusField(index - 1, true);
            return true;
        }
        break;
    case Qt::Key_Right:
        if (atEnd && index + 1 < kFields && key->modifiers() == Qt::NoModifier) {
            m_fields[static_cast<std::size_t>(index + 1)]->setFocus(Qt::OtherFocusReason);
            m_fields[static_cast<std::size_t>(index + 1)]->setCursorPosition(0);
            return true;
        }
        break;
    default:
        break;
    }

    const QString typed = key->text();
    if (typed.size() == 1 && typed[0].isPrint() && !(key->modifiers() & Qt::ControlModifier)) {
        if (!typed[0].isDigit())
            return true;  // letters and signs have no place in an address
        // A digit after a full field goes on into the next one.
        if (field->text().size() >= 3 && atEnd && index + 1 < kFields) {
            focusField(index + 1, false);
            QKeyEvent again(key->type(), key->key(), key->modifiers(), key->text());
            QCoreApplication::sendEvent(m_fields[static_cast<std::size_t>(index + 1)], &again);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void IPv4Edit::emitIfChanged()
{
    const QString now = text();
    if (m_settingAll || now == m_lastText)
        return;
    m_lastText = now;
    emit textChanged(now);
}
