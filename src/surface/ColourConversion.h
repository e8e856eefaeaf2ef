#pragma once

#include "MapColour.h"

#include <QColor>
#include <QRgb>

// The one place where the program's colour values (red + 256 * green +
// 65536 * blue) meet Qt's QRgb (0xAARRGGBB).
namespace colour {

inline QRgb toQRgb(ColourValue c)
{
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

inline ColourValue fromQRgb(QRgb rgb)
{
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}

inline QColor toQColor(ColourValue c) { return QColor::fromRgb(toQRgb(c)); }

} // namespace colour
