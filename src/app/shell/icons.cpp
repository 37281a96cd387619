#include "app/shell/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

// Every picture is drawn on a 16 by 16 grid and scaled.
using Picture = std::function<void(QPainter&)>;

QIcon render(const Picture& picture, std::initializer_list<int> sizes = {16, 32, 64})
{
    QIcon icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        picture(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen pen(const QColor& color, qreal width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void tile(QPainter& p, const QColor& fill, const QColor& edge)
{
    p.setPen(pen(edge, 0.8));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.6, 0.6, 14.8, 14.8), 2.5, 2.5);
}

// A crouching soldier with a rifle, in one colour.
void soldier(QPainter& p, const QColor& ink)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(6.0, 2.2, 4.0, 4.0));              // head
    p.drawChord(QRectF(5.4, 1.6, 5.2, 3.6), 0, 180 * 16);   // helmet brim
    QPainterPath body;
    body.moveTo(3.6, 14.6);
    body.lineTo(4.6, 9.2);
    body.quadTo(8.0, 6.2, 11.4, 9.2);
    body.lineTo(12.4, 14.6);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(pen(ink, 1.4));
    p.drawLine(QPointF(2.2, 11.6), QPointF(13.8, 6.4));      // rifle
}

void lambda(QPainter& p, const QColor& ink, qreal width, qreal scale = 1.0, QPointF at = {})
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(QPen(ink, width / scale, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(4.6, 3.2);
    path.lineTo(6.8, 3.2);
    path.lineTo(11.8, 12.8);
    p.drawPath(path);
    p.drawLine(QPointF(8.4, 6.9), QPointF(4.4, 12.8));
    p.restore();
}

void monitor(QPainter& p, const QColor& screen, bool textLines)
{
    p.setPen(pen(QColor(0x30, 0x30, 0x30), 0.8));
    p.setBrush(QColor(0x9a, 0x9a, 0x9a));
    p.drawRoundedRect(QRectF(1.0, 1.8, 14.0, 10.2), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(2.4, 3.2, 11.2, 7.4));
    if (textLines) {
        p.setPen(pen(QColor(0x20, 0x40, 0x70), 1.0));
        p.drawLine(QPointF(3.8, 5.2), QPointF(11.0, 5.2));
        p.drawLine(QPointF(3.8, 7.4), QPointF(9.0, 7.4));
    } else {
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawPolygon(QPolygonF({QPointF(2.4, 3.2), QPointF(8.0, 3.2), QPointF(2.4, 8.0)}));
    }
    p.setPen(pen(QColor(0x30, 0x30, 0x30), 0.8));
    p.setBrush(QColor(0x70, 0x70, 0x70));
    p.drawRect(QRectF(6.6, 12.0, 2.8, 1.6));
    p.drawRoundedRect(QRectF(4.0, 13.6, 8.0, 1.6), 0.6, 0.6);
}

void person(QPainter& p, const QColor& ink, QPointF at = {}, qreal scale = 1.0)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(pen(ink.darker(160), 0.7));
    p.setBrush(ink);
    p.drawEllipse(QRectF(5.3, 1.4, 5.4, 5.4));
    QPainterPath body;
    body.moveTo(2.6, 15.0);
    body.quadTo(2.6, 8.0, 8.0, 8.0);
    body.quadTo(13.4, 8.0, 13.4, 15.0);
    body.closeSubpath();
    p.drawPath(body);
    p.restore();
}

