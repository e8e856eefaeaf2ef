#pragma once

#include "ImageFiles.h"
#include "Velmara.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
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

// The bathymetry and species pictures (Format_RGB32, kSide square),
// decoded pixel by pixel.
Area daImmagini(const QImage &bati, const std::array<const QImage *, Velmara::kNumSpecie> &specie,
                const QString &cartella);
// The same from the pictures a map has loaded.
Area daMappa(const SurveyMap &mappa, const QString &cartella);

// Reads bati.bmp and s1.bmp .. s12.bmp with the program's own loader and
// checks; on failure the message names the file and the folder.
struct Caricamento {
    std::optional<Area> area;
    QString errore;
};
Caricamento carica(const QString &cartella);
// The same with the pictures from elsewhere: lettore reads one by its file
// name (bati.bmp, s1.bmp, ...), held to the size given.
using Lettore = std::function<imagefiles::Loaded(const QString &nome, QSize lato)>;
Caricamento carica(const QString &cartella, const Lettore &lettore);

} // namespace area
