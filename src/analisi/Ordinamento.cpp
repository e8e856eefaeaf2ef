#include "Ordinamento.h"

#include "Caso.h"

#include <QObject>

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace ordinamento {

namespace {

// Pool-adjacent violators over y[0 .. n), the fit written to out; the
// block buffers are the caller's, so that repeated fits allocate nothing.
// Blocks keep their sums, the last one in registers: means are compared
// by cross-multiplying and divided out only at the end.
void pava(const double *y, std::size_t n, double *out, std::vector<double> &somma, std::vector<double> &peso)
{
    if (n == 0)
        return;
    somma.resize(n);
    peso.resize(n);
    std::size_t blocchi = 0;
    double s = y[0];
    double w = 1.0;
    for (std::size_t k = 1; k < n; ++k) {
        const double v = y[k];
        if (!(s > v * w)) {
            somma[blocchi] = s;
            peso[blocchi] = w;
            ++blocchi;
            s = v;
            w = 1.0;
            continue;
        }
        s += v;
        w += 1.0;
        while (blocchi > 0 && somma[blocchi - 1] * w > s * peso[blocchi - 1]) {
            --blocchi;
            s += somma[blocchi];
            w += peso[blocchi];
        }
    }
    somma[blocchi] = s;
    peso[blocchi] = w;
    ++blocchi;
    for (std::size_t b = 0, k = 0; b < blocchi; ++b) {
        if (peso[b] == 1.0) {
            out[k++] = somma[b];
            continue;
        }
        const double media = somma[b] / peso[b];
        for (std::size_t t = 0; t < std::size_t(peso[b]); ++t)
            out[k++] = media;
    }
}

// The pairs in order of dissimilarity, held in that order, so that every
// pass runs straight through memory. Runs of tied dissimilarities are
// re-ordered by distance at every fit (the primary approach).
class Regressione
{
public:
    explicit Regressione(const similarita::Matrice &delta) : n_(delta.n)
    {
        std::vector<double> valori;
        for (int i = 0; i < n_; ++i)
            for (int j = i + 1; j < n_; ++j) {
                coppie_.push_back({i, j});
                valori.push_back(delta(i, j));
            }
        const std::size_t m = coppie_.size();
        std::vector<std::size_t> ordine(m);
        std::iota(ordine.begin(), ordine.end(), 0);
        std::stable_sort(ordine.begin(), ordine.end(), [&](std::size_t a, std::size_t b) { return valori[a] < valori[b]; });
        std::vector<Coppia> ordinate;
        for (const std::size_t k : ordine)
            ordinate.push_back(coppie_[k]);
        coppie_.swap(ordinate);
        for (std::size_t k = 0; k < m;) {
            std::size_t fine = k + 1;
            while (fine < m && valori[ordine[fine]] == valori[ordine[k]])
                ++fine;
            if (fine - k > 1)
                pari_.push_back({k, fine});
            k = fine;
        }
        d_.resize(m);
        adattate_.resize(m);
    }

    // The distances and their monotone regression; returns the stress.
    double valuta(const Configurazione &x)
    {
        const std::size_t m = coppie_.size();
        for (std::size_t k = 0; k < m; ++k) {
            const double dx = x[coppie_[k].i][0] - x[coppie_[k].j][0];
            const double dy = x[coppie_[k].i][1] - x[coppie_[k].j][1];
            d_[k] = std::sqrt(dx * dx + dy * dy);
        }
        for (const auto &[da, a] : pari_)
            ordina(da, a);
        pava(d_.data(), m, adattate_.data(), somme_, pesi_);
        double residui = 0.0, totale = 0.0;
        for (std::size_t k = 0; k < m; ++k) {
            const double r = d_[k] - adattate_[k];
            residui += r * r;
            totale += d_[k] * d_[k];
        }
        totale_ = totale;
        return totale > 0.0 ? std::sqrt(residui / totale) : 0.0;
    }

    // The gradient of stress² at the configuration last evaluated, its
    // fitted distances held: they are the best for it, so that is exact.
    void gradiente(const Configurazione &x, double stress, Configurazione &g) const
    {
        g.assign(std::size_t(n_), Punto{0.0, 0.0});
        if (totale_ <= 0.0)
            return;
        const double s2 = stress * stress;
        const double k2 = 2.0 / totale_;
        for (std::size_t k = 0; k < d_.size(); ++k) {
            if (d_[k] <= 0.0)
                continue;
            const Coppia c = coppie_[k];
            const double f = k2 * ((1.0 - s2) - adattate_[k] / d_[k]);
            const double vx = f * (x[c.i][0] - x[c.j][0]);
            const double vy = f * (x[c.i][1] - x[c.j][1]);
            g[c.i][0] += vx;
            g[c.i][1] += vy;
            g[c.j][0] -= vx;
            g[c.j][1] -= vy;
        }
    }

private:
    struct Coppia {
        int i = 0;
        int j = 0;
    };

    // A run of ties stays in the order of the last fit, which the next
    // changes little once a start settles: insertion sort is then about
    // linear. After a long step it would not be, and a full sort takes over.
    void ordina(std::size_t da, std::size_t a)
    {
        std::size_t spostamenti = 0;
        const std::size_t limite = 8 * (a - da);
        for (std::size_t t = da + 1; t < a; ++t) {
            const double v = d_[t];
            const Coppia c = coppie_[t];
            std::size_t u = t;
            for (; u > da && d_[u - 1] > v; --u) {
                d_[u] = d_[u - 1];
                coppie_[u] = coppie_[u - 1];
            }
            d_[u] = v;
            coppie_[u] = c;
            spostamenti += t - u;
            if (spostamenti > limite) {
                scelta_.clear();
                for (std::size_t k = da; k < a; ++k)
                    scelta_.push_back({d_[k], coppie_[k]});
                std::sort(scelta_.begin(), scelta_.end(), [](const auto &p, const auto &q) { return p.first < q.first; });
                for (std::size_t k = da; k < a; ++k) {
                    d_[k] = scelta_[k - da].first;
                    coppie_[k] = scelta_[k - da].second;
                }
                return;
            }
        }
    }

    int n_ = 0;
    std::vector<Coppia> coppie_;
    std::vector<std::pair<std::size_t, std::size_t>> pari_;
    std::vector<double> d_, adattate_;
    double totale_ = 0.0;
    std::vector<double> somme_, pesi_;
    std::vector<std::pair<double, Coppia>> scelta_;
};

struct Esito {
    Configurazione punti;
    double stress = 0.0;
};

double prodotto(const Configurazione &a, const Configurazione &b)
{
    double s = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i)
        s += a[i][0] * b[i][0] + a[i][1] * b[i][1];
    return s;
}

// Limited-memory BFGS on stress². With the monotone fit held, stress has
// Kruskal's gradient, exact except on a thin set where the fit's blocks
// change; a quasi-Newton step finds a valley in tens of steps where
// steepest descent and SMACOF take hundreds. It stops when a step gains
// less than a hundred-thousandth of the stress.
Esito adatta(Regressione &r, Configurazione x)
{
    constexpr int kPassiMassimi = 500;
    constexpr int kMemoria = 6;
    constexpr double kTolleranza = 1e-5;
    const std::size_t n = x.size();
    double s = r.valuta(x);
    Configurazione g, gNuovo, y, direzione;
    r.gradiente(x, s, g);
    std::vector<Configurazione> passi, variazioni;
    std::vector<double> rho;
    for (int passo = 0; passo < kPassiMassimi && s > 1e-9; ++passo) {
        // The two-loop recursion: direzione = -H g.
        direzione = g;
        std::vector<double> alfa(passi.size());
        for (std::size_t k = passi.size(); k-- > 0;) {
            alfa[k] = rho[k] * prodotto(passi[k], direzione);
            for (std::size_t i = 0; i < n; ++i)
                for (int a = 0; a < 2; ++a)
                    direzione[i][a] -= alfa[k] * variazioni[k][i][a];
        }
        double scala = 0.0;
        if (passi.empty()) {
            const double gg = prodotto(g, g);
            scala = gg > 0.0 ? 0.05 * std::sqrt(prodotto(x, x) / gg) : 0.0;
        } else {
            scala = prodotto(passi.back(), variazioni.back()) / prodotto(variazioni.back(), variazioni.back());
        }
        for (auto &p : direzione)
            p = {p[0] * scala, p[1] * scala};
        for (std::size_t k = 0; k < passi.size(); ++k) {
            const double beta = rho[k] * prodotto(variazioni[k], direzione);
            for (std::size_t i = 0; i < n; ++i)
                for (int a = 0; a < 2; ++a)
                    direzione[i][a] += (alfa[k] - beta) * passi[k][i][a];
        }
        double pendenza = prodotto(g, direzione);
        if (!(pendenza > 0.0)) {
            // Not a descent direction: start the memory again.
            passi.clear();
            variazioni.clear();
            rho.clear();
            const double gg = prodotto(g, g);
            const double k = gg > 0.0 ? 0.05 * std::sqrt(prodotto(x, x) / gg) : 0.0;
            direzione = g;
            for (auto &p : direzione)
                p = {p[0] * k, p[1] * k};
            pendenza = prodotto(g, direzione);
            if (!(pendenza > 0.0))
                break;
        }
        double t = 1.0;
        double nuovo = s;
        bool trovato = false;
        for (int prova = 0; prova < 30; ++prova) {
            y.resize(n);
            for (std::size_t i = 0; i < n; ++i)
                for (int a = 0; a < 2; ++a)
                    y[i][a] = x[i][a] - t * direzione[i][a];
            nuovo = r.valuta(y);
            if (nuovo * nuovo <= s * s - 1e-4 * t * pendenza) {
                trovato = true;
                break;
            }
            t /= 2.0;
        }
        if (!trovato) {
            r.valuta(x);
            break;
        }
        r.gradiente(y, nuovo, gNuovo);
        Configurazione sk(n), yk(n);
        for (std::size_t i = 0; i < n; ++i)
            for (int a = 0; a < 2; ++a) {
                sk[i][a] = y[i][a] - x[i][a];
                yk[i][a] = gNuovo[i][a] - g[i][a];
            }
        const double sy = prodotto(sk, yk);
        if (sy > 1e-12 * std::sqrt(prodotto(sk, sk) * prodotto(yk, yk))) {
            if (int(passi.size()) == kMemoria) {
                passi.erase(passi.begin());
                variazioni.erase(variazioni.begin());
                rho.erase(rho.begin());
            }
            passi.push_back(std::move(sk));
            variazioni.push_back(std::move(yk));
            rho.push_back(1.0 / sy);
        }
        const bool fermo = !(nuovo < s - kTolleranza * s);
        x.swap(y);
        g.swap(gNuovo);
        s = nuovo;
        if (fermo)
            break;
    }
    return {std::move(x), s};
}

} // namespace

