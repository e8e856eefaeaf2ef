#include "Similarita.h"

#include <QObject>

#include <cmath>

namespace similarita {

std::optional<Trasformazione> leggiTrasformazione(const QString &parola)
{
    for (const Trasformazione t : {Trasformazione::Nessuna, Trasformazione::Radice, Trasformazione::Radice4,
                                   Trasformazione::Presenza})
        if (similarita::parola(t) == parola)
            return t;
    return std::nullopt;
}

QString parola(Trasformazione t)
{
    switch (t) {
    case Trasformazione::Nessuna:
        return QStringLiteral("nessuna");
    case Trasformazione::Radice:
        return QStringLiteral("radice");
    case Trasformazione::Radice4:
        return QStringLiteral("radice4");
    case Trasformazione::Presenza:
        return QStringLiteral("presenza");
    }
    return {};
}

QString nome(Trasformazione t)
{
    switch (t) {
    case Trasformazione::Nessuna:
        return QObject::tr("nessuna (conteggi grezzi)");
    case Trasformazione::Radice:
        return QObject::tr("radice quadrata");
    case Trasformazione::Radice4:
        return QObject::tr("radice quarta");
    case Trasformazione::Presenza:
        return QObject::tr("presenza/assenza");
    }
    return {};
}

double trasforma(Trasformazione t, int conteggio)
{
    switch (t) {
    case Trasformazione::Nessuna:
        return conteggio;
    case Trasformazione::Radice:
        return std::sqrt(double(conteggio));
    case Trasformazione::Radice4:
        return std::sqrt(std::sqrt(double(conteggio)));
    case Trasformazione::Presenza:
        return conteggio > 0 ? 1.0 : 0.0;
    }
    return 0.0;
}

Profilo profilo(const std::array<int, Velmara::kNumSpecie> &conteggi, Trasformazione t)
{
    Profilo p{};
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
        p[sp] = trasforma(t, conteggi[sp]);
    return p;
}

std::optional<double> brayCurtis(const Profilo &a, const Profilo &b)
{
    double differenze = 0.0;
    double somma = 0.0;
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
        differenze += std::fabs(a[sp] - b[sp]);
        somma += a[sp] + b[sp];
    }
    if (somma <= 0.0)
        return std::nullopt;
    // The same figure as 100 minus the matrix's dissimilarity, bit for bit.
    return 100.0 - 100.0 * (differenze / somma);
}

std::vector<double> Matrice::coppie() const
{
    std::vector<double> r;
    r.reserve(std::size_t(n) * (n - 1) / 2);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            r.push_back((*this)(i, j));
    return r;
}

Matrice dissimilarita(const std::vector<Profilo> &profili)
{
    Matrice m;
    m.n = int(profili.size());
    m.valori.assign(std::size_t(m.n) * m.n, 0.0);
    for (int i = 0; i < m.n; ++i)
        for (int j = i + 1; j < m.n; ++j) {
            double differenze = 0.0;
            double somma = 0.0;
            for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
                differenze += std::fabs(profili[i][sp] - profili[j][sp]);
                somma += profili[i][sp] + profili[j][sp];
            }
            // As vegdist: the share of the total that differs, on 0..100.
            // The share first, so that samples with nothing in common tie
            // exactly at 100, as vegdist's tie at 1.
            m(i, j) = m(j, i) = 100.0 * (differenze / somma);
        }
    return m;
}

} // namespace similarita
