#include "Accumulo.h"

#include <QObject>

#include <algorithm>
#include <cmath>

namespace accumulo {

namespace {

// Pearson's correlation of two species' presences over the stations; 0
// where one of them is everywhere (vegan's NA, which it takes as 0).
double correlazione(const std::vector<Incidenza> &stazioni, int s, int t)
{
    const double n = double(stazioni.size());
    double a = 0.0, b = 0.0, ab = 0.0;
    for (const Incidenza &x : stazioni) {
        a += x[s];
        b += x[t];
        ab += x[s] && x[t];
    }
    const double va = n * a - a * a;
    const double vb = n * b - b * b;
    return va > 0.0 && vb > 0.0 ? (n * ab - a * b) / std::sqrt(va * vb) : 0.0;
}

} // namespace

std::vector<Punto> curvaEsatta(const std::vector<Incidenza> &stazioni)
{
    const int N = int(stazioni.size());
    std::vector<int> specie; // those found at all
    std::vector<int> f;
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
        int k = 0;
        for (const Incidenza &x : stazioni)
            k += x[sp];
        if (k > 0) {
            specie.push_back(sp);
            f.push_back(k);
        }
    }
    const int S = int(specie.size());
    std::vector<double> cor(std::size_t(S) * S, 0.0);
    for (int s = 0; s < S; ++s)
        for (int t = 0; t < s; ++t)
            cor[std::size_t(s) * S + t] = correlazione(stazioni, specie[s], specie[t]);

    // r_s(n) = C(N - f_s, n) / C(N, n), the chance that n stations drawn
    // without replacement all miss species s, built up one station at a time.
    std::vector<double> r(S, 1.0);
    std::vector<Punto> curva;
    for (int n = 1; n <= N; ++n) {
        for (int s = 0; s < S; ++s)
            r[s] = std::max(0.0, r[s] * double(N - f[s] - (n - 1)) / double(N - (n - 1)));
        Punto p;
        p.stazioni = n;
        double varianza = 0.0;
        for (int s = 0; s < S; ++s) {
            p.specie += 1.0 - r[s];
            varianza += r[s] * (1.0 - r[s]);
            for (int t = 0; t < s; ++t)
                varianza += 2.0 * cor[std::size_t(s) * S + t] * std::sqrt(r[s] * (1.0 - r[s]) * r[t] * (1.0 - r[t]));
        }
        p.deviazione = std::sqrt(std::max(0.0, varianza));
        curva.push_back(p);
    }
    return curva;
}

Stimatori stimatori(const std::vector<Incidenza> &stazioni)
{
    Stimatori e;
    e.m = int(stazioni.size());
    const double m = e.m;
    std::array<int, Velmara::kNumSpecie> f{};
    for (const Incidenza &x : stazioni)
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
            f[sp] += x[sp];
    for (const int k : f) {
        e.osservate += k > 0;
        e.q1 += k == 1;
        e.q2 += k == 2;
    }
    const double S = e.osservate;
    const double q1 = e.q1;
    const double q2 = e.q2;
    const double a = m > 0 ? (m - 1.0) / m : 0.0;

    e.chao2 = S + (e.q2 > 0 ? a * q1 * q1 / (2.0 * q2) : a * q1 * (q1 - 1.0) / 2.0);
    double varianza = 0.0;
    if (e.q2 > 0) {
        const double g = q1 / q2;
        varianza = q1 * a * (0.5 + a * (1.0 + g / 4.0) * g) * g;
    } else if (e.chao2 > 0.0) {
        varianza = a * (a * (q1 * (2.0 * q1 - 1.0) * (2.0 * q1 - 1.0) / 4.0 - std::pow(q1, 4.0) / e.chao2 / 4.0)
                        + q1 * (q1 - 1.0) / 2.0);
    }
    e.chao2Errore = std::sqrt(std::max(0.0, varianza));

    e.jack1 = S + q1 * a;
    // Leaving station j out loses the r_j species found only there: the
    // jackknife variance is (m - 1)/m sum_j (r_j - Q1/m)².
    double quadrati = 0.0;
    for (const Incidenza &x : stazioni) {
        int uniche = 0;
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
            uniche += x[sp] && f[sp] == 1;
        quadrati += double(uniche) * uniche;
    }
    e.jack1Errore = m > 0 ? std::sqrt(std::max(0.0, a * (quadrati - q1 * q1 / m))) : 0.0;
    e.jack2 = e.m > 1 ? S + q1 * (2.0 * m - 3.0) / m - q2 * (m - 2.0) * (m - 2.0) / (m * (m - 1.0)) : S;
    return e;
}

Verita verita(const Area &area)
{
    Verita v;
    std::array<long, Velmara::kNumSpecie> presenze{};
    long mare = 0;
    for (std::size_t i = 0; i < area.prof.size(); ++i) {
        if (!area.rilevabile(int(i)))
            continue;
        ++mare;
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
            presenze[sp] += area.conteggi[sp][i] > 0;
    }
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
        v.frazione[sp] = mare > 0 ? double(presenze[sp]) / double(mare) : 0.0;
        v.specie += presenze[sp] > 0;
    }
    return v;
}

double attese(const Verita &v, int n)
{
    double s = 0.0;
    for (const double p : v.frazione)
        s += 1.0 - std::pow(1.0 - p, n);
    return s;
}

Esito sforzo(const Rilievo &rilievo, const Area &area)
{
    Sforzo s;
    for (const Stazione &st : rilievo.stazioni) {
        if (st.prof <= 0) {
            s.escluse.push_back(st.numero);
            continue;
        }
        Incidenza x{};
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
            x[sp] = st.conteggi[sp] > 0;
            s.frequenze[sp] += x[sp];
        }
        s.stazioni.push_back(x);
    }
    if (s.stazioni.size() < 2)
        return {std::nullopt, QObject::tr("servono almeno 2 stazioni in mare per una curva di accumulo; il rilievo ne ha %1")
                                  .arg(s.stazioni.size())};
    s.stime = stimatori(s.stazioni);
    if (s.stime.osservate == 0)
        return {std::nullopt, QObject::tr("nessuna stazione del rilievo ha organismi: non c'è niente da accumulare")};
    s.curva = curvaEsatta(s.stazioni);
    s.vera = verita(area);
    return {std::move(s), {}};
}

} // namespace accumulo
