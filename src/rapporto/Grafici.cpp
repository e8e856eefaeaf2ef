#include "Grafici.h"

#include "Assi.h"
#include "Numeri.h"
#include "Stampa.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace grafici {

using rapporto::Stima;

QString cifraMedia(double v)
{
    const double a = std::abs(v);
    return numeri::fisso(v, a < 10 ? 2 : a < 100 ? 1 : 0);
}

namespace {

void puntoStima(QPainter &p, QPointF c, const QColor &colore)
{
    p.setPen(QPen(Qt::white, 0.6));
    p.setBrush(colore);
    p.drawEllipse(c, 2.8, 2.8);
}

void segnoVero(QPainter &p, QPointF c, double mezzo)
{
    p.setPen(QPen(stampa::kVero, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x(), c.y() - mezzo), QPointF(c.x(), c.y() + mezzo));
}

} // namespace

double stime(QPainter &p, const QRectF &area, const std::vector<Stima> &righe, const QString &titoloX,
             double altezzaRiga)
{
    const double nomi = 112;
    const double colonne = 160;
    const double alto = altezzaRiga * double(righe.size());
    double hi = 0;
    for (const Stima &s : righe)
        hi = std::max({hi, s.media, s.alto.value_or(0), s.vera});
    assi::Riquadro r = assi::riquadro(QRectF(area.left() + nomi, area.top() + 12, area.width() - nomi - colonne, alto));
    r.x = assi::lineare(0, hi, r.area.left(), r.area.right(), 6);
    r.y = assi::lineare(0, double(righe.size()), r.area.bottom(), r.area.top(), 1);
    r.y.passo = 1e9; // no horizontal grid: the rows are the grid

    p.save();
    // Alternate bands make a row easy to follow to its figures.
    for (size_t i = 0; i < righe.size(); ++i) {
        if (i % 2 == 0)
            continue;
        p.fillRect(QRectF(area.left(), r.area.top() + i * altezzaRiga, area.width(), altezzaRiga), stampa::kFasciaRiga);
    }
    assi::disegnaAssi(p, r, titoloX, {}, true, false);

    const double xc = r.area.right() + 6;
    p.setFont(stampa::carattere(7, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(xc, area.top(), 42, 11), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("stima"));
    p.drawText(QRectF(xc + 44, area.top(), 74, 11), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("IC 95 %"));
    p.drawText(QRectF(xc + 118, area.top(), 40, 11), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("vera"));

    for (size_t i = 0; i < righe.size(); ++i) {
        const Stima &s = righe[i];
        const double y = r.area.top() + (i + 0.5) * altezzaRiga;
        const QRectF riga(area.left(), y - altezzaRiga / 2, nomi - 6, altezzaRiga);
        p.setPen(stampa::kInchiostro);
        p.setFont(stampa::carattere(8));
        p.drawText(riga, Qt::AlignLeft | Qt::AlignVCenter, QFontMetricsF(p.font()).elidedText(s.nome, Qt::ElideRight, riga.width()));

        const QColor colore = s.manca() ? stampa::kMancato : stampa::kStima;
        if (s.basso && s.alto) {
            p.setPen(QPen(colore, 1.4, Qt::SolidLine, Qt::FlatCap));
            const double x0 = r.x.su(std::max(*s.basso, r.x.min));
            const double x1 = r.x.su(*s.alto);
            p.drawLine(QPointF(x0, y), QPointF(x1, y));
            p.drawLine(QPointF(x0, y - 3), QPointF(x0, y + 3));
            p.drawLine(QPointF(x1, y - 3), QPointF(x1, y + 3));
        }
        segnoVero(p, QPointF(r.x.su(s.vera), y), altezzaRiga * 0.36);
        puntoStima(p, QPointF(r.x.su(s.media), y), colore);

        p.setFont(stampa::carattere(8));
        p.setPen(stampa::kInchiostro);
        // The figures as the verita command prints them.
        p.drawText(QRectF(xc, y - 6, 42, 12), Qt::AlignRight | Qt::AlignVCenter, numeri::fisso(s.media, numeri::kMedie));
        const QString ic = s.basso && s.alto ? QStringLiteral("%1 – %2").arg(numeri::fisso(*s.basso, numeri::kMedie),
                                                                             numeri::fisso(*s.alto, numeri::kMedie))
                                             : numeri::kNd;
        p.setPen(colore == stampa::kMancato ? stampa::kMancato : stampa::kInchiostro);
        p.drawText(QRectF(xc + 44, y - 6, 74, 12), Qt::AlignHCenter | Qt::AlignVCenter, ic);
        p.setPen(stampa::kVero.darker(125));
        p.drawText(QRectF(xc + 118, y - 6, 40, 12), Qt::AlignRight | Qt::AlignVCenter, numeri::fisso(s.vera, numeri::kMedie));
    }
    p.restore();
    return 12 + alto + 28;
}

void legendaStime(QPainter &p, QPointF da)
{
    p.save();
    p.setFont(stampa::carattere(8));
    const QFontMetricsF fm(p.font());
    double x = da.x();
    const double y = da.y();
    auto voce = [&](const QString &t) {
        p.setPen(stampa::kInchiostro);
        p.drawText(QPointF(x, y + 3), t);
        x += fm.horizontalAdvance(t) + 16;
    };
    p.setPen(QPen(stampa::kStima, 1.4));
    p.drawLine(QPointF(x, y), QPointF(x + 22, y));
    puntoStima(p, QPointF(x + 11, y), stampa::kStima);
    x += 27;
    voce(QStringLiteral("stima con intervallo di confidenza al 95 %"));
    segnoVero(p, QPointF(x + 3, y), 5);
    x += 9;
    voce(QStringLiteral("media vera dell'area"));
    p.setPen(QPen(stampa::kMancato, 1.4));
    p.drawLine(QPointF(x, y), QPointF(x + 22, y));
    puntoStima(p, QPointF(x + 11, y), stampa::kMancato);
    x += 27;
    voce(QStringLiteral("intervallo che non contiene il vero"));
    p.restore();
}

void rangoAbbondanza(QPainter &p, const QRectF &area, const std::vector<rapporto::Abbondanza> &abbondanze)
{
    std::vector<rapporto::Abbondanza> presenti;
    for (const auto &a : abbondanze)
        if (a.totale > 0)
            presenti.push_back(a);
    std::stable_sort(presenti.begin(), presenti.end(), [](const auto &a, const auto &b) { return a.totale > b.totale; });

    // The names slant down to the right from their ranks: the chart gives up
    // on its right what the longest reach past its last rank needs, so that
    // no name runs off the page.
    constexpr double kInclinazione = 40; // degrees below the axis
    const QFont carattereNomi = stampa::carattere(7, false, true);
    const QFontMetricsF metrica(carattereNomi, p.device());
    const double orizzontale = std::cos(kInclinazione * std::numbers::pi / 180.0);
    // The tops of the letters lean further right than the baseline's end.
    const double sopra = metrica.ascent() * std::sin(kInclinazione * std::numbers::pi / 180.0);
    const int n = std::max<int>(12, int(presenti.size()));
    assi::Riquadro r;
    double destra = 8, sporge = 1;
    for (int passo = 0; passo < 4 && sporge > 0.5; ++passo) {
        r = assi::riquadro(area.adjusted(50, 14, -destra, -84));
        r.x = assi::lineare(0.5, n + 0.5, r.area.left(), r.area.right(), n);
        r.x.min = 0.5;
        r.x.max = n + 0.5;
        r.x.passo = 1;
        sporge = 0;
        for (size_t i = 0; i < presenti.size(); ++i)
            sporge = std::max(sporge, r.x.su(double(i + 1)) + 2 + metrica.horizontalAdvance(presenti[i].nome) * orizzontale
                                          + sopra - area.right());
        destra += sporge;
    }
    const double hi = presenti.empty() ? 10 : double(presenti.front().totale);
    const double lo = presenti.empty() ? 1 : double(presenti.back().totale);
    r.y = assi::logaritmica(lo, hi, r.area.bottom(), r.area.top());
    assi::disegnaAssi(p, r, {}, QStringLiteral("individui in tutto il rilievo"), false, true);

    p.save();
    p.setFont(stampa::carattere(7));
    p.setPen(stampa::kInchiostro);
    for (int k = 1; k <= n; ++k)
        p.drawText(QRectF(r.x.su(k) - 10, r.area.bottom() + 4, 20, 9), Qt::AlignHCenter | Qt::AlignTop, QString::number(k));
    p.setFont(stampa::carattere(8));
    p.drawText(QRectF(r.area.left(), area.bottom() - 11, r.area.width(), 11), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("rango (dalla specie più abbondante)"));

    QPolygonF linea;
    for (size_t i = 0; i < presenti.size(); ++i)
        linea << QPointF(r.x.su(double(i + 1)), r.y.su(double(presenti[i].totale)));
    p.setPen(QPen(stampa::kStima, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(linea);
    for (size_t i = 0; i < presenti.size(); ++i) {
        puntoStima(p, linea[int(i)], stampa::kStima);
        // Names run down at a slant under the axis, one per rank.
        p.save();
        p.translate(r.x.su(double(i + 1)) + 2, r.area.bottom() + 15);
        p.rotate(kInclinazione);
        p.setFont(carattereNomi);
        p.setPen(stampa::kInchiostro);
        p.drawText(QPointF(0, 0), presenti[i].nome);
        p.restore();
        p.setFont(stampa::carattere(7));
        p.setPen(stampa::kTenue);
        // Above the point, clear of the line that falls to the right.
        stampa::testoAlone(p, QRectF(linea[int(i)].x() - 30, linea[int(i)].y() - 14, 60, 10), Qt::AlignHCenter | Qt::AlignVCenter,
                           QString::number(presenti[i].totale));
    }
    p.restore();
}

void zonazione(QPainter &p, const QRectF &area, const rapporto::Zonazione &z, double profMax, bool titoloX,
               bool titoloY)
{
    double hi = 1;
    for (const QPointF &s : z.stazioni)
        hi = std::max(hi, s.y());
    for (const auto &b : z.profiloVero)
        if (b)
            hi = std::max(hi, *b);
    assi::Riquadro r = assi::riquadro(area.adjusted(30, 14, -4, -(titoloX ? 26 : 14)));
    r.x = assi::lineare(0, profMax, r.area.left(), r.area.right(), 4);
    r.y = assi::lineare(0, hi, r.area.bottom(), r.area.top(), 4);
    assi::disegnaAssi(p, r, titoloX ? QStringLiteral("profondità (m)") : QString(),
                      titoloY ? QStringLiteral("individui") : QString());

    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(r.area.left(), area.top(), r.area.width(), 12), Qt::AlignLeft | Qt::AlignVCenter, z.nome);
    p.setClipRect(r.area.adjusted(-3, -3, 3, 3));

    // The profile breaks where the area has no sea of that depth.
    p.setPen(QPen(stampa::kVero, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygonF tratto;
    auto chiudi = [&] {
        if (tratto.size() > 1)
            p.drawPolyline(tratto);
        tratto.clear();
    };
    for (size_t k = 0; k < z.profiloVero.size(); ++k) {
        if (!z.profiloVero[k]) {
            chiudi();
            continue;
        }
        tratto << QPointF(r.x.su(5.0 * k + 3.0), r.y.su(*z.profiloVero[k]));
    }
    chiudi();

    p.setPen(QPen(Qt::white, 0.4));
    p.setBrush(QColor(stampa::kStima.red(), stampa::kStima.green(), stampa::kStima.blue(), 190));
    for (const QPointF &s : z.stazioni)
        p.drawEllipse(QPointF(r.x.su(s.x()), r.y.su(s.y())), 2.2, 2.2);
    p.restore();
}

} // namespace grafici
