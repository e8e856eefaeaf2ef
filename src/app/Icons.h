#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

namespace icons {

// A black circle with a diagonal cross inside, 32 x 32.
QImage fondalisIconImage();
QIcon fondalisIcon();

// A thin black diagonal cross of 12 x 12 centred in 32 x 32, shown while a
// station is being deleted.
QImage deletionCursorImage();
QCursor deletionCursor();

} // namespace icons
