#include "Area.h"

#include "ColourConversion.h"
#include "MapColour.h"
#include "SurveyMap.h"

namespace area {

Area daMappa(const SurveyMap &mappa, const QString &cartella)
{
    constexpr int n = Area::kSide * Area::kSide;
    Area a;
    a.cartella = cartella;
    a.prof.assign(n, Area::kSenzaProf);
    // The count depends on the red component alone: decode each red once.
    std::array<std::uint8_t, 256> conteggioDelRosso{};
    for (int r = 0; r < 256; ++r)
        conteggioDelRosso[r] = static_cast<std::uint8_t>(mapcolour::ConteggioDaColore(mapcolour::rgb(r, 0, 0)));

    const QImage &bati = mappa.Bati.Image();
    for (int y = 0; y < Area::kSide; ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(bati.constScanLine(y));
        for (int x = 0; x < Area::kSide; ++x) {
            const std::optional<int> p = mapcolour::ProfonditaDaColore(colour::fromQRgb(riga[x]));
            if (p)
                a.prof[Area::indice(x, y)] = static_cast<std::int16_t>(*p);
        }
    }
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
        std::vector<std::uint8_t> &conteggi = a.conteggi[sp];
        conteggi.assign(n, 0);
        const QImage &img = mappa.Specie[sp].Image();
        for (int y = 0; y < Area::kSide; ++y) {
            const auto *riga = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < Area::kSide; ++x) {
                const int i = Area::indice(x, y);
                // Pixels at 0 m or less hold no organisms, as for a station.
                if (a.prof[i] > 0)
                    conteggi[i] = conteggioDelRosso[mapcolour::redComponent(colour::fromQRgb(riga[x]))];
            }
        }
    }
    return a;
}

Caricamento carica(const QString &cartella)
{
    Velmara v;
    SurveyMap mappa(v);
    const QString errore = mappa.loadImages(cartella);
    if (!errore.isEmpty())
        return {std::nullopt, errore};
    return {daMappa(mappa, cartella), {}};
}

} // namespace area
