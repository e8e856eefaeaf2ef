#pragma once

#include "Velmara.h"

#include <QString>

#include <array>

// The taxa of the area, species 1..12 as the density pictures number them,
// with the ecological group each takes in AMBI. A teacher whose area holds
// other animals changes the names and groups here.
namespace elencotaxa {

enum class GruppoAmbi { I = 1, II, III, IV, V };

struct Taxon {
    const char *nome;   // for tables and CSV headers: no comma, no tab
    GruppoAmbi gruppo;
};

// Element sp - 1 is species sp.
const std::array<Taxon, Velmara::kNumSpecie> &elenco();

QString nome(int specie);            // 1-based
GruppoAmbi gruppo(int specie);       // 1-based
QString romano(GruppoAmbi gruppo);   // "I" .. "V"

} // namespace elencotaxa
