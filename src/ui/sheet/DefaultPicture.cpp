#include "sheet/DefaultPicture.h"

#include "kit/Layout.h"

#include <QPainter>
#include <QSvgRenderer>

namespace pinakos {

QImage defaultPicture()
{
    static const QImage picture = [] {
        QImage image(567, 378, QImage::Format_RGB32);
        image.fill(Qt::white);
        QSvgRenderer svg(art("quadro"));
        if (svg.isValid()) {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            svg.render(&p, QRectF(image.rect()));
        }
        return image;
    }();
    return picture;
}

} // namespace pinakos
