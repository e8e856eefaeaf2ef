#include "Simper.h"

#include <algorithm>
#include <cmath>

namespace simper {

namespace {

using similarita::Profilo;
constexpr int kSpecie = Velmara::kNumSpecie;

// Sums and sums of squares of each species' term over the pairs.
struct Somme {
    std::array<double, kSpecie> somma{};
    std::array<double, kSpecie> quadrati{};
    int coppie = 0;

    template <typename Termine>
    void aggiungi(const Profilo &x, const Profilo &y, Termine termine)
    {
        double totale = 0.0;
        for (int sp = 0; sp < kSpecie; ++sp)
            totale += x[sp] + y[sp];
        for (int sp = 0; sp < kSpecie; ++sp) {
            const double c = totale > 0.0 ? 100.0 * termine(x[sp], y[sp]) / totale : 0.0;
            somma[sp] += c;
            quadrati[sp] += c * c;
        }
        ++coppie;
    }
};

Tabella tabella(const Somme &s, double soglia)
{
    Tabella t;
    t.coppie = s.coppie;
    if (s.coppie == 0)
        return t;
    std::vector<Contributo> tutti;
    for (int sp = 0; sp < kSpecie; ++sp) {
        Contributo c;
        c.specie = sp + 1;
        c.media = s.somma[sp] / s.coppie;
        t.media += c.media;
        if (s.coppie > 1) {
            const double varianza = (s.quadrati[sp] - s.coppie * c.media * c.media) / (s.coppie - 1);
            const double deviazione = std::sqrt(std::max(0.0, varianza));
            if (deviazione > 1e-9 * std::max(1.0, c.media))
                c.rapporto = c.media / deviazione;
        }
        if (c.media > 0.0)
            tutti.push_back(c);
    }
    std::stable_sort(tutti.begin(), tutti.end(), [](const Contributo &a, const Contributo &b) { return a.media > b.media; });
    double cumulato = 0.0;
    for (Contributo &c : tutti) {
        c.percento = 100.0 * c.media / t.media;
        cumulato += c.percento;
        c.cumulato = cumulato;
        t.specie.push_back(c);
        // The species that reaches the threshold is the last listed.
        if (cumulato >= soglia - 1e-9)
            break;
    }
    return t;
}

} // namespace

Tabella entro(const std::vector<Profilo> &gruppo, double soglia)
{
    Somme s;
    for (std::size_t j = 0; j < gruppo.size(); ++j)
        for (std::size_t k = j + 1; k < gruppo.size(); ++k)
            s.aggiungi(gruppo[j], gruppo[k], [](double a, double b) { return 2.0 * std::min(a, b); });
    return tabella(s, soglia);
}

Tabella tra(const std::vector<Profilo> &a, const std::vector<Profilo> &b, double soglia)
{
    Somme s;
    for (const Profilo &x : a)
        for (const Profilo &y : b)
            s.aggiungi(x, y, [](double p, double q) { return std::fabs(p - q); });
    return tabella(s, soglia);
}

} // namespace simper
