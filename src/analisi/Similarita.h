#pragma once

#include "Velmara.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// The counts as community statistics read them: transformed first, then
// compared station with station by Bray–Curtis.
namespace similarita {

enum class Trasformazione { Nessuna, Radice, Radice4, Presenza };

// The command-line word: nessuna, radice, radice4, presenza.
std::optional<Trasformazione> leggiTrasformazione(const QString &parola);
QString parola(Trasformazione t);
// How outputs state it: "radice quadrata", "radice quarta", ...
QString nome(Trasformazione t);

double trasforma(Trasformazione t, int conteggio);

// One sample's transformed counts, species 1..12 at 0..11.
using Profilo = std::array<double, Velmara::kNumSpecie>;
Profilo profilo(const std::array<int, Velmara::kNumSpecie> &conteggi, Trasformazione t);

// 100 (1 - sum |a - b| / sum (a + b)), from 0 (nothing shared) to 100
// (the same sample); empty when both samples are empty.
std::optional<double> brayCurtis(const Profilo &a, const Profilo &b);

// The dissimilarities 100 - S among n samples, square and symmetric.
struct Matrice {
    int n = 0;
    std::vector<double> valori; // n * n, row by row

    double operator()(int i, int j) const { return valori[std::size_t(i) * n + j]; }
    double &operator()(int i, int j) { return valori[std::size_t(i) * n + j]; }
    // The upper triangle row by row: (0,1), (0,2), ..., (n-2,n-1).
    std::vector<double> coppie() const;
};

// Every sample must hold an organism.
Matrice dissimilarita(const std::vector<Profilo> &profili);

} // namespace similarita
