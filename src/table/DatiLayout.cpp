#include "DatiLayout.h"

#include <algorithm>

namespace {

// Design places: the text box's corner and the buttons' size never change.
constexpr double kMargin = 120;
constexpr double kButtonWidth = 1095;
constexpr double kButtonHeight = 375;

} // namespace

DatiLayout DatiLayout::forOuterSize(QSizeF outer)
{
    // Single precision, as the twip values always were.
    const float h = std::max(float(outer.height()), float(kMinHeight));
    const float w = std::max(float(outer.width()), float(kMinWidth));
    const float buttonsTop = h - 860;

    DatiLayout layout;
    layout.outer = QSizeF(w, h);
    layout.tabella = QRectF(kMargin, kMargin, w - 340, h - 1120);
    layout.command2 = QRectF(kMargin, buttonsTop, kButtonWidth, kButtonHeight);
    layout.copiaDati = QRectF(layout.command2.left() + 1320, buttonsTop, kButtonWidth, kButtonHeight);
    layout.command1 = QRectF(w - 1320, buttonsTop, kButtonWidth, kButtonHeight);
    return layout;
}