std::vector<double> monotona(const std::vector<double> &y)
{
    std::vector<double> r(y.size());
    std::vector<double> somma, peso;
    pava(y.data(), y.size(), r.data(), somma, peso);
    return r;
}

double stress(const similarita::Matrice &dissimilarita, const Configurazione &x)
{
    Regressione r(dissimilarita);
    return r.valuta(x);
}

Configurazione pcoa(const similarita::Matrice &dissimilarita)
{
    const int n = dissimilarita.n;
    Eigen::MatrixXd a(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a(i, j) = -0.5 * dissimilarita(i, j) * dissimilarita(i, j);
    // Double centring: B = J A J.
    const Eigen::VectorXd righe = a.rowwise().mean();
    const double tutto = righe.mean();
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a(i, j) += tutto - righe(i) - righe(j);
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> autovalori(a);
    Configurazione x(n, Punto{0.0, 0.0});
    // Eigen gives the values in increasing order: the last two are the axes.
    for (int asse = 0; asse < 2 && asse < n; ++asse) {
        const int k = n - 1 - asse;
        const double l = autovalori.eigenvalues()(k);
        if (l <= 0.0)
            continue;
        for (int i = 0; i < n; ++i)
            x[i][asse] = autovalori.eigenvectors()(i, k) * std::sqrt(l);
    }
    return x;
}

Configurazione assiPrincipali(Configurazione x)
{
    const double n = double(x.size());
    Punto centro{0.0, 0.0};
    for (const Punto &p : x)
        for (int a = 0; a < 2; ++a)
            centro[a] += p[a] / n;
    Eigen::Matrix2d c = Eigen::Matrix2d::Zero();
    for (Punto &p : x) {
        p[0] -= centro[0];
        p[1] -= centro[1];
        c(0, 0) += p[0] * p[0];
        c(0, 1) += p[0] * p[1];
        c(1, 1) += p[1] * p[1];
    }
    c(1, 0) = c(0, 1);
    const Eigen::SelfAdjointEigenSolver<Eigen::Matrix2d> assi(c);
    const double scala = c.trace() > 0.0 ? std::sqrt(n / c.trace()) : 1.0;
    Configurazione y(x.size(), Punto{0.0, 0.0});
    for (int a = 0; a < 2; ++a) {
        // The larger eigenvalue, last in Eigen's order, is the first axis.
        const Eigen::Vector2d v = assi.eigenvectors().col(1 - a);
        double lontano = 0.0;
        for (std::size_t i = 0; i < x.size(); ++i) {
            y[i][a] = x[i][0] * v(0) + x[i][1] * v(1);
            if (std::fabs(y[i][a]) > std::fabs(lontano) + 1e-12)
                lontano = y[i][a];
        }
        const double verso = lontano < 0.0 ? -scala : scala;
        for (Punto &p : y)
            p[a] *= verso;
    }
    return y;
}

Risultato nmds(const similarita::Matrice &dissimilarita, int casuali, std::uint64_t seme)
{
    Regressione r(dissimilarita);
    Caso caso(seme);
    const int n = dissimilarita.n;
    std::vector<Esito> esiti;
    esiti.push_back(adatta(r, pcoa(dissimilarita)));
    for (int k = 0; k < casuali; ++k) {
        Configurazione x(n);
        for (Punto &p : x)
            p = {2.0 * caso.uniforme() - 1.0, 2.0 * caso.uniforme() - 1.0};
        esiti.push_back(adatta(r, std::move(x)));
    }
    const auto migliore = std::min_element(esiti.begin(), esiti.end(),
                                           [](const Esito &a, const Esito &b) { return a.stress < b.stress; });
    Risultato ris;
    ris.stress = migliore->stress;
    ris.partenze = int(esiti.size());
    ris.alMinimo = int(std::count_if(esiti.begin(), esiti.end(),
                                     [&](const Esito &e) { return e.stress <= ris.stress + 0.001; }));
    ris.punti = assiPrincipali(migliore->punti);
    return ris;
}

QString lettura(double stress)
{
    if (stress < 0.05)
        return QObject::tr("eccellente");
    if (stress < 0.1)
        return QObject::tr("buona");
    if (stress < 0.2)
        return QObject::tr("utilizzabile con cautela");
    return QObject::tr("inaffidabile");
}

} // namespace ordinamento
