#include "PictureSurface.h"

#include "ColourConversion.h"
#include "NumberText.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// The pixels from one corner to the other, both included, whichever way
// round they come: Qt 6's QRect::normalized() drops a row and a column of
// a rectangle given from its bottom-right corner.
QRect spanning(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace

PictureSurface::PictureSurface(QSize size, ColourValue backColour)
    : background_(size.isEmpty() ? QSize(1, 1) : size, QImage::Format_RGB32)
    , backColour_(backColour)
{
    background_.fill(colour::toQRgb(backColour_));
    image_ = background_;
}

void PictureSurface::setPicture(const QImage &picture, bool autoSize)
{
    const QSize target = autoSize && !picture.isNull() ? picture.size() : image_.size();
    const qint64 key = picture.isNull() ? 0 : picture.cacheKey();
    if (key != 0 && key == pictureKey_ && background_.size() == target) {
        // The sieve lays the same background at every redraw.
        restoreBackground();
    } else {
        const bool rgb32 = picture.format() == QImage::Format_RGB32;
        if (rgb32 && picture.size() == target) {
            background_ = picture;
        } else if (rgb32 && picture.width() >= target.width() && picture.height() >= target.height()) {
            background_ = picture.copy(QRect(QPoint(0, 0), target));
        } else {
            background_ = QImage(target, QImage::Format_RGB32);
            background_.fill(colour::toQRgb(backColour_));
            if (!picture.isNull()) {
                QPainter painter(&background_);
                painter.setCompositionMode(QPainter::CompositionMode_Source);
                painter.drawImage(QPoint(0, 0), picture.convertToFormat(QImage::Format_RGB32));
            }
        }
        pictureKey_ = key;
        image_ = background_;
        drawnOn_ = false;
    }
    markChanged(image_.rect());
}

void PictureSurface::Cls()
{
    restoreBackground();
    CurrentX = 0.0f;
    CurrentY = 0.0f;
    markChanged(image_.rect());
}

void PictureSurface::restoreBackground()
{
    if (!drawnOn_)
        return;
    // Copying into the image's own rows spares a fresh allocation, and its
    // page faults, at every redraw; an image shared with anyone else is
    // replaced instead.
    if (image_.isDetached() && image_.size() == background_.size() && image_.format() == background_.format()
        && image_.bytesPerLine() == background_.bytesPerLine())
        std::memcpy(image_.bits(), background_.constBits(), static_cast<std::size_t>(background_.sizeInBytes()));
    else
        image_ = background_;
    drawnOn_ = false;
}

void PictureSurface::scalePixels()
{
    originX_ = originY_ = 0.0;
    factorX_ = factorY_ = 1.0;
}

void PictureSurface::Scale(float x1, float y1, float x2, float y2)
{
    if (x2 == x1 || y2 == y1)
        return; // a scale without extent cannot map anything
    originX_ = x1;
    originY_ = y1;
    factorX_ = width() / (static_cast<double>(x2) - x1);
    factorY_ = height() / (static_cast<double>(y2) - y1);
}

QPoint PictureSurface::toPixel(float x, float y) const
{
    const double px = rounding::halfEven((x - originX_) * factorX_);
    const double py = rounding::halfEven((y - originY_) * factorY_);
    // Far-off points clamp to a pixel that is still outside the picture.
    const auto clampCoord = [](double v) { return static_cast<int>(std::clamp(v, -1.0e6, 1.0e6)); };
    return QPoint(clampCoord(px), clampCoord(py));
}

QPointF PictureSurface::toUnits(QPointF pixel) const
{
    return QPointF(pixel.x() / factorX_ + originX_, pixel.y() / factorY_ + originY_);
}

ColourValue PictureSurface::Point(float x, float y) const
{
    const QPoint p = toPixel(x, y);
    if (!image_.rect().contains(p))
        return -1;
    return colour::fromQRgb(reinterpret_cast<const QRgb *>(image_.constScanLine(p.y()))[p.x()]);
}

void PictureSurface::PSet(float x, float y, ColourValue c)
{
    CurrentX = x;
    CurrentY = y;
    const QPoint p = toPixel(x, y);
    if (!image_.rect().contains(p))
        return;
    reinterpret_cast<QRgb *>(drawing().scanLine(p.y()))[p.x()] = colour::toQRgb(c);
    markChanged(QRect(p, QSize(1, 1)));
}

void PictureSurface::Line(float x1, float y1, float x2, float y2, ColourValue c)
{
    const QPoint a = toPixel(x1, y1);
    const QPoint b = toPixel(x2, y2);
    const QRgb rgb = colour::toQRgb(c);
    const QRect bounds = image_.rect();
    QImage &image = drawing();
    uchar *const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const auto row = [&](int y) { return reinterpret_cast<QRgb *>(bits + y * stride); };
    if (a.x() == b.x() || a.y() == b.y()) {
        // Along one axis the stepping below sets every pixel between the
        // ends: laid as a run, clipped once. The sieve's mesh is all such.
        const QRect run = spanning(a, b).intersected(bounds);
        for (int y = run.top(); y <= run.bottom(); ++y)
            std::fill(row(y) + run.left(), row(y) + run.right() + 1, rgb);
    } else {
        // Bresenham over the whole segment, clipping pixel by pixel.
        int x = a.x();
        int y = a.y();
        const int dx = std::abs(b.x() - x);
        const int dy = -std::abs(b.y() - y);
        const int sx = x < b.x() ? 1 : -1;
        const int sy = y < b.y() ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            if (bounds.contains(x, y))
                row(y)[x] = rgb;
            if (x == b.x() && y == b.y())
                break;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += sx;
            }
            if (twice <= dx) {
                error += dx;
                y += sy;
            }
        }
    }
    CurrentX = x2;
    CurrentY = y2;
    markChanged(spanning(a, b).intersected(bounds));
}