const Picture kServerList[18] = {
    // 0 black soldier on white
    [](QPainter& p) { tile(p, Qt::white, QColor(0x80, 0x80, 0x80)); soldier(p, Qt::black); },
    // 1 soldier on gold
    [](QPainter& p) { tile(p, QColor(0xe0, 0xb0, 0x20), QColor(0x8a, 0x66, 0x00)); soldier(p, QColor(0x20, 0x18, 0x00)); },
    // 2 orange lambda on black
    [](QPainter& p) { tile(p, QColor(0x10, 0x10, 0x10), Qt::black); lambda(p, QColor(0xff, 0x8c, 0x00), 2.0); },
    // 3 Source emblem: dark blue disc, light ring, sight
    [](QPainter& p) {
        p.setPen(pen(QColor(0x0b, 0x16, 0x3a), 0.8));
        p.setBrush(QColor(0x1c, 0x32, 0x78));
        p.drawEllipse(QRectF(0.8, 0.8, 14.4, 14.4));
        p.setPen(pen(QColor(0xa8, 0xc4, 0xf0), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(4.0, 4.0, 8.0, 8.0));
        p.setPen(pen(Qt::white, 1.2));
        p.drawLine(QPointF(8, 2.4), QPointF(8, 5.6));
        p.drawLine(QPointF(8, 10.4), QPointF(8, 13.6));
        p.drawLine(QPointF(2.4, 8), QPointF(5.6, 8));
        p.drawLine(QPointF(10.4, 8), QPointF(13.6, 8));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0x9a, 0x20));
        p.drawEllipse(QRectF(6.9, 6.9, 2.2, 2.2));
    },
    // 4 blue monitor screen (relay)
    [](QPainter& p) { monitor(p, QColor(0x2a, 0x6e, 0xe0), false); },
    // 5 orange lambda in a circle
    [](QPainter& p) {
        p.setPen(pen(QColor(0xf0, 0x78, 0x00), 1.6));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1.0, 1.0, 14.0, 14.0));
        lambda(p, QColor(0xf0, 0x78, 0x00), 1.8, 0.72, QPointF(2.3, 2.3));
    },
    // 6 teal gem on a bar (demo playback)
    [](QPainter& p) {
        p.setPen(pen(QColor(0x00, 0x60, 0x60), 0.8));
        p.setBrush(QColor(0x20, 0xc0, 0xb8));
        p.drawPolygon(QPolygonF({QPointF(8, 1.2), QPointF(13, 6.2), QPointF(8, 11.2), QPointF(3, 6.2)}));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 140));
        p.drawPolygon(QPolygonF({QPointF(8, 1.2), QPointF(10.5, 3.7), QPointF(8, 6.2), QPointF(5.5, 3.7)}));
        p.setPen(pen(QColor(0x40, 0x40, 0x40), 0.8));
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRoundedRect(QRectF(1.4, 12.0, 13.2, 2.8), 0.8, 0.8);
    },
    // 7 globe
    [](QPainter& p) {
        p.setPen(pen(QColor(0x10, 0x40, 0x80), 0.8));
        p.setBrush(QColor(0x40, 0x90, 0xe0));
        p.drawEllipse(QRectF(1.0, 1.0, 14.0, 14.0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0xa0, 0x40));
        QPainterPath land;
        land.moveTo(4.0, 4.0);
        land.quadTo(7.5, 2.5, 8.0, 5.5);
        land.quadTo(6.5, 8.5, 4.0, 8.0);
        land.quadTo(2.4, 6.0, 4.0, 4.0);
        land.moveTo(9.5, 8.0);
        land.quadTo(13.5, 7.0, 13.0, 10.0);
        land.quadTo(11.0, 13.5, 9.5, 12.0);
        land.quadTo(8.5, 10.0, 9.5, 8.0);
        p.drawPath(land);
        p.setPen(pen(QColor(255, 255, 255, 150), 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5.0, 1.0, 6.0, 14.0));
        p.drawLine(QPointF(1.0, 8.0), QPointF(15.0, 8.0));
    },
    // 8 green tick
    [](QPainter& p) {
        p.setPen(pen(QColor(0x10, 0x60, 0x10), 3.4));
        QPainterPath tick;
        tick.moveTo(3.0, 8.4);
        tick.lineTo(6.6, 12.0);
        tick.lineTo(13.0, 3.6);
        p.drawPath(tick);
        p.setPen(pen(QColor(0x30, 0xc0, 0x30), 2.0));
        p.drawPath(tick);
    },
    // 9 red cross
    [](QPainter& p) {
        for (const auto& [colour, width] : {std::pair{QColor(0x80, 0x00, 0x00), 3.6}, std::pair{QColor(0xe8, 0x20, 0x20), 2.2}}) {
            p.setPen(pen(colour, width));
            p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
            p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        }
    },
    // 10 yellow padlock
    [](QPainter& p) {
        p.setPen(pen(QColor(0x70, 0x70, 0x70), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.6, 1.4, 6.8, 8.0), 0, 180 * 16);
        p.drawLine(QPointF(4.6, 5.4), QPointF(4.6, 7.4));
        p.drawLine(QPointF(11.4, 5.4), QPointF(11.4, 7.4));
        p.setPen(pen(QColor(0x8a, 0x66, 0x00), 0.8));
        p.setBrush(QColor(0xf8, 0xcc, 0x10));
        p.drawRoundedRect(QRectF(2.6, 7.0, 10.8, 7.8), 1.2, 1.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x50, 0x3c, 0x00));
        p.drawEllipse(QRectF(7.0, 9.0, 2.0, 2.0));
        p.drawRect(QRectF(7.5, 10.4, 1.0, 2.6));
    },
    // 11 player figure
    [](QPainter& p) { person(p, QColor(0x40, 0x80, 0x40)); },
    // 12 not shown anywhere: a plain grey disc
    [](QPainter& p) {
        p.setPen(pen(QColor(0x60, 0x60, 0x60), 0.8));
        p.setBrush(QColor(0xc0, 0xc0, 0xc0));
        p.drawEllipse(QRectF(3.0, 3.0, 10.0, 10.0));
    },
    // 13 Windows flag
    [](QPainter& p) {
        p.setPen(Qt::NoPen);
        const QColor colours[4] = {QColor(0xf0, 0x40, 0x20), QColor(0x60, 0xb0, 0x20),
                                   QColor(0x10, 0x90, 0xe0), QColor(0xf8, 0xc0, 0x00)};
        const QRectF cells[4] = {{1.5, 1.5, 6.0, 6.0}, {8.5, 1.5, 6.0, 6.0},
                                 {1.5, 8.5, 6.0, 6.0}, {8.5, 8.5, 6.0, 6.0}};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(cells[i]);
        }
    },
    // 14 penguin
    [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf0, 0xa0, 0x00));
        p.drawEllipse(QRectF(3.0, 13.0, 4.4, 2.4));
        p.drawEllipse(QRectF(8.6, 13.0, 4.4, 2.4));
        p.setBrush(QColor(0x18, 0x18, 0x18));
        p.drawEllipse(QRectF(3.2, 1.0, 9.6, 13.6));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(4.8, 5.4, 6.4, 8.6));
        p.drawEllipse(QRectF(5.4, 2.8, 2.2, 2.4));
        p.drawEllipse(QRectF(8.4, 2.8, 2.2, 2.4));
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(6.2, 3.6, 1.0, 1.2));
        p.drawEllipse(QRectF(8.8, 3.6, 1.0, 1.2));
        p.setBrush(QColor(0xf0, 0xa0, 0x00));
        p.drawPolygon(QPolygonF({QPointF(6.6, 5.6), QPointF(9.4, 5.6), QPointF(8.0, 7.2)}));
    },
    // 15 computer: monitor and tower
    [](QPainter& p) {
        p.setPen(pen(QColor(0x40, 0x40, 0x40), 0.7));
        p.setBrush(QColor(0xd8, 0xd0, 0xb8));
        p.drawRect(QRectF(11.0, 3.0, 4.2, 11.8));
        p.setPen(pen(QColor(0x40, 0x40, 0x40), 0.6));
        p.drawLine(QPointF(11.8, 5.0), QPointF(14.4, 5.0));
        p.drawLine(QPointF(11.8, 6.6), QPointF(14.4, 6.6));
        p.setPen(pen(QColor(0x40, 0x40, 0x40), 0.7));
        p.setBrush(QColor(0xd8, 0xd0, 0xb8));
        p.drawRect(QRectF(0.8, 3.0, 9.4, 7.6));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x20, 0x50, 0x90));
        p.drawRect(QRectF(1.9, 4.1, 7.2, 5.4));
        p.setPen(pen(QColor(0x40, 0x40, 0x40), 0.7));
        p.setBrush(QColor(0xd8, 0xd0, 0xb8));
        p.drawRect(QRectF(2.0, 12.2, 7.0, 2.6));
        p.drawLine(QPointF(5.5, 10.6), QPointF(5.5, 12.2));
    },
    // 16 satellite dish
    [](QPainter& p) {
        p.setPen(pen(QColor(0x50, 0x50, 0x50), 1.2));
        p.drawLine(QPointF(7.2, 9.6), QPointF(4.6, 14.6));
        p.drawLine(QPointF(7.2, 9.6), QPointF(9.8, 14.6));
        p.drawLine(QPointF(3.6, 14.6), QPointF(10.8, 14.6));
        p.save();
        p.translate(7.0, 6.6);
        p.rotate(-40);
        p.setPen(pen(QColor(0x50, 0x50, 0x50), 0.8));
        p.setBrush(QColor(0xe8, 0xe8, 0xe8));
        p.drawChord(QRectF(-6.0, -4.6, 12.0, 9.2), 180 * 16, 180 * 16);
        p.setPen(pen(QColor(0x50, 0x50, 0x50), 0.9));
        p.drawLine(QPointF(0.0, 0.0), QPointF(0.0, -5.0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd0, 0x30, 0x30));
        p.drawEllipse(QRectF(-1.1, -6.6, 2.2, 2.2));
        p.restore();
    },
    // 17 monitor with text (Name header)
    [](QPainter& p) { monitor(p, QColor(0xe8, 0xf0, 0xff), true); },
};

}  // namespace

