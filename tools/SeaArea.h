#pragma once

#include <QImage>

#include <array>

// The generated coastal sea area: 512 x 512 map pixels of 10 m.
struct SeaArea {
    QImage base;                  // the chart shown to the student; no pure red pixel
    QImage bati;                  // depth in the red component (0 = land, R - 76 metres)
    std::array<QImage, 12> species; // counts in the red component (see mapcolour)
};

SeaArea generateSeaArea(quint32 seed);
