#pragma once

#include "Similarita.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// Non-metric multidimensional scaling (nMDS) in two dimensions.
namespace ordinamento {

using Punto = std::array<double, 2>;
using Configurazione = std::vector<Punto>;

// The least-squares non-decreasing fit to y (pool-adjacent violators).
std::vector<double> monotona(const std::vector<double> &y);

// Kruskal's stress-1, sqrt(sum (d - d^)² / sum d²): d the distances of the
// configuration, d^ their monotone regression on the dissimilarities, tied
// dissimilarities free to take different d^ (the primary approach). 0 for
// a configuration with every point in one place.
double stress(const similarita::Matrice &dissimilarita, const Configurazione &x);

// Classical scaling (principal coordinates) in two dimensions.
Configurazione pcoa(const similarita::Matrice &dissimilarita);

// Centred, rotated to its principal axes (the first the longer), each axis
// pointing to its farthest point, and scaled to a root mean square distance
// of 1 from the centre: the same picture however a start turned it.
Configurazione assiPrincipali(Configurazione x);

struct Risultato {
    Configurazione punti;
    double stress = 0.0;
    int partenze = 0; // the PCoA start and the random ones
    int alMinimo = 0; // starts that ended within 0.001 of the lowest stress
};

// From the PCoA configuration and `casuali` random ones drawn with the
// seed, keeps the lowest stress. At least three objects.
Risultato nmds(const similarita::Matrice &dissimilarita, int casuali, std::uint64_t seme);

// Clarke's reading of a stress: below 0.05 excellent, below 0.1 good,
// below 0.2 usable with care, otherwise unreliable.
QString lettura(double stress);

} // namespace ordinamento
