#pragma once

#include "GraficiClasse.h"
#include "RapportoDati.h"
#include "Stampa.h"

namespace rapporto {

// The class report: what was used and why some was not, the table of every
// survey's estimates against the truth, and one picture per quantity.
stampa::Documento documentoClasse(const Classe &classe);

} // namespace rapporto
