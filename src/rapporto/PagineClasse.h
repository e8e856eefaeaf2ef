#pragma once

#include "RapportoDati.h"
#include "Stampa.h"

namespace rapporto {

// Across the surveys of a class, per quantity: the mean and the sample
// standard deviation of the estimates, and how many intervals cover the
// truth out of how many surveys gave one.
struct Riassunto {
    double media = 0;
    std::optional<double> deviazione;
    int coprono = 0;
    int conIntervallo = 0;
};
std::vector<Riassunto> riassumi(const Classe &classe);

// The class report: what was used and why some was not, the table of every
// survey's estimates against the truth, and one picture per quantity.
stampa::Documento documentoClasse(const Classe &classe);

} // namespace rapporto
