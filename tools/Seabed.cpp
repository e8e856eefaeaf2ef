#include "SeaModel.h"

#include "FieldFilters.h"
#include "Noise.h"
#include "Path.h"

#include <vector>

namespace seagen {

// Seabed depth: an equilibrium-like profile on the distance from the shore,
// steeper off the headland, with the bank, the drowned valley and gentle
// undulations laid on top.
void shapeSeabed(Model &m, Random &random)
{
    const Plan &p = m.plan;
    const Noise swell(random.next());

    // Signed distance, blurred so that the corners of the distance field at
    // the bay's axis and off the points round off.
    std::vector<float> signedDistance(kPixels);
    for (int i = 0; i < kPixels; ++i)
        signedDistance[i] = m.kind[i] == Kind::Sea ? m.seaDistance[i] - 0.5f : -(m.landDistance[i] - 0.5f);
    signedDistance = blurred(std::move(signedDistance), 3);

    auto profile = [](float metres) { return 1.0f + 0.02f * metres + 5.0e-6f * metres * metres; };

    // The drowned river valley starts some way off the mouth and deepens to the south.
    const float mouthRow = p.coastRow(p.mouthX);
    const float valleyBend = random.uniform(-20.0f, 20.0f);
    std::vector<QPointF> valleyPoints;
    for (float row = mouthRow + 70.0f; row <= kN + 30.0f; row += 12.0f) {
        const float t = (row - mouthRow - 70.0f) / (kN + 30.0f - mouthRow - 70.0f);
        valleyPoints.emplace_back(p.mouthX + 4.0f - 55.0f * t + valleyBend * std::sin(kPi * t), row);
    }
    const Path valley(valleyPoints);

    m.depth.assign(kPixels, 0.0f);
    std::vector<float> valleyShape(kPixels, 0.0f), bankShape(kPixels, 0.0f);
    const float ca = std::cos(p.bankAngle), sa = std::sin(p.bankAngle);
    float crestBase = 0.0f;
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            const float s = std::max(signedDistance[i], 0.0f);
            const float extra = 1.8f * m.steepness[i];
            const float decay = expApprox(-s / 15.0f);
            const float effective = s + extra * 30.0f * (1.0f - decay) / (1.0f + decay); // tanh(s / 30)
            float depth = profile(10.0f * effective);

            if (valley.maybeWithin(static_cast<float>(x), static_cast<float>(y), 100.0f)) {
                const Path::Nearest v = valley.nearest(static_cast<float>(x), static_cast<float>(y));
                const float sigma = 12.0f + 8.0f * v.along;
                const float across = gaussian(v.distance, sigma);
                valleyShape[i] = across * smoothstep(0.0f, 0.3f, v.along);
                depth += 30.0f * smoothstep(0.0f, 1.0f, v.along) * across;
            }

            const float u = ((x - p.bankX) * ca + (y - p.bankY) * sa) / Plan::kBankLength;
            const float w = (-(x - p.bankX) * sa + (y - p.bankY) * ca) / Plan::kBankWidth;
            bankShape[i] = expApprox(-0.3f * (u * u + w * w));
            m.depth[i] = depth;
            if (x == static_cast<int>(p.bankX) && y == static_cast<int>(p.bankY))
                crestBase = depth;
        }
    }
    const float bankRelief = std::max(0.0f, crestBase - p.bankCrestDepth);
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            const float u = ((x - p.bankX) * ca + (y - p.bankY) * sa) / Plan::kBankLength;
            const float w = (-(x - p.bankX) * sa + (y - p.bankY) * ca) / Plan::kBankWidth;
            const float r = std::min(std::sqrt(u * u + w * w), 4.0f);
            const float plateau = expApprox(-0.5f * r * r * r);
            float depth = m.depth[i] - bankRelief * plateau;
            // Sand waves on the bank, across the current.
            if (r < 3.5f)
                depth += 1.2f * plateau * std::sin((x * ca + y * sa) / 9.0f);
            const float s = std::max(signedDistance[i], 0.0f);
            depth += (0.8f + 0.025f * depth) * smoothstep(0.0f, 20.0f, s) * swell.fbm(x / 110.0f, y / 110.0f, 3);
            m.depth[i] = std::clamp(depth, 1.0f, 179.0f);
        }
    }

    m.fields.bankCrest = QPoint(static_cast<int>(p.bankX), static_cast<int>(p.bankY));
    float shallowest = 1e9f;
    for (int i = 0; i < kPixels; ++i) {
        if (m.kind[i] == Kind::Sea) {
            m.fields.depth[i] = std::clamp(roundInt(m.depth[i]), 1, 179);
            if (bankShape[i] > 0.6f && m.depth[i] < shallowest) {
                shallowest = m.depth[i];
                m.fields.bankCrest = QPoint(i % kN, i / kN);
            }
        } else {
            m.depth[i] = 0.0f;
        }
    }

    // Sediment: finer with depth, coarse on the bank and around the rocks,
    // mud in the valley and under the river plume, which the longshore current
    // bends to the south-west.
    const Noise sedimentBroad(random.next());
    const Noise sedimentFine(random.next());
    const float plumeTurn = random.uniform(0.5f, 0.9f);
    std::vector<QPointF> plumePoints;
    {
        float px = p.mouthX, py = mouthRow + 6.0f, heading = 0.5f * kPi;
        for (int step = 0; step < 20; ++step) {
            plumePoints.emplace_back(px, py);
            heading += plumeTurn / 20.0f;
            px += 8.0f * std::cos(heading);
            py += 8.0f * std::sin(heading);
        }
    }
    const Path plume(plumePoints);
    m.fields.mud.assign(kPixels, 0.0f);
    m.fields.enrichment.assign(kPixels, 0.0f);
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            if (m.kind[i] != Kind::Sea)
                continue;
            const float depth = m.depth[i];
            float mud = 0.92f / (1.0f + expApprox(-(depth - 32.0f) / 9.0f));
            mud *= 1.0f - 0.55f * smoothstep(3.0f, 0.5f, depth); // the surf washes the fines away
            mud *= 1.0f - 0.85f * gaussian(std::max(0.0f, -p.headland(x, y)), 35.0f);
            mud *= 1.0f - 0.92f * bankShape[i];
            mud += (0.95f - mud) * 0.35f * valleyShape[i];
            if (plume.maybeWithin(static_cast<float>(x), static_cast<float>(y), 230.0f)) {
                const Path::Nearest n = plume.nearest(static_cast<float>(x), static_cast<float>(y));
                const float spread = 16.0f + 45.0f * n.along;
                const float cloud = gaussian(n.distance, spread) * (1.0f - 0.6f * n.along);
                mud += (0.95f - mud) * 0.9f * cloud * smoothstep(1.5f, 6.0f, depth);
                const float core = 14.0f + 30.0f * n.along;
                m.fields.enrichment[i] = gaussian(n.distance, core) * (1.0f - n.along);
            }
            mud += 0.06f * sedimentBroad.fbm(x / 45.0f, y / 45.0f, 2) + 0.03f * sedimentFine.fbm(x / 12.0f, y / 12.0f, 2);
            m.fields.mud[i] = clamp01(mud);
        }
    }
}

} // namespace seagen