void PictureSurface::Box(float x1, float y1, float x2, float y2, ColourValue c)
{
    const QRect box = spanning(toPixel(x1, y1), toPixel(x2, y2)).intersected(image_.rect());
    const QRgb rgb = colour::toQRgb(c);
    QImage &image = drawing();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(row + box.left(), row + box.right() + 1, rgb);
    }
    CurrentX = x2;
    CurrentY = y2;
    markChanged(box);
}

void PictureSurface::setFont(const QFont &font)
{
    font_ = font;
    metrics_.reset();
    advances_.clear();
}

const QFontMetrics &PictureSurface::metrics() const
{
    if (!metrics_)
        metrics_.emplace(font_);
    return *metrics_;
}

int PictureSurface::advance(const QString &text) const
{
    const auto found = advances_.constFind(text);
    if (found != advances_.constEnd())
        return *found;
    if (advances_.size() > 4096)
        advances_.clear(); // texts that never come back
    const int width = metrics().horizontalAdvance(text);
    advances_.insert(text, width);
    return width;
}

void PictureSurface::Print(const QString &text)
{
    PrintAll({{CurrentX, CurrentY, text}});
}

void PictureSurface::PrintAll(const std::vector<Caption> &captions)
{
    if (captions.empty())
        return;
    const QFontMetrics &m = metrics();
    QRect changed;
    {
        QPainter painter(&drawing());
        painter.setFont(font_);
        painter.setPen(colour::toQColor(ForeColor));
        for (const Caption &caption : captions) {
            const QPoint topLeft = toPixel(caption.x, caption.y);
            const QRect box(topLeft, QSize(advance(caption.text), m.height()));
            painter.setClipRect(box);
            painter.drawText(QPoint(topLeft.x(), topLeft.y() + m.ascent()), caption.text);
            changed |= box.intersected(image_.rect());
        }
    }
    CurrentX = captions.back().x;
    CurrentY = captions.back().y + TextHeight(captions.back().text);
    markChanged(changed);
}

float PictureSurface::TextWidth(const QString &text) const
{
    return static_cast<float>(advance(text) / std::abs(factorX_));
}

float PictureSurface::TextHeight(const QString &) const
{
    return static_cast<float>(metrics().height() / std::abs(factorY_));
}

void PictureSurface::markChanged(const QRect &pixelRect)
{
    if (listener_ && !pixelRect.isEmpty())
        listener_(pixelRect);
}
