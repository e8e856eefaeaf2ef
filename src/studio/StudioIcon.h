#pragma once

#include <QIcon>
#include <QImage>

// The studio's icon: a sheet with three bars of a chart, blue, orange and
// blue, on whole pixels at every size, so that it stays sharp at 16 pixels.
// The same drawing gives the window's icon and the installed PNGs.
namespace studioicon {

QImage image(int size);
QIcon icon();

} // namespace studioicon
