// Renders the program's picture, as the window and the tray paint it, to the
// files of the hicolor icon theme: a PNG at each size given and one SVG. Run
// by the build, so the menu icon is never a second drawing that drifts from
// the one the program shows.
//
//   zarnek-render-icon OUTDIR NAME SIZE...
// writes OUTDIR/hicolor/SIZExSIZE/apps/NAME.png for each SIZE and
// OUTDIR/hicolor/scalable/apps/NAME.svg.

#include "app/shell/icons.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cstdio>
#include <string>

namespace {

constexpr int kGrid = 16;  // the picture is drawn on a 16 by 16 grid

bool fail(const QString& what)
{
    std::fprintf(stderr, "zarnek-render-icon: %s\n", qUtf8Printable(what));
    return false;
}

QString themeFile(const QString& root, const QString& sizeFolder, const QString& fileName)
{
    return root + QStringLiteral("/hicolor/") + sizeFolder + QStringLiteral("/apps/") + fileName;
}

bool makeFolderFor(const QString& file)
{
    const QString folder = QFileInfo(file).path();
    return QDir().mkpath(folder) || fail(QStringLiteral("cannot create ") + folder);
}

bool writePng(const QString& file, int size)
{
    if (!makeFolderFor(file))
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / double(kGrid), size / double(kGrid));
    paintProgramPicture(painter);
    painter.end();
    return image.save(file, "PNG") || fail(QStringLiteral("cannot write ") + file);
}

// Qt writes the nominal size in millimetres and a font on every group, with
// size -1, although the picture has no text; SVG loaders (Qt's own among
// them) warn about that font. The icon gets a size in pixels and no font.
bool tidySvg(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read ") + file);
    QString text = QString::fromUtf8(in.readAll());
    in.close();
    text.replace(QRegularExpression(QStringLiteral(R"re(<svg width="[^"]*" height="[^"]*")re")),
                 QStringLiteral(R"(<svg width="256" height="256")"));
    text.remove(QRegularExpression(QStringLiteral(R"re(\s*font-family="[^"]*" font-size="[^"]*" font-weight="[^"]*" font-style="[^"]*")re")));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit())
        return fail(QStringLiteral("cannot write ") + file);
    return true;
}

bool writeSvg(const QString& file, const QString& title)
{
    if (!makeFolderFor(file))
        return false;
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setTitle(title);
    // The grid is the view box, so the file keeps the picture's own
    // coordinates; the nominal size is the largest PNG's.
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, kGrid, kGrid));
    QPainter painter;
    if (!painter.begin(&svg))
        return fail(QStringLiteral("cannot write ") + file);
    painter.setRenderHint(QPainter::Antialiasing);
    paintProgramPicture(painter);
    painter.end();
    return tidySvg(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: zarnek-render-icon OUTDIR NAME SIZE...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const std::string text = argv[i];
        std::size_t used = 0;
        int size = 0;
        try {
            size = std::stoi(text, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used != text.size() || size < 1 || size > 4096) {
            std::fprintf(stderr, "zarnek-render-icon: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString folder = QStringLiteral("%1x%1").arg(size);
        if (!writePng(themeFile(root, folder, name + QStringLiteral(".png")), size))
            return 1;
    }
    if (!writeSvg(themeFile(root, QStringLiteral("scalable"), name + QStringLiteral(".svg")), name))
        return 1;
    return 0;
}
