#pragma once

#include "PictureSurface.h"
#include "RouteReadout.h"
#include "StationOverlay.h"
#include "Velmara.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// Everything the main window knows about the map, without any widget: the
// visible map, the hidden bathymetry and species pictures, the saves under
// the overlays, the number of stations and the depth under the cursor.
class SurveyMap
{
public:
    static constexpr int kSide = 512;

    explicit SurveyMap(Velmara &state);

    // Reads bati.bmp, base.bmp and s1.bmp .. s12.bmp from the folder. All or
    // nothing: on failure nothing changes and the message names the file.
    QString loadImages(const QString &folder);

    Velmara &v;
    PictureSurface Mappa{QSize(kSide, kSide)};
    PictureSurface Bati{QSize(kSide, kSide)};
    std::array<PictureSurface, Velmara::kNumSpecie> Specie;
    // Map pixels under the station markers.
    PictureSurface Buffer{QSize(kSide, kSide)};
    StationOverlay overlay{Mappa, Buffer};

    std::int16_t NumStazioni = 0;
    std::int16_t ProfCursore = 0;

    // Whether (X, Y) is a pixel of the map.
    bool onMap(float X, float Y) const { return Bati.Point(X, Y) != -1; }

    // What a left click on the map came to.
    enum class LeftClick {
        Nothing,   // outside the survey area, or a red pixel that is no station
        OpenSieve, // on or beside a marker: StazSel is the nearest station
        Refused,   // free sea, but the survey is full
        Placed,    // a new station, number NumStazioni
    };
    LeftClick leftClick(float X, float Y);
    // Deletes the station whose marker holds the pixel; its number, or 0
    // when no marker holds it.
    int rightClick(float X, float Y);

    // The station nearest to (x, y), the lower number on equal distances;
    // 0 without stations.
    int TrovaStazione(float x, float y) const;
    // Removes the station nearest to (x, y) from both tables and sets
    // StazSel to it; NumStazioni is left to the caller.
    void EliminaStazione(float x, float y);
    // The station whose marker holds the map pixel (X, Y), or 0.
    int stationAtMarker(float X, float Y) const;

    // Shows the station numbers when hidden, hides them when shown.
    void MostraID();

    // The readout for the cursor at (X, Y); remembers the depth there.
    RouteReadout readCursor(float X, float Y);

    std::vector<QPoint> stationPositions() const;
};

// "0 stazioni", "1 stazione", "2 stazioni", ...
QString stationCountText(int count);
