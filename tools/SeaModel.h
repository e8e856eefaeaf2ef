#pragma once

#include "FieldMath.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <vector>

namespace seagen {

enum class Kind : quint8 { Land, River, Shore, Sea };

// Where the landmarks of this seed sit (pixels, rows grow southwards).
struct Plan {
    float headX, headTipRow;      // rocky headland on the west
    float bayX, bayRow, bayHalf;  // sandy bay: middle, innermost coast row, half width
    float mouthX;                 // river mouth, inside the bay
    float bankX, bankY, bankAngle, bankCrestDepth;
    QPointF headBase, headEnd;    // axis of the headland
    QPointF islet;

    float coastRow(float x) const
    {
        float row = 168.0f + 28.0f * x / (kN - 1);
        const float t = (x - bayX) / bayHalf;
        if (std::abs(t) < 1.0f) {
            // A round bight: flat at its head, opening at a fair angle.
            const float indent = 168.0f + 28.0f * bayX / (kN - 1) - bayRow;
            row -= indent * std::sqrt(0.5f * (1.0f + std::cos(kPi * t)));
        }
        return row;
    }

    static constexpr float kHeadBaseHalf = 54.0f;
    static constexpr float kHeadTipHalf = 24.0f;
    static constexpr float kIsletRadius = 5.5f;
    // Half axes of the bank, along and across the coast.
    static constexpr float kBankLength = 68.0f;
    static constexpr float kBankWidth = 40.0f;

    // Signed distance-like value of the headland (positive on it).
    float headland(float x, float y) const
    {
        const float ax = static_cast<float>(headBase.x()), ay = static_cast<float>(headBase.y());
        const float bx = static_cast<float>(headEnd.x()) - ax, by = static_cast<float>(headEnd.y()) - ay;
        const float t = std::clamp(((x - ax) * bx + (y - ay) * by) / (bx * bx + by * by), 0.0f, 1.0f);
        const float dx = x - ax - t * bx, dy = y - ay - t * by;
        return mix(kHeadBaseHalf, kHeadTipHalf, t) - std::sqrt(dx * dx + dy * dy);
    }
    float isletValue(float x, float y) const
    {
        const float dx = x - static_cast<float>(islet.x()), dy = y - static_cast<float>(islet.y());
        return kIsletRadius - std::sqrt(dx * dx + dy * dy);
    }
};

struct Model {
    Plan plan;
    std::vector<Kind> kind = std::vector<Kind>(kPixels, Kind::Sea);
    std::vector<float> depth;       // metres at sea, smooth (the chart's tints and isobaths)
    std::vector<float> landHeight;  // metres on land, for hill shading
    std::vector<float> rocky;       // 1 on the rocky headland shore, 0 on sandy shores
    std::vector<float> steepness;   // 1 off the headland, fading out over a kilometre
    std::vector<float> landDistance; // pixels from the sea (land side)
    std::vector<float> seaDistance;  // pixels from land (sea side)
    std::vector<float> riverCover;   // 0..1 coverage of a pixel by the river
    std::vector<float> vegetation;   // 0..1
    std::vector<QRectF> houses;
    std::vector<QPointF> road;
    SeaAreaFields fields;
};

// The stages, in the order they run; each draws from its own stream.
Plan makePlan(Random &random);
void drawPlan(Model &m, Random &random);
void shapeSeabed(Model &m, Random &random);
void populate(Model &m, Random &random);
void dressLand(Model &m, Random &random);

QImage drawChart(const Model &m);
QImage drawBathymetry(const SeaAreaFields &fields);
QImage drawSpecies(const std::vector<int> &counts);

} // namespace seagen
