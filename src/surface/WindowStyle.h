#pragma once

#include <QFont>

// One look for every window: a small sans-serif face in pixel sizes, so that
// texts fit the twip layouts on any screen density.
namespace windowstyle {

QFont uiFont();       // captions, labels and buttons
QFont mapLabelFont(); // the station numbers on the map

} // namespace windowstyle
