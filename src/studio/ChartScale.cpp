#include "ChartScale.h"

#include <algorithm>

namespace chartscale {

double scale(const QSizeF &widget, const QSizeF &minimum)
{
    const double w = minimum.width() + 2 * kMargin;
    const double h = minimum.height() + 2 * kMargin;
    if (widget.isEmpty() || w <= 0 || h <= 0)
        return 1;
    return std::min({widget.width() / w, widget.height() / h, kLargest});
}

QRectF box(const QSizeF &widget, double scale)
{
    return QRectF(kMargin, kMargin, widget.width() / scale - 2 * kMargin, widget.height() / scale - 2 * kMargin);
}

} // namespace chartscale
