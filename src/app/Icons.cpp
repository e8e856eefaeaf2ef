#include "Icons.h"

#include <QPainter>
#include <QPixmap>

namespace icons {

QImage fondalisIconImage()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(2.5, 2.5, 27, 27));
    // The cross stays inside the ring.
    painter.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.5, 9.5), QPointF(22.5, 22.5));
    painter.drawLine(QPointF(22.5, 9.5), QPointF(9.5, 22.5));
    return image;
}

QIcon fondalisIcon() { return QIcon(QPixmap::fromImage(fondalisIconImage())); }

QImage deletionCursorImage()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    // Pixels 10..21 in both directions: 12 x 12, centred.
    for (int i = 0; i < 12; ++i) {
        image.setPixel(10 + i, 10 + i, qRgb(0, 0, 0));
        image.setPixel(21 - i, 10 + i, qRgb(0, 0, 0));
    }
    return image;
}

QCursor deletionCursor() { return QCursor(QPixmap::fromImage(deletionCursorImage()), 16, 16); }

} // namespace icons
