#pragma once

#include "PictureSurface.h"
#include "Velmara.h"

#include <QString>

#include <array>
#include <cstdint>

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

    std::int16_t NumStazioni = 0;
    std::int16_t ProfCursore = 0;
};

// "0 stazioni", "1 stazione", "2 stazioni", ...
QString stationCountText(int count);
