#include "SampleContent.h"

#include "NumberText.h"
#include "Velmara.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace samplecontent {

void impostaParametri(Velmara &v)
{
    v.ColoreMaglia = mapcolour::rgb(64, 64, 64);
    v.PassoMaglia = 10;
    v.NSpecie = Velmara::kNumSpecie;
    v.LarghezzaSprite = 50;
    v.AltezzaSprite = 50;
}

namespace {

bool stationInTables(const Velmara &v)
{
    return v.StazSel >= 1 && v.StazSel <= Velmara::kMaxStazioni;
}

int speciesInTables(const Velmara &v)
{
    return std::clamp<int>(v.NSpecie, 0, Velmara::kNumSpecie);
}

// floor(r * span + 1) in single precision; the span is a 16-bit difference.
// The 1 is added after the floor: added before, the sum rounds up to
// span + 1 when r * span lies within half a float step of span, as with
// span 1 and the largest r, and the sprite would leave the picture.
float position(float r, std::int16_t size, std::int16_t sprite)
{
    const auto span = static_cast<float>(static_cast<std::int16_t>(size - sprite));
    return std::floor(r * span) + 1.0f;
}

} // namespace

int numeroOrganismi(const Velmara &v)
{
    if (!stationInTables(v))
        return 0;
    int n = 0;
    for (int sp = 1; sp <= speciesInTables(v); ++sp)
        n += std::max<int>(0, v.Conteggi[v.StazSel][sp]);
    return n;
}

void CaricaContenuto(Velmara &v, const std::function<float()> &draw)
{
    const int n = numeroOrganismi(v);
    v.ContX.assign(n + 1, 0.0f);
    v.ContY.assign(n + 1, 0.0f);
    v.ContRot.assign(n + 1, 0);
    int k = 0;
    for (int sp = 1; sp <= speciesInTables(v) && n > 0; ++sp) {
        for (int j = 1; j <= v.Conteggi[v.StazSel][sp]; ++j) {
            ++k;
            v.ContX[k] = position(draw(), v.LarghezzaPx, v.LarghezzaSprite);
            v.ContY[k] = position(draw(), v.AltezzaPx, v.AltezzaSprite);
            v.ContRot[k] = static_cast<std::int16_t>(std::floor(draw() * 4.0f));
        }
    }
}

} // namespace samplecontent
