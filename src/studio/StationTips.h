#pragma once

#include "Rilievo.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

// What the map says about the station under the pointer.
namespace stationtips {

// The station whose marker lies under the point, where mapRect holds the
// map's 512 pixels; a small marker is given some room around it. The
// nearest wins. Its index in the survey, or empty.
std::optional<size_t> at(const Rilievo &rilievo, const QRectF &mapRect, QPointF point);

// Its number, depth and counts, one per line.
QString text(const Stazione &stazione);

} // namespace stationtips
