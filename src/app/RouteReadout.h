#pragma once

#include "MapColour.h"

#include <QString>

#include <cstdint>
#include <optional>

// The most recent station, the one the route is measured from.
struct RouteReference {
    int number = 0;
    int column = 0;
    int row = 0;
};

// What one position of the cursor over the map shows: the position in
// metres, the depth, and the route from the reference station. Decided
// without any widget, from the position, the bathymetry pixel there and
// the reference station.
struct RouteReadout {
    QString x;    // "x = 1230 m"
    QString y;    // "y = 5000 m"
    QString prof; // "prof = 24 m" or "prof = n.d."
    // The depth to remember under the cursor; empty keeps the old one.
    std::optional<std::int16_t> profCursore;

    // Empty when there is no station yet or the cursor stands on the
    // reference station itself: the route captions then stay as they are.
    struct Route {
        QString da;   // "Da staz. 7"
        QString dist; // "d = 50 m"
        QString ang;  // "per  143.1°"
    };
    std::optional<Route> route;

    // X and Y in map pixels; batiColour is the bathymetry pixel there, -1
    // when the position lies outside the picture (a button held while the
    // pointer left the map).
    static RouteReadout at(float X, float Y, ColourValue batiColour, std::optional<RouteReference> reference);

    // Clockwise from north in degrees, 0 <= a < 360, for a distance d > 0.
    // Through t = dy / d in single precision rather than atan2: the tenth
    // of a degree shown depends on that rounding.
    static float bearing(float dx, float dy, float d);
};
