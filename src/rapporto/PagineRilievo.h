#pragma once

#include "RapportoDati.h"
#include "Stampa.h"

namespace rapporto {

// The pages of one survey's report: the map with the stations, the
// station table, the estimates against the truth with the rank-abundance
// plot, and the zonation.
stampa::Documento documentoRilievo(const Rilievo &rilievo);

} // namespace rapporto
