#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace kx9::icons {

namespace {

// Draws on a 18 x 18 grid, scaled up for sharper pixmaps.
QIcon drawn(const std::function<void(QPainter &)> &paint)
{
    QIcon icon;
    for (int size : {18, 36}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 18.0, size / 18.0);
        paint(p);
        icon.addPixmap(pixmap);
    }
    return icon;
}

void page(QPainter &p)
{
    QPainterPath path;
    path.moveTo(4, 1.5);
    path.lineTo(11, 1.5);
    path.lineTo(14.5, 5);
    path.lineTo(14.5, 16.5);
    path.lineTo(4, 16.5);
    path.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.drawLine(QPointF(11, 1.5), QPointF(11, 5));
    p.drawLine(QPointF(11, 5), QPointF(14.5, 5));
}

void radio(QPainter &p)
{
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(70, 90, 110));
    p.drawRoundedRect(QRectF(3.5, 5.5, 7, 11), 1.5, 1.5);
    p.drawLine(QPointF(5, 5.5), QPointF(5, 1));
    p.setBrush(QColor(180, 220, 180));
    p.drawRect(QRectF(4.8, 7, 4.4, 3));
}

void arrow(QPainter &p, bool toRadio)
{
    p.setPen(QPen(toRadio ? QColor(180, 40, 40) : QColor(30, 120, 40), 1.8));
    p.setBrush(Qt::NoBrush);
    const double y = 11;
    p.drawLine(QPointF(11.5, y), QPointF(17, y));
    const double tip = toRadio ? 11.5 : 17;
    const double back = toRadio ? 14 : 14.5;
    p.drawLine(QPointF(tip, y), QPointF(back, y - 2.5));
    p.drawLine(QPointF(tip, y), QPointF(back, y + 2.5));
}

} // namespace

QIcon newFile()
{
    return drawn([](QPainter &p) {
        page(p);
        p.setPen(QPen(QColor(230, 170, 0), 1.5));
        p.drawLine(QPointF(7, 10), QPointF(12, 10));
        p.drawLine(QPointF(9.5, 7.5), QPointF(9.5, 12.5));
    });
}

QIcon openFile()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(120, 90, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(1.5, 5.5, 14, 10));
        p.setBrush(QColor(250, 225, 140));
        QPolygonF lid{{3.5, 8.5}, {17, 8.5}, {14.5, 15.5}, {1.5, 15.5}};
        p.drawPolygon(lid);
    });
}

QIcon saveFile()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(30, 40, 80), 1));
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(QRectF(2.5, 2.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 2.5, 8, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(5, 10, 8, 5.5));
    });
}

QIcon readRadio()
{
    return drawn([](QPainter &p) {
        radio(p);
        arrow(p, false);
    });
}

QIcon writeRadio()
{
    return drawn([](QPainter &p) {
        radio(p);
        arrow(p, true);
    });
}

QIcon print()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(50, 50, 50), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 1.5, 8, 6));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(1.5, 7, 15, 6.5), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 11, 8, 5.5));
    });
}

QIcon contextHelp()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        QPolygonF pointer{{2, 2},      {2, 13},    {4.8, 10.5}, {7, 15},
                          {8.6, 14.2}, {6.5, 9.8}, {10, 9.8}};
        p.drawPolygon(pointer);
        p.setPen(QPen(QColor(20, 60, 160), 1.6));
        QFont f = p.font();
        f.setPixelSize(9);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(9, 1, 9, 10), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon about()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(20, 60, 160), 1));
        p.setBrush(QColor(220, 230, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        QFont f = p.font();
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(1.5, 1.5, 15, 15), Qt::AlignCenter, QStringLiteral("i"));
    });
}

QIcon application()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.setBrush(QColor(40, 60, 80));
        p.drawRoundedRect(QRectF(5, 4.5, 8, 13), 2, 2);
        p.drawLine(QPointF(7, 4.5), QPointF(7, 0.5));
        p.setBrush(QColor(120, 230, 140));
        p.drawRect(QRectF(6.5, 6.5, 5, 3.5));
        p.setPen(QPen(QColor(240, 150, 20), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(9, 0, 8, 8), 0, 90 * 16);
        p.drawArc(QRectF(7, -2, 12, 12), 0, 90 * 16);
    });
}

} // namespace kx9::icons
