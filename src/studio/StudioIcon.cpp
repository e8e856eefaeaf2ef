#include "StudioIcon.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace studioicon {

QImage image(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const int line = std::max(1, size / 16);
    const int margin = std::max(0, size / 32);
    // The sheet: a white square with a dark edge.
    const QRect sheet(margin, margin, size - 2 * margin, size - 2 * margin);
    p.fillRect(sheet, QColor(30, 30, 30));
    p.fillRect(sheet.adjusted(line, line, -line, -line), Qt::white);
    // Three bars standing on a base line, with gaps of one bar's width/2.
    const QRect inner = sheet.adjusted(2 * line, 2 * line, -2 * line, -2 * line);
    const int bar = std::max(2, inner.width() * 2 / 9);
    const int gap = std::max(1, (inner.width() - 3 * bar) / 4);
    const int base = inner.bottom() - line + 1;
    p.fillRect(QRect(inner.left(), base, inner.width(), line), QColor(30, 30, 30));
    const QColor colours[3] = {QColor(28, 78, 150), QColor(214, 96, 20), QColor(28, 78, 150)};
    const double heights[3] = {0.45, 0.85, 0.65};
    for (int i = 0; i < 3; ++i) {
        const int h = std::max(2, int(heights[i] * (base - inner.top())));
        p.fillRect(QRect(inner.left() + gap + i * (bar + gap), base - h, bar, h), colours[i]);
    }
    return image;
}

QIcon icon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(image(size)));
    return icon;
}

} // namespace studioicon
