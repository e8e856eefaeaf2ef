#include "SeaModel.h"

#include "Noise.h"

#include <vector>

namespace seagen {

struct Niche {
    float depthOptimum; // metres
    float depthSpread;  // standard deviation of log depth
    float mudOptimum;
    float mudSpread;
    float enrichment;   // -1 vanishes off the river mouth ... +1 lives nowhere else
    float abundance;    // count at the optimum in an average patch
    float zone, patch, grain; // patchiness (log spread) at ~1.5 km, ~400 m and ~100 m
};

// In the order of the fauna sheet's columns.
constexpr Niche kNiches[kSpecies] = {
    {6.0f, 0.55f, 0.12f, 0.14f, -0.5f, 34.0f, 0.35f, 0.35f, 0.25f},  // 1 Nephtys, shallow fine sand
    {18.0f, 0.38f, 0.26f, 0.12f, -0.9f, 22.0f, 0.40f, 0.70f, 0.30f}, // 2 Lanice, muddy sand, in clumps
    {11.0f, 0.40f, 0.07f, 0.10f, -0.9f, 30.0f, 0.40f, 0.40f, 0.20f}, // 3 Chamelea, clean sand
    {3.0f, 0.50f, 0.03f, 0.10f, -0.9f, 40.0f, 0.30f, 0.35f, 0.25f},  // 4 Donax/Tellina, surf sand
    {9.0f, 0.75f, 0.15f, 0.30f, 0.4f, 15.0f, 0.30f, 0.30f, 0.30f},   // 5 Nassarius, broad, scavenger
    {75.0f, 0.35f, 0.85f, 0.18f, -0.9f, 18.0f, 0.35f, 0.35f, 0.25f}, // 6 Antalis, deep mud
    {11.0f, 0.40f, 0.12f, 0.12f, -0.9f, 20.0f, 0.40f, 1.00f, 0.45f}, // 7 Ampelisca, fine sand, very patchy
    {25.0f, 0.40f, 0.35f, 0.16f, -0.7f, 20.0f, 0.35f, 0.45f, 0.35f}, // 8 cumacean, muddy sand
    {26.0f, 0.40f, 0.02f, 0.10f, -0.9f, 26.0f, 0.30f, 0.35f, 0.30f}, // 9 Liocarcinus, coarse sand of the bank
    {55.0f, 0.42f, 0.70f, 0.18f, -0.8f, 30.0f, 0.40f, 0.50f, 0.25f}, // 10 Amphiura, mud, in dense beds
    {21.0f, 0.40f, 0.30f, 0.16f, -0.8f, 15.0f, 0.35f, 0.45f, 0.30f}, // 11 Echinocardium, muddy sand
    {8.0f, 0.80f, 0.80f, 0.30f, 1.0f, 55.0f, 0.20f, 0.30f, 0.30f},   // 12 Capitella, enriched mud
};

// Even the scarcest taxon is common somewhere: its best thousandth of the
// sea holds at least this many.
constexpr float kLeastPeak = 45.0f;

void populate(Model &m, Random &random)
{
    std::vector<int> seaPixels;
    for (int i = 0; i < kPixels; ++i) {
        if (m.kind[i] == Kind::Sea)
            seaPixels.push_back(i);
    }
    std::vector<float> logDepth(kPixels, 0.0f);
    for (int i : seaPixels)
        logDepth[i] = logApprox(m.depth[i]);
    std::vector<float> raw(kPixels);
    std::vector<float> sorted;
    for (int s = 0; s < kSpecies; ++s) {
        const Niche &n = kNiches[s];
        const Noise zone(random.next()), patch(random.next()), grain(random.next());
        const float logOptimum = std::log(n.depthOptimum);
        std::fill(raw.begin(), raw.end(), 0.0f);
        for (int i : seaPixels) {
            const float x = static_cast<float>(i % kN), y = static_cast<float>(i / kN);
            const float a = (logDepth[i] - logOptimum) / n.depthSpread;
            const float b = (m.fields.mud[i] - n.mudOptimum) / n.mudSpread;
            const float misfit = 0.5f * (a * a + b * b);
            if (misfit > 9.0f)
                continue;
            float suit = expApprox(-misfit);
            const float e = m.fields.enrichment[i];
            if (n.enrichment >= 1.0f)
                suit *= e > 1e-6f ? expApprox(1.3f * logApprox(e)) : 0.0f; // an opportunist: only where the river feeds it
            else
                suit *= std::max(0.0f, 1.0f + n.enrichment * e);
            if (suit < 1e-4f)
                continue;
            const float z = n.zone * zone.fbm(x / 150.0f, y / 150.0f, 2) + n.patch * patch.fbm(x / 40.0f, y / 40.0f, 2)
                            + n.grain * grain.fbm(x / 10.0f, y / 10.0f, 2);
            raw[i] = n.abundance * suit * expApprox(z);
        }
        sorted.clear();
        for (int i : seaPixels)
            sorted.push_back(raw[i]);
        const size_t k = sorted.size() * 999 / 1000;
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(k), sorted.end());
        const float scale = sorted[k] > 0.0f ? std::max(1.0f, kLeastPeak / sorted[k]) : 1.0f;
        std::vector<int> &counts = m.fields.counts[s];
        counts.assign(kPixels, 0);
        for (int i : seaPixels)
            counts[i] = std::min(kMaxCount, static_cast<int>(raw[i] * scale + 0.5f));
    }
}

} // namespace seagen
