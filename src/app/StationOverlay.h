#pragma once

#include "MapColour.h"
#include "PictureSurface.h"

#include <QPoint>
#include <QRect>

#include <vector>

// Station markers and number labels drawn straight into the map picture,
// each removable without redrawing the map. Markers keep the map pixels
// under them in Buffer (white again once a marker is gone); labels keep
// theirs on a surface of their own, saved all together from the map as it
// is without labels. Saves of markers and labels never mix, so overlapping
// labels and labels over other stations' markers always come off cleanly.
class StationOverlay
{
public:
    // Dark navy: blended with any pixel that is not pure red it never
    // gives pure red, so a label is never taken for a station.
    static constexpr ColourValue kLabelColour = mapcolour::rgb(0, 24, 72);

    StationOverlay(PictureSurface &mappa, PictureSurface &buffer);

    // The 5 x 5 block centred on (X, Y), all four bounds rounded; near the
    // edges it reaches outside the map.
    static QRect markerBlock(float X, float Y);

    // Whether any pixel of the block around (X, Y) is pure red.
    bool touchesMarker(float X, float Y) const;
    // Saves the map under the block into Buffer, then fills it pure red.
    void drawMarker(float X, float Y);
    // Gives the map back its saved pixels and leaves the block white in Buffer.
    void eraseMarker(float X, float Y);

    // What the label of a station covers, on the map or not: from the
    // anchor (column + 4, row - TextHeight / 2) to the anchor plus the
    // text's extent, both ends rounded and included.
    QRect labelRect(int number, int column, int row) const;

    // Element i of stations is the position of station i + 1. The markers
    // stay on top of the labels, so that a marker is always whole and red.
    void showLabels(const std::vector<QPoint> &stations);
    // Restores, newest first, what the last showLabels covered.
    void hideLabels();
    // After the map picture is loaded afresh the old saves mean nothing.
    void forgetLabels() { savedLabels_.clear(); }

private:
    PictureSurface &mappa_;
    PictureSurface &buffer_;
    PictureSurface labelSaves_;
    // The rectangles of the labels on the map now, clipped to the map.
    std::vector<QRect> savedLabels_;
};
