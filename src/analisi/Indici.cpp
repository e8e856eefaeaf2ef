#include "Indici.h"

#include "ElencoTaxa.h"

#include <cmath>

namespace indici {

std::optional<double> ambi(const Conteggi &conteggi)
{
    static constexpr double kPeso[] = {0.0, 1.5, 3.0, 4.5, 6.0};
    long totale = 0;
    double somma = 0.0;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
        const int n = conteggi[sp - 1];
        totale += n;
        somma += kPeso[static_cast<int>(elencotaxa::gruppo(sp)) - 1] * n;
    }
    if (totale == 0)
        return std::nullopt;
    return somma / static_cast<double>(totale);
}

ClasseAmbi classeAmbi(std::optional<double> valore)
{
    if (!valore)
        return ClasseAmbi::Azoico;
    // Compared at the three decimals printed, so that a printed 1.200 is
    // never shown beside the class above it.
    const double v = std::round(*valore * 1000.0) / 1000.0;
    if (v <= 1.2)
        return ClasseAmbi::Indisturbato;
    if (v <= 3.3)
        return ClasseAmbi::LeggermenteDisturbato;
    if (v <= 5.0)
        return ClasseAmbi::ModeratamenteDisturbato;
    return ClasseAmbi::FortementeDisturbato;
}

QString nomeClasse(ClasseAmbi classe)
{
    switch (classe) {
    case ClasseAmbi::Indisturbato:
        return QStringLiteral("indisturbato");
    case ClasseAmbi::LeggermenteDisturbato:
        return QStringLiteral("leggermente disturbato");
    case ClasseAmbi::ModeratamenteDisturbato:
        return QStringLiteral("moderatamente disturbato");
    case ClasseAmbi::FortementeDisturbato:
        return QStringLiteral("fortemente disturbato");
    case ClasseAmbi::Azoico:
        break;
    }
    return QStringLiteral("azoico");
}

Indici calcola(const Conteggi &conteggi)
{
    Indici r;
    double sommaCoppie = 0.0;
    for (const int n : conteggi) {
        r.N += n;
        if (n > 0)
            ++r.S;
        sommaCoppie += static_cast<double>(n) * (n - 1);
    }
    if (r.N > 0) {
        double h = 0.0;
        for (const int n : conteggi) {
            if (n > 0) {
                const double p = static_cast<double>(n) / r.N;
                h -= p * std::log(p);
            }
        }
        // One species gives -1 * ln 1 = 0 exactly, never -0.
        h = std::fabs(h);
        r.shannonLn = h;
        r.shannonLog2 = h / std::log(2.0);
        if (r.S > 1)
            r.pielou = h / std::log(static_cast<double>(r.S));
    }
    if (r.N > 1) {
        const double N = r.N;
        r.simpson = 1.0 - sommaCoppie / (N * (N - 1.0));
        r.margalef = (r.S - 1) / std::log(N);
    }
    r.ambi = ambi(conteggi);
    r.classe = classeAmbi(r.ambi);
    return r;
}

} // namespace indici
