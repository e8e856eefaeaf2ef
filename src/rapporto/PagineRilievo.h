#pragma once

#include "RapportoDati.h"
#include "Stampa.h"

namespace rapporto {

// The pages of one survey's report: the map with the stations, the
// station table, the estimates against the truth with the rank-abundance
// plot, and the zonation.
stampa::Documento documentoRilievo(const Rilievo &rilievo);

// Where each station's number goes on the map: beside its marker, on the
// first side where it covers no other number and no other marker. Boxes are
// in map pixels; element i belongs to station i + 1.
std::vector<QRectF> posizioniNumeri(const std::vector<QPoint> &stazioni, const std::vector<QSizeF> &testi);

} // namespace rapporto
