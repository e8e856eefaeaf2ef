#pragma once

#include <QRectF>
#include <QSizeF>

// A chart on screen is the report's drawing in points, scaled as a whole:
// the scale is the largest at which the chart's smallest box still fits the
// widget, and never so large that its text grows beyond reading size.
// Drawn through the painter's scale, it stays vector-sharp at any size and
// device pixel ratio.
namespace chartscale {

inline constexpr double kMargin = 8;   // points around the chart
inline constexpr double kLargest = 2;  // 7-point text becomes 14 pixels

double scale(const QSizeF &widget, const QSizeF &minimum);
// The chart's box in the scaled coordinates, inside the margin.
QRectF box(const QSizeF &widget, double scale);

} // namespace chartscale