QList<QIcon> paintServerListIcons()
{
    QList<QIcon> icons;
    for (const Picture& picture : kServerList)
        icons.append(render(picture));
    return icons;
}

QList<QIcon> paintGameIcons()
{
    QList<QIcon> icons;
    for (int i = 0; i < 7; ++i)
        icons.append(render(kServerList[i], {32, 64}));
    return icons;
}

namespace {

// A radar sweep: the program looks for servers.
void radar(QPainter& p, const QColor& ink)
{
    p.setPen(pen(QColor(0x08, 0x20, 0x10), 0.8));
    p.setBrush(QColor(0x10, 0x30, 0x18));
    p.drawEllipse(QRectF(0.6, 0.6, 14.8, 14.8));
    p.setPen(pen(ink, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3.6, 3.6, 8.8, 8.8));
    p.drawLine(QPointF(8.0, 1.5), QPointF(8.0, 14.5));
    p.drawLine(QPointF(1.5, 8.0), QPointF(14.5, 8.0));
    p.setPen(pen(ink, 1.8));
    p.drawLine(QPointF(8.0, 8.0), QPointF(12.6, 3.4));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(9.6, 9.4, 2.4, 2.4));
}

}  // namespace

void paintProgramPicture(QPainter& painter)
{
    radar(painter, QColor(0x40, 0xff, 0x60));
}

QList<QIcon> paintTrayIcons()
{
    // The alternate icon is amber so that the cycling of auto-connect is seen
    // at a glance.
    return {render(paintProgramPicture),
            render([](QPainter& p) { radar(p, QColor(0xff, 0xb0, 0x20)); })};
}

QList<QIcon> paintTabIcons()
{
    auto players = [](QPainter& p) {
        person(p, QColor(0x70, 0x90, 0xc0), QPointF(5.0, 0.0), 0.7);
        person(p, QColor(0x40, 0x80, 0x40), QPointF(0.0, 4.0), 0.75);
    };
    auto rules = [](QPainter& p) {
        p.setPen(pen(QColor(0x50, 0x50, 0x50), 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.4, 1.0, 11.2, 14.0));
        p.setPen(pen(QColor(0x30, 0x60, 0xb0), 1.0));
        for (qreal y : {4.0, 6.6, 9.2, 11.8}) {
            p.drawLine(QPointF(4.2, y), QPointF(6.4, y));
            p.drawLine(QPointF(7.6, y), QPointF(11.8, y));
        }
    };
    return {render(players), render(rules)};
}
