#include "SurveyMap.h"

#include "ImageFiles.h"
#include "NumberText.h"

#include <QDir>

#include <cstdlib>
#include <future>

namespace {

std::array<PictureSurface, Velmara::kNumSpecie> speciesSurfaces()
{
    std::array<PictureSurface, Velmara::kNumSpecie> surfaces;
    surfaces.fill(PictureSurface(QSize(SurveyMap::kSide, SurveyMap::kSide)));
    return surfaces;
}

} // namespace

SurveyMap::SurveyMap(Velmara &state)
    : v(state)
    , Specie(speciesSurfaces())
{
    Mappa.ForeColor = StationOverlay::kLabelColour;
}

QString SurveyMap::loadImages(const QString &folder)
{
    QStringList names{QStringLiteral("bati.bmp"), QStringLiteral("base.bmp")};
    for (int i = 1; i <= Velmara::kNumSpecie; ++i)
        names << QStringLiteral("s%1.bmp").arg(i);

    const QSize side(kSide, kSide);
    const auto n = static_cast<std::size_t>(names.size());
    std::vector<imagefiles::Loaded> loaded(n);
    const auto loadEvery = [&](std::size_t first) {
        for (std::size_t i = first; i < n; i += 2)
            loaded[i] = imagefiles::load(QDir(folder).filePath(names.at(static_cast<qsizetype>(i))), side);
    };
    // Decoding is nearly all of the wait at start and reset: every other
    // picture is decoded on a second core.
    auto odd = std::async(std::launch::async, loadEvery, std::size_t{1});
    loadEvery(0);
    odd.get();
    // The first failure in file order is the one reported.
    std::vector<QImage> images;
    for (std::size_t i = 0; i < n; ++i) {
        if (!loaded[i].ok())
            return imagefiles::failureMessage(names[static_cast<qsizetype>(i)], folder, loaded[i].reason);
        images.push_back(std::move(loaded[i].image));
    }
    Bati.setPicture(images[0]);
    Mappa.setPicture(images[1]);
    for (int i = 0; i < Velmara::kNumSpecie; ++i)
        Specie[i].setPicture(images[2 + i]);
    overlay.forgetLabels();
    return {};
}

SurveyMap::LeftClick SurveyMap::leftClick(float X, float Y)
{
    // Black is land or beyond the survey area; off the picture a marker
    // could not even be seen.
    if (!onMap(X, Y) || Bati.Point(X, Y) == mapcolour::kBlack)
        return LeftClick::Nothing;

    if (overlay.touchesMarker(X, Y)) {
        const int k = TrovaStazione(X, Y);
        if (k == 0)
            return LeftClick::Nothing; // red in the map picture itself
        v.StazSel = static_cast<std::int16_t>(k);
        return LeftClick::OpenSieve;
    }
    if (NumStazioni >= Velmara::kMaxStazioni)
        return LeftClick::Refused;

    const bool shown = v.IDVisibili;
    if (shown)
        MostraID();
    overlay.drawMarker(X, Y);
    const int n = ++NumStazioni;
    v.Stazioni[n][Velmara::kX] = static_cast<std::int16_t>(rounding::halfEvenInt(X));
    v.Stazioni[n][Velmara::kY] = static_cast<std::int16_t>(rounding::halfEvenInt(Y));
    v.Stazioni[n][Velmara::kProf] = ProfCursore;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
        const ColourValue c = Specie[sp - 1].Point(X, Y);
        v.Conteggi[n][sp] = static_cast<std::int16_t>(ProfCursore > 0 ? mapcolour::ConteggioDaColore(c) : 0);
    }
    if (shown)
        MostraID();
    return LeftClick::Placed;
}

int SurveyMap::rightClick(float X, float Y)
{
    if (Mappa.Point(X, Y) != mapcolour::kPureRed)
        return 0;
    const int k = stationAtMarker(X, Y);
    if (k == 0)
        return 0; // red in the map picture itself

    const bool shown = v.IDVisibili;
    if (shown)
        MostraID();
    const float centreX = v.Stazioni[k][Velmara::kX];
    const float centreY = v.Stazioni[k][Velmara::kY];
    overlay.eraseMarker(centreX, centreY);
    EliminaStazione(centreX, centreY);
    --NumStazioni;
    if (shown)
        MostraID();
    return k;
}

int SurveyMap::TrovaStazione(float x, float y) const
{
    int best = 0;
    float smallest = 1.0e38f;
    for (int i = 1; i <= NumStazioni; ++i) {
        const double dx = static_cast<double>(v.Stazioni[i][Velmara::kX]) - x;
        const double dy = static_cast<double>(v.Stazioni[i][Velmara::kY]) - y;
        const float d = static_cast<float>(dx * dx + dy * dy);
        if (d < smallest) {
            smallest = d;
            best = i;
        }
    }
    return best;
}

void SurveyMap::EliminaStazione(float x, float y)
{
    const int k = TrovaStazione(x, y);
    v.StazSel = static_cast<std::int16_t>(k);
    if (k == 0)
        return;
    for (int i = k + 1; i <= NumStazioni; ++i) {
        v.Stazioni[i - 1] = v.Stazioni[i];
        v.Conteggi[i - 1] = v.Conteggi[i];
    }
}

int SurveyMap::stationAtMarker(float X, float Y) const
{
    const int column = rounding::halfEvenInt(X);
    const int row = rounding::halfEvenInt(Y);
    for (int i = 1; i <= NumStazioni; ++i) {
        if (std::abs(v.Stazioni[i][Velmara::kX] - column) <= 2 && std::abs(v.Stazioni[i][Velmara::kY] - row) <= 2)
            return i;
    }
    return 0;
}

void SurveyMap::MostraID()
{
    const bool shown = v.IDVisibili;
    if (shown)
        overlay.hideLabels();
    else
        overlay.showLabels(stationPositions());
    v.IDVisibili = !shown;
}

RouteReadout SurveyMap::readCursor(float X, float Y)
{
    std::optional<RouteReference> reference;
    if (NumStazioni > 0) {
        reference = RouteReference{NumStazioni, v.Stazioni[NumStazioni][Velmara::kX],
                                   v.Stazioni[NumStazioni][Velmara::kY]};
    }
    RouteReadout readout = RouteReadout::at(X, Y, Bati.Point(X, Y), reference);
    if (readout.profCursore)
        ProfCursore = *readout.profCursore;
    return readout;
}

std::vector<QPoint> SurveyMap::stationPositions() const
{
    std::vector<QPoint> positions;
    for (int i = 1; i <= NumStazioni; ++i)
        positions.emplace_back(v.Stazioni[i][Velmara::kX], v.Stazioni[i][Velmara::kY]);
    return positions;
}

QString stationCountText(int count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" stazione") : QStringLiteral(" stazioni"));
}
