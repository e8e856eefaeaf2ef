#include "Area.h"

#include "ImageFiles.h"
#include "MapColour.h"
#include "SurveyMap.h"

#include <QDir>

namespace area {

namespace {

QStringList nomiSpecie()
{
    QStringList nomi;
    for (int i = 1; i <= Velmara::kNumSpecie; ++i)
        nomi << QStringLiteral("s%1.bmp").arg(i);
    return nomi;
}

} // namespace

Area daImmagini(const QImage &bati, const std::array<const QImage *, Velmara::kNumSpecie> &specie, const QString &cartella)
{
    constexpr int n = Area::kSide * Area::kSide;
    Area a;
    a.cartella = cartella;
    a.prof.assign(n, Area::kSenzaProf);
    // Depth and count depend on the red component alone: decode each red
    // value once with the program's rules, then look the pixels up.
    std::array<std::int16_t, 256> profDelRosso{};
    std::array<std::uint8_t, 256> conteggioDelRosso{};
    for (int r = 0; r < 256; ++r) {
        const std::optional<int> p = mapcolour::ProfonditaDaColore(mapcolour::rgb(r, 0, 0));
        profDelRosso[r] = p ? static_cast<std::int16_t>(*p) : Area::kSenzaProf;
        conteggioDelRosso[r] = static_cast<std::uint8_t>(mapcolour::ConteggioDaColore(mapcolour::rgb(r, 0, 0)));
    }

    for (int y = 0; y < Area::kSide; ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(bati.constScanLine(y));
        std::int16_t *prof = a.prof.data() + Area::indice(0, y);
        for (int x = 0; x < Area::kSide; ++x)
            prof[x] = profDelRosso[qRed(riga[x])];
    }
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
        std::vector<std::uint8_t> &conteggi = a.conteggi[sp];
        conteggi.assign(n, 0);
        const QImage &img = *specie[sp];
        for (int y = 0; y < Area::kSide; ++y) {
            const auto *riga = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            const std::int16_t *prof = a.prof.data() + Area::indice(0, y);
            std::uint8_t *c = conteggi.data() + Area::indice(0, y);
            // Pixels at 0 m or less hold no organisms, as for a station.
            for (int x = 0; x < Area::kSide; ++x)
                c[x] = prof[x] > 0 ? conteggioDelRosso[qRed(riga[x])] : 0;
        }
    }
    return a;
}

Area daMappa(const SurveyMap &mappa, const QString &cartella)
{
    std::array<const QImage *, Velmara::kNumSpecie> specie{};
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
        specie[sp] = &mappa.Specie[sp].Image();
    return daImmagini(mappa.Bati.Image(), specie, cartella);
}

Caricamento carica(const QString &cartella)
{
    // The program's own loader and checks, without the map surfaces the
    // field does not need.
    const QStringList nomi = QStringList{QStringLiteral("bati.bmp")} + nomiSpecie();
    const QSize lato(Area::kSide, Area::kSide);
    std::vector<QImage> immagini;
    for (const QString &nome : nomi) {
        imagefiles::Loaded letta = imagefiles::load(QDir(cartella).filePath(nome), lato);
        if (!letta.ok())
            return {std::nullopt, imagefiles::failureMessage(nome, cartella, letta.reason)};
        immagini.push_back(std::move(letta.image));
    }
    std::array<const QImage *, Velmara::kNumSpecie> specie{};
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
        specie[sp] = &immagini[1 + sp];
    return {daImmagini(immagini[0], specie, cartella), {}};
}

} // namespace area
