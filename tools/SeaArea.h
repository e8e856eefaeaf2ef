#pragma once

#include <QImage>
#include <QPoint>

#include <array>
#include <vector>

// The generated coastal sea area: 512 x 512 map pixels of 10 m.
struct SeaArea {
    QImage base;                  // the chart shown to the student; no pure red pixel
    QImage bati;                  // depth in the red component (0 = land, R - 76 metres)
    std::array<QImage, 12> species; // counts in the red component (see mapcolour)
};

SeaArea generateSeaArea(quint32 seed);

// What the images of an area encode, pixel by pixel (row-major, row 0 at the
// north), so that the images can be checked against what was meant.
struct SeaAreaFields {
    static constexpr int kSize = 512;
    static constexpr int kNotSurveyable = -1000; // land and river: black in bati.bmp

    std::vector<int> depth;        // kNotSurveyable, -75..0 on the shore band, 1..179 at sea
    std::vector<float> mud;        // sediment at sea: 0 coarse sand ... 1 mud
    std::vector<float> enrichment; // organic enrichment off the river mouth, 0..1
    std::array<std::vector<int>, 12> counts; // organisms per species, 0..63

    // Landmarks in pixels (column, row).
    QPoint headlandTip;      // southernmost pixel of the headland
    QPoint riverMouth;       // middle of the river's opening on the sea
    int riverMouthWidth = 0; // pixels of river along the sea
    QPoint bankCrest;        // shallowest pixel of the offshore bank
};

SeaAreaFields generateSeaAreaFields(quint32 seed);
