#include "app/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kargolo {
namespace {

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);  // drawn on a 64 x 64 grid
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x5F, 0xA8));
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    // The table: three rows and three columns of cells.
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(12, 12, 40, 40));
    painter.setBrush(QColor(0xF2, 0x8C, 0x28));
    painter.drawRect(QRectF(13.5, 13.5, 11, 11));
    painter.drawRect(QRectF(39.5, 39.5, 11, 11));
    painter.setPen(QPen(QColor(0x1F, 0x5F, 0xA8), 2));
    for (const double at : {25.5, 38.5}) {
        painter.drawLine(QPointF(at, 12), QPointF(at, 52));
        painter.drawLine(QPointF(12, at), QPointF(52, at));
    }
    // The arrow from the first carrying cell to the second.
    painter.setPen(QPen(QColor(0xC0, 0x30, 0x20), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(20, 20), QPointF(40, 40));
    QPainterPath head;
    head.moveTo(45, 45);
    head.lineTo(34, 41);
    head.lineTo(41, 34);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC0, 0x30, 0x20));
    painter.drawPath(head);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(DrawIcon(size));
    return icon;
}

}  // namespace kargolo
