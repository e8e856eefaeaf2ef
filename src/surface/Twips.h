#pragma once

#include "NumberText.h"

#include <QRect>
#include <QRectF>
#include <QSize>

// Layouts are given in twips. At 15 twips per pixel they become Qt logical
// pixels, which Qt enlarges on high-density screens, so the windows keep
// their proportions everywhere.
namespace twips {

constexpr int kPerPixel = 15;

// To the nearest pixel, halves to the even one, as every size in pixels.
inline int toPx(double t) { return rounding::halfEvenInt(t / kPerPixel); }
constexpr double fromPx(int px) { return static_cast<double>(px) * kPerPixel; }

inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}

// Each of left, top, width and height to the nearest pixel on its own.
inline QRect rect(const QRectF &t)
{
    return QRect(toPx(t.left()), toPx(t.top()), toPx(t.width()), toPx(t.height()));
}

inline QSize size(int width, int height) { return QSize(toPx(width), toPx(height)); }

} // namespace twips
