#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <vector>

// What the main window's tests expect of a survey on the test images.
namespace surveychecks {

// Species pictures whose catches differ from place to place, so that a
// station that took another place's catch shows.
QRgb variedSpecies(int species, int x, int y);

// The depth of the test bathymetry at a map pixel; -1000 on land.
int depthAt(int X, int Y);

// The base map with a red 5 x 5 block at every station, cut at the edges.
QImage withMarkers(const QImage &base, const std::vector<QPoint> &stations);

} // namespace surveychecks
