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

// Depth and count depend on the red component alone: each red value is
// decoded once with the program's rules, then the pixels are looked up.
struct Tabelle {
    std::array<std::int16_t, 256> prof{};
    std::array<std::uint8_t, 256> conteggio{};

    Tabelle()
    {
        for (int r = 0; r < 256; ++r) {
            const std::optional<int> p = mapcolour::ProfonditaDaColore(mapcolour::rgb(r, 0, 0));
            prof[r] = p ? static_cast<std::int16_t>(*p) : Area::kSenzaProf;
            conteggio[r] = static_cast<std::uint8_t>(mapcolour::ConteggioDaColore(mapcolour::rgb(r, 0, 0)));
        }
    }
};

const Tabelle &tabelle()
{
    static const Tabelle t;
    return t;
}

void decodificaProf(const QImage &bati, Area &a)
{
    a.prof.assign(Area::kSide * Area::kSide, Area::kSenzaProf);
    for (int y = 0; y < Area::kSide; ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(bati.constScanLine(y));
        std::int16_t *prof = a.prof.data() + Area::indice(0, y);
        for (int x = 0; x < Area::kSide; ++x)
            prof[x] = tabelle().prof[qRed(riga[x])];
    }
}

void decodificaSpecie(const QImage &img, int sp, Area &a)
{
    std::vector<std::uint8_t> &conteggi = a.conteggi[sp];
    conteggi.assign(Area::kSide * Area::kSide, 0);
    for (int y = 0; y < Area::kSide; ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        const std::int16_t *prof = a.prof.data() + Area::indice(0, y);
        std::uint8_t *c = conteggi.data() + Area::indice(0, y);
        // Pixels at 0 m or less hold no organisms, as for a station.
        for (int x = 0; x < Area::kSide; ++x)
            c[x] = prof[x] > 0 ? tabelle().conteggio[qRed(riga[x])] : 0;
    }
}

} // namespace

Area daImmagini(const QImage &bati, const std::array<const QImage *, Velmara::kNumSpecie> &specie, const QString &cartella)
{
    Area a;
    a.cartella = cartella;
    decodificaProf(bati, a);
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
        decodificaSpecie(*specie[sp], sp, a);
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
    return carica(cartella, [&cartella](const QString &nome, QSize lato) {
        return imagefiles::load(QDir(cartella).filePath(nome), lato);
    });
}

Caricamento carica(const QString &cartella, const Lettore &lettore)
{
    // The program's own loader and checks, without the map surfaces the
    // field does not need. Each picture is decoded as soon as it is read,
    // so that the next one reuses its memory.
    const QStringList nomi = QStringList{QStringLiteral("bati.bmp")} + nomiSpecie();
    const QSize lato(Area::kSide, Area::kSide);
    Area a;
    a.cartella = cartella;
    for (int i = 0; i < nomi.size(); ++i) {
        const imagefiles::Loaded letta = lettore(nomi[i], lato);
        if (!letta.ok())
            return {std::nullopt, imagefiles::failureMessage(nomi[i], cartella, letta.reason)};
        if (i == 0)
            decodificaProf(letta.image, a);
        else
            decodificaSpecie(letta.image, i - 1, a);
    }
    return {std::move(a), {}};
}

} // namespace area
