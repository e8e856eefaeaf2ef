#pragma once

#include "Velmara.h"

#include <QString>

#include <array>
#include <optional>

// The indices benthic ecologists report, from the counts of one sample or of
// a whole survey pooled. An index that is undefined for the counts is empty.
namespace indici {

using Conteggi = std::array<int, Velmara::kNumSpecie>;

enum class ClasseAmbi {
    Indisturbato,            // AMBI <= 1.2
    LeggermenteDisturbato,   // <= 3.3
    ModeratamenteDisturbato, // <= 5.0
    FortementeDisturbato,    // <= 6.0
    Azoico,                  // no organism at all
};

struct Indici {
    int N = 0; // organisms
    int S = 0; // species present
    std::optional<double> shannonLn;   // H' = -sum p ln p; empty for N = 0
    std::optional<double> shannonLog2; // the same in bits
    std::optional<double> pielou;      // J' = H' / ln S; empty for S <= 1
    std::optional<double> simpson;     // 1 - sum n(n-1) / (N(N-1)); empty for N <= 1
    std::optional<double> margalef;    // d = (S - 1) / ln N; empty for N <= 1
    std::optional<double> ambi;        // empty for N = 0
    ClasseAmbi classe = ClasseAmbi::Azoico;
};

Indici calcola(const Conteggi &conteggi);

// AMBI = (0 %I + 1.5 %II + 3 %III + 4.5 %IV + 6 %V) / 100, with the groups
// of elencotaxa::elenco(); empty without organisms.
std::optional<double> ambi(const Conteggi &conteggi);
ClasseAmbi classeAmbi(std::optional<double> ambi);
QString nomeClasse(ClasseAmbi classe); // "indisturbato", ..., "azoico"

} // namespace indici
