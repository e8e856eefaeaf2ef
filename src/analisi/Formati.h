#pragma once

#include "Rilievo.h"

#include <QString>

// The survey for R, PRIMER and spreadsheets: UTF-8, comma-separated, a
// header row, a dot for decimals and CR LF line ends (RFC 4180).
namespace formati {

// stazione,x_m,y_m,prof_m,specie,conteggio: one row per station and species.
QString lungo(const Rilievo &rilievo);
// stazione,x_m,y_m,prof_m and one column per species: one row per station.
QString trasposto(const Rilievo &rilievo);

} // namespace formati
