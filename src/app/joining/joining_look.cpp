#include "app/joining/joining_look.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QPainterPath>

namespace {

QPixmap blank(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap paintPadlockPicture(int size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Shackle.
    p.setPen(QPen(QColor(0x6b, 0x72, 0x80), 3.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(10, 15);
    shackle.lineTo(10, 10);
    shackle.arcTo(10, 3, 12, 14, 180, -180);
    shackle.lineTo(22, 15);
    p.drawPath(shackle);
    // Body.
    QLinearGradient body(0, 14, 0, 30);
    body.setColorAt(0, QColor(0xf5, 0xc2, 0x42));
    body.setColorAt(1, QColor(0xc9, 0x8a, 0x12));
    p.setPen(QPen(QColor(0x7a, 0x52, 0x08), 1.2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(6, 14, 20, 15), 3, 3);
    // Keyhole.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x26, 0x04));
    p.drawEllipse(QPointF(16, 20), 2.4, 2.4);
    p.drawRect(QRectF(15.1, 20.5, 1.8, 5));
    return pixmap;
}

QPixmap paintAutoConnectPicture(int size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // Server box at the back.
    p.setPen(QPen(QColor(0x33, 0x3a, 0x45), 1.2));
    p.setBrush(QColor(0x8d, 0x99, 0xa8));
    p.drawRoundedRect(QRectF(2, 4, 16, 24), 2, 2);
    p.setBrush(QColor(0x4c, 0xd1, 0x5c));
    for (int y : {9, 15, 21})
        p.drawEllipse(QPointF(6, y), 1.3, 1.3);
    // Stopwatch in front: the poll.
    p.setPen(QPen(QColor(0x1d, 0x3f, 0x8a), 1.6));
    p.setBrush(QColor(0xf4, 0xf7, 0xff));
    p.drawEllipse(QPointF(21, 19), 9.5, 9.5);
    p.setBrush(QColor(0x1d, 0x3f, 0x8a));
    p.drawRect(QRectF(19.5, 6.5, 3, 2.5));
    p.setPen(QPen(QColor(0xd0, 0x21, 0x21), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 19), QPointF(21, 12.5));
    p.drawLine(QPointF(21, 19), QPointF(25.5, 21.5));
    return pixmap;
}

void layOutJoiningDialog(QDialog& dialog, QLabel* picture, QLayout* fields, QPushButton* ok,
                         QPushButton* cancel)
{
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(6);
    top->addLayout(fields, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(top);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void makeOkCancel(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setAutoDefault(false);
}
