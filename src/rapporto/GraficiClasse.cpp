#include "GraficiClasse.h"

#include "Assi.h"
#include "Grafici.h"
#include "Stampa.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace rapporto {

std::vector<Riassunto> riassumi(const Classe &classe)
{
    std::vector<Riassunto> out(classe.nomi.size());
    const size_t n = classe.uscite.size();
    if (n == 0)
        return {};
    for (size_t q = 0; q < out.size(); ++q) {
        double somma = 0;
        for (const Uscita &u : classe.uscite) {
            somma += u.stime[q].media;
            if (u.stime[q].copre) {
                ++out[q].conIntervallo;
                out[q].coprono += *u.stime[q].copre ? 1 : 0;
            }
        }
        out[q].media = somma / double(n);
        if (n > 1) {
            double ss = 0;
            for (const Uscita &u : classe.uscite)
                ss += (u.stime[q].media - out[q].media) * (u.stime[q].media - out[q].media);
            out[q].deviazione = std::sqrt(ss / double(n - 1));
        }
    }
    return out;
}

} // namespace rapporto

namespace grafici {

using rapporto::Classe;
using rapporto::Riassunto;
using rapporto::Stima;
using rapporto::Uscita;

namespace {

constexpr double kNome = 86;
constexpr double kStaz = 27;

// The table's rules end at the box's sides: no cap runs past them.
QPen regola()
{
    return QPen(stampa::kInchiostro, 0.6, Qt::SolidLine, Qt::FlatCap);
}

// Surveys by number of stations, fewest first; the order given among equals.
std::vector<size_t> ordine(const Classe &c)
{
    std::vector<size_t> o(c.uscite.size());
    std::iota(o.begin(), o.end(), size_t(0));
    std::stable_sort(o.begin(), o.end(), [&](size_t a, size_t b) { return c.uscite[a].stazioni < c.uscite[b].stazioni; });
    return o;
}

double larghezzaValore(const Classe &c, const QRectF &corpo)
{
    return (corpo.width() - kNome - kStaz) / std::max<size_t>(1, c.nomi.size());
}

void intestazione(QPainter &p, const Classe &c, const QRectF &corpo, double y)
{
    const double w = larghezzaValore(c, corpo);
    p.setFont(stampa::carattere(7, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y, kNome, kRigaClasse), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("rilievo"));
    p.drawText(QRectF(corpo.left() + kNome, y, kStaz - 3, kRigaClasse), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("staz."));
    for (size_t i = 0; i < c.nomi.size(); ++i) {
        const QString t = i < 12 ? QStringLiteral("sp. %1").arg(i + 1) : c.nomi[i];
        p.drawText(QRectF(corpo.left() + kNome + kStaz + i * w, y, w - 3, kRigaClasse), Qt::AlignRight | Qt::AlignVCenter, t);
    }
    p.setPen(regola());
    p.drawLine(QPointF(corpo.left(), y + kRigaClasse + 1), QPointF(corpo.right(), y + kRigaClasse + 1));
}

// One row of figures; a survey's estimate is red where its interval misses.
void riga(QPainter &p, const Classe &c, const QRectF &corpo, double y, const QString &nome, const QString &staz,
          const std::vector<QString> &valori, const std::vector<bool> &mancati, bool grassetto)
{
    const double w = larghezzaValore(c, corpo);
    p.setFont(stampa::carattere(7, grassetto));
    p.setPen(stampa::kInchiostro);
    const QFontMetricsF fm(p.font());
    p.drawText(QRectF(corpo.left(), y, kNome - 4, kRigaClasse), Qt::AlignLeft | Qt::AlignVCenter,
               fm.elidedText(nome, Qt::ElideMiddle, kNome - 4));
    p.drawText(QRectF(corpo.left() + kNome, y, kStaz - 3, kRigaClasse), Qt::AlignRight | Qt::AlignVCenter, staz);
    for (size_t i = 0; i < valori.size(); ++i) {
        p.setPen(i < mancati.size() && mancati[i] ? stampa::kMancato : stampa::kInchiostro);
        p.drawText(QRectF(corpo.left() + kNome + kStaz + i * w, y, w - 3, kRigaClasse), Qt::AlignRight | Qt::AlignVCenter,
                   valori[i]);
    }
}

} // namespace

QString legendaClasse(const Classe &c)
{
    QStringList voci;
    for (size_t i = 0; i < c.nomi.size() && i < 12; ++i)
        voci << QStringLiteral("sp. %1 %2").arg(i + 1).arg(c.nomi[i]);
    return voci.join(QStringLiteral(" · ")) + QStringLiteral(". N: individui per stazione; S: specie per stazione. "
                                                             "In rosso le stime il cui intervallo non contiene il vero; ° un intervallo di "
                                                             "ampiezza zero (lo stesso valore in ogni stazione): la "
                                                             "copertura non è definita e non è contata.");
}

double altezzaRiassuntoClasse(const Classe &c, double larghezza)
{
    return 3 + 4 * kRigaClasse + 8 + stampa::altezzaTesto(stampa::carattere(7), larghezza, legendaClasse(c));
}

QSizeF tabellaClasseMinima(const Classe &c)
{
    constexpr double kLarghezza = 515;
    return QSizeF(kLarghezza, kRigaClasse + 3 + kRigaClasse * double(c.uscite.size()) + altezzaRiassuntoClasse(c, kLarghezza));
}

void tabellaClasse(QPainter &p, const QRectF &corpo, const Classe &c, size_t da, size_t a, bool ultima)
{
    double y = corpo.top();
    p.save();
    intestazione(p, c, corpo, y);
    y += kRigaClasse + 3;
    const auto o = ordine(c);
    for (size_t k = da; k < a; ++k) {
        const Uscita &u = c.uscite[o[k]];
        if ((k - da) % 2 == 1)
            p.fillRect(QRectF(corpo.left(), y, corpo.width(), kRigaClasse), stampa::kFasciaRiga);
        std::vector<QString> valori;
        std::vector<bool> mancati;
        for (const Stima &s : u.stime) {
            // The mark of an interval whose coverage cannot be told.
            const bool nonDefinita = s.basso && !s.copre;
            valori.push_back(grafici::cifraMedia(s.media) + (nonDefinita ? QStringLiteral("°") : QString()));
            mancati.push_back(s.manca());
        }
        riga(p, c, corpo, y, u.file, QString::number(u.stazioni), valori, mancati, false);
        y += kRigaClasse;
    }
    if (ultima) {
        p.setPen(regola());
        p.drawLine(QPointF(corpo.left(), y + 1), QPointF(corpo.right(), y + 1));
        y += 3;
        const auto r = rapporto::riassumi(c);
        std::vector<QString> vero, media, spread, cop;
        // Counts out of one number for every column say it once, in the label.
        const bool stessoNumero = !r.empty() && std::all_of(r.begin(), r.end(), [&](const Riassunto &x) {
            return x.conIntervallo == r.front().conIntervallo;
        });
        for (size_t i = 0; i < c.nomi.size(); ++i) {
            vero.push_back(grafici::cifraMedia(c.verita[i]));
            media.push_back(r.empty() ? QString() : grafici::cifraMedia(r[i].media));
            spread.push_back(r.empty() || !r[i].deviazione ? QStringLiteral("n.d.") : grafici::cifraMedia(*r[i].deviazione));
            cop.push_back(r.empty() ? QString()
                                    : stessoNumero ? QString::number(r[i].coprono)
                                                   : QStringLiteral("%1/%2").arg(r[i].coprono).arg(r[i].conIntervallo));
        }
        riga(p, c, corpo, y, QStringLiteral("media vera"), {}, vero, {}, true);
        y += kRigaClasse;
        riga(p, c, corpo, y, QStringLiteral("media delle stime"), {}, media, {}, false);
        y += kRigaClasse;
        riga(p, c, corpo, y, QStringLiteral("dev. st. delle stime"), {}, spread, {}, false);
        y += kRigaClasse;
        riga(p, c, corpo, y,
             stessoNumero ? QStringLiteral("coperture (su %1)").arg(r.front().conIntervallo)
                          : QStringLiteral("coperture"),
             {}, cop, {}, true);
        y += kRigaClasse + 8;
        p.setFont(stampa::carattere(7));
        p.setPen(stampa::kTenue);
        p.drawText(QRectF(corpo.left(), y, corpo.width(), 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   legendaClasse(c));
    }
    p.restore();
}

void pannelloClasse(QPainter &p, const QRectF &area, const Classe &c, size_t q)
{
    const auto o = ordine(c);
    double lo = c.verita[q], hi = c.verita[q];
    for (const Uscita &u : c.uscite) {
        const Stima &s = u.stime[q];
        lo = std::min({lo, s.media, s.basso.value_or(s.media)});
        hi = std::max({hi, s.media, s.alto.value_or(s.media)});
    }
    assi::Riquadro r = assi::riquadro(area.adjusted(30, 16, -4, -24));
    r.x = assi::lineare(lo, hi, r.area.left(), r.area.right(), 5, true);
    r.y = assi::lineare(0, 1, r.area.bottom(), r.area.top(), 1);
    r.y.passo = 1e9;
    const bool specie = c.nomi[q] == QLatin1String("S");
    assi::disegnaAssi(p, r, specie ? QStringLiteral("specie per stazione") : QStringLiteral("individui per stazione"), {},
                      true, false);
    int coprono = 0, conIc = 0;
    for (const Uscita &u : c.uscite)
        if (u.stime[q].copre) {
            ++conIc;
            coprono += *u.stime[q].copre ? 1 : 0;
        }

    p.save();
    // The figures keep their room; a long name gives way.
    const QString cifre = QStringLiteral("vera %1 · coperture %2/%3").arg(grafici::cifraMedia(c.verita[q])).arg(coprono).arg(conIc);
    p.setFont(stampa::carattere(7));
    p.setPen(stampa::kTenue);
    p.drawText(QRectF(area.left(), area.top(), area.width(), 12), Qt::AlignRight | Qt::AlignVCenter, cifre);
    const double resto = area.width() - QFontMetricsF(p.font()).horizontalAdvance(cifre) - 8;
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    const QString nome = q < 12 ? QStringLiteral("%1. %2").arg(q + 1).arg(c.nomi[q]) : c.nomi[q];
    p.drawText(QRectF(area.left(), area.top(), resto, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font()).elidedText(nome, Qt::ElideRight, resto));

    const double passo = r.area.height() / std::max<size_t>(1, o.size());
    const double raggio = std::clamp(passo * 0.32, 1.0, 2.6);
    // Station counts down the side, each written once where it starts.
    p.setFont(stampa::carattere(6));
    int ultimo = -1;
    for (size_t k = 0; k < o.size(); ++k) {
        const Uscita &u = c.uscite[o[k]];
        const double y = r.area.top() + (k + 0.5) * passo;
        if (u.stazioni != ultimo && (k == 0 || passo >= 6 || k % 2 == 0)) {
            p.setPen(stampa::kTenue);
            p.drawText(QRectF(area.left(), y - 4, 26, 8), Qt::AlignRight | Qt::AlignVCenter, QString::number(u.stazioni));
            ultimo = u.stazioni;
        }
        const Stima &s = u.stime[q];
        const QColor colore = s.manca() ? stampa::kMancato : stampa::kStima;
        if (s.basso && s.alto) {
            p.setPen(QPen(colore, std::min(1.2, passo * 0.3), Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(r.x.su(*s.basso), y), QPointF(r.x.su(*s.alto), y));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(colore);
        p.drawEllipse(QPointF(r.x.su(s.media), y), raggio, raggio);
    }
    p.setPen(QPen(stampa::kVero, 1.3));
    const double xv = r.x.su(c.verita[q]);
    p.drawLine(QPointF(xv, r.area.top()), QPointF(xv, r.area.bottom()));
    p.save();
    p.translate(area.left() + 8, r.area.center().y());
    p.rotate(-90);
    p.setFont(stampa::carattere(7));
    p.setPen(stampa::kTenue);
    p.drawText(QRectF(-r.area.height() / 2, -8, r.area.height(), 8), Qt::AlignCenter, QStringLiteral("stazioni del rilievo"));
    p.restore();
    p.restore();
}

void pannelliClasse(QPainter &p, const QRectF &corpo, const Classe &c, size_t q0, size_t q1)
{
    const bool larghi = q1 - q0 <= 2;
    const double w = larghi ? corpo.width() : corpo.width() / 2;
    const double h = larghi ? corpo.height() / 2 : corpo.height() / 3;
    for (size_t q = q0; q < q1; ++q) {
        const int i = int(q - q0);
        const QRectF cella = larghi ? QRectF(corpo.left(), corpo.top() + i * h, w, h - 16)
                                    : QRectF(corpo.left() + (i % 2) * w, corpo.top() + (i / 2) * h, w - 10, h - 10);
        pannelloClasse(p, cella, c, q);
    }
}

QSizeF pannelliClasseMinimi(size_t quante)
{
    return quante <= 2 ? QSizeF(420, 360) : QSizeF(500, 560);
}

} // namespace grafici
