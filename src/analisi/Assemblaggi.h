#pragma once

#include "Area.h"
#include "Raggruppamento.h"
#include "Similarita.h"

#include <cstdint>
#include <vector>

// The area's true assemblages: its own sea classified the way a survey's
// stations are, so that the survey's groups can be laid over the truth.
namespace assemblaggi {

// The grid clustered holds at most about this many points.
inline constexpr int kPuntiMassimi = 3000;
// Land, beach, and sea without an organism belong to no assemblage.
inline constexpr std::int16_t kNessuno = -1;

struct Mappa {
    int passo = 0;  // the grid's step in pixels
    int punti = 0;  // grid points clustered
    int numero = 0; // assemblages
    // Per pixel (Area::indice), 0 .. numero - 1 or kNessuno.
    std::vector<std::int16_t> assemblaggio;
    std::vector<similarita::Profilo> medie; // each assemblage's mean transformed community
    std::vector<long> pixel;                // its sea pixels; the largest is assemblage 0
};

// The grid's step: the smallest whose points at sea with organisms, on
// the lattice of that step centred in its cells, number at most
// kPuntiMassimi.
int passoGriglia(const Area &area);

// Clusters the grid's points by group average on their own transformed
// counts, cuts the tree as given, and gives every sea pixel with organisms
// the assemblage whose mean community it is most similar to (Bray–Curtis;
// ties to the larger assemblage). Assemblages are numbered by area.
Mappa calcola(const Area &area, similarita::Trasformazione t, const raggruppamento::Taglio &taglio);

// The assemblage at a map column and row.
inline int in(const Mappa &m, int colonna, int riga)
{
    if (colonna < 0 || riga < 0 || colonna >= Area::kSide || riga >= Area::kSide)
        return kNessuno;
    return m.assemblaggio[std::size_t(Area::indice(colonna, riga))];
}

} // namespace assemblaggi
