#include "ElencoTaxa.h"

namespace elencotaxa {

// Groups of the AMBI species list of AZTI (Borja, Franco & Perez 2000, Mar.
// Pollut. Bull. 40: 1100-1114; list of October 2024 as distributed with the
// ambiR package, data-raw/AMBI_species_list.csv), for the species or, where
// the area holds a genus, for "Genus sp.". The answer key gives each entry.
const std::array<Taxon, Velmara::kNumSpecie> &elenco()
{
    static const std::array<Taxon, Velmara::kNumSpecie> taxa{{
        {"Nephtys", GruppoAmbi::II},
        {"Lanice conchilega", GruppoAmbi::II},
        {"Chamelea/Venus", GruppoAmbi::I},
        {"Tellina/Donax", GruppoAmbi::I},
        {"Nassarius", GruppoAmbi::II},
        {"Antalis", GruppoAmbi::I},
        {"Ampelisca", GruppoAmbi::I},
        {"Cumacea", GruppoAmbi::I},
        {"Liocarcinus", GruppoAmbi::I},
        {"Amphiura filiformis", GruppoAmbi::II},
        {"Echinocardium cordatum", GruppoAmbi::I},
        {"Capitella capitata", GruppoAmbi::V},
    }};
    return taxa;
}

QString nome(int specie)
{
    return QString::fromUtf8(elenco().at(specie - 1).nome);
}

GruppoAmbi gruppo(int specie)
{
    return elenco().at(specie - 1).gruppo;
}

QString romano(GruppoAmbi gruppo)
{
    static const char *const numeri[] = {"I", "II", "III", "IV", "V"};
    return QString::fromLatin1(numeri[static_cast<int>(gruppo) - 1]);
}

} // namespace elencotaxa
