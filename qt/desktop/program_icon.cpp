#include "qt/desktop/program_icon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kargolo {

QImage RenderProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/kargolo.svg"));
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : kProgramIconSizes) icon.addPixmap(QPixmap::fromImage(RenderProgramIcon(size)));
    return icon;
}

}  // namespace kargolo
