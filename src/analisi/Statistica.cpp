#include "Statistica.h"

#include <cmath>

namespace statistica {

namespace {

// Continued fraction of the regularised incomplete beta (modified Lentz).
double frazioneBeta(double a, double b, double x)
{
    constexpr double kTiny = 1e-300;
    constexpr double kEps = 1e-15;
    double c = 1.0;
    double d = 1.0 - (a + b) * x / (a + 1.0);
    if (std::fabs(d) < kTiny)
        d = kTiny;
    d = 1.0 / d;
    double f = d;
    for (int m = 1; m <= 500; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((a + m2 - 1.0) * (a + m2));
        d = 1.0 + aa * d;
        d = std::fabs(d) < kTiny ? kTiny : d;
        c = 1.0 + aa / c;
        c = std::fabs(c) < kTiny ? kTiny : c;
        d = 1.0 / d;
        f *= d * c;
        aa = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0));
        d = 1.0 + aa * d;
        d = std::fabs(d) < kTiny ? kTiny : d;
        c = 1.0 + aa / c;
        c = std::fabs(c) < kTiny ? kTiny : c;
        d = 1.0 / d;
        const double delta = d * c;
        f *= delta;
        if (std::fabs(delta - 1.0) < kEps)
            break;
    }
    return f;
}

double betaRegolarizzata(double a, double b, double x)
{
    if (x <= 0.0)
        return 0.0;
    if (x >= 1.0)
        return 1.0;
    const double logFronte = std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x)
                             + b * std::log1p(-x);
    const double fronte = std::exp(logFronte);
    if (x < (a + 1.0) / (a + b + 2.0))
        return fronte * frazioneBeta(a, b, x) / a;
    return 1.0 - fronte * frazioneBeta(b, a, 1.0 - x) / b;
}

// P(T <= t) for Student's t with df degrees of freedom.
double ripartizioneT(double t, int df)
{
    const double v = df;
    const double coda = 0.5 * betaRegolarizzata(v / 2.0, 0.5, v / (v + t * t));
    return t >= 0.0 ? 1.0 - coda : coda;
}

} // namespace

double quantileT(double p, int df)
{
    if (p == 0.5)
        return 0.0;
    if (p < 0.5)
        return -quantileT(1.0 - p, df);
    // The distribution function grows with t: halve an interval that holds
    // the quantile (t_0.9999999 with one degree of freedom is below 1e7).
    double basso = 0.0;
    double alto = 1.0;
    while (ripartizioneT(alto, df) < p && alto < 1e12)
        alto *= 2.0;
    for (int i = 0; i < 200 && alto - basso > 1e-12 * alto; ++i) {
        const double medio = 0.5 * (basso + alto);
        if (ripartizioneT(medio, df) < p)
            basso = medio;
        else
            alto = medio;
    }
    return 0.5 * (basso + alto);
}

Stima stimaMedia(const std::vector<double> &valori)
{
    Stima s;
    s.n = static_cast<int>(valori.size());
    if (s.n == 0)
        return s;
    double somma = 0.0;
    for (const double v : valori)
        somma += v;
    const double media = somma / s.n;
    s.media = media;
    if (s.n < 2)
        return s;
    double scarti = 0.0;
    for (const double v : valori)
        scarti += (v - media) * (v - media);
    const double deviazione = std::sqrt(scarti / (s.n - 1));
    const double errore = deviazione / std::sqrt(static_cast<double>(s.n));
    const double t = quantileT(0.975, s.n - 1);
    s.deviazione = deviazione;
    s.errore = errore;
    s.icBasso = media - t * errore;
    s.icAlto = media + t * errore;
    return s;
}

Confronto confronta(const Stima &stima, double vera)
{
    Confronto c;
    c.stima = stima;
    c.vera = vera;
    if (stima.media && vera != 0.0)
        c.erroreRelativo = (*stima.media - vera) / vera;
    if (stima.icBasso && stima.icAlto && *stima.icBasso < *stima.icAlto)
        c.copre = *stima.icBasso <= vera && vera <= *stima.icAlto;
    return c;
}

} // namespace statistica
