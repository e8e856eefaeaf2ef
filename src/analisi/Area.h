#pragma once

#include "Velmara.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class SurveyMap;

// The true field: the depth and the count of every species at every pixel
// of the area, decoded from the same pictures and by the same rules as the
// stations the program places.
struct Area {
    static constexpr int kSide = 512;
    // A pixel whose bathymetry gives no depth (red 0, land included).
    static constexpr std::int16_t kSenzaProf = INT16_MIN;

    QString cartella;
    std::vector<std::int16_t> prof; // row-major, kSide * kSide
    std::array<std::vector<std::uint8_t>, Velmara::kNumSpecie> conteggi;

    static int indice(int colonna, int riga) { return riga * kSide + colonna; }
    // The surveyable sea: a depth above 0 m, where organisms live.
    bool rilevabile(int i) const { return prof[i] > 0; }
};

namespace area {

// The area's pictures in the map's surfaces, decoded pixel by pixel.
Area daMappa(const SurveyMap &mappa, const QString &cartella);

// Reads bati.bmp and s1.bmp .. s12.bmp (and base.bmp, which the program
// needs too) with the program's own loader; the message names the file.
struct Caricamento {
    std::optional<Area> area;
    QString errore;
};
Caricamento carica(const QString &cartella);

} // namespace area
