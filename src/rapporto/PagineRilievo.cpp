#include "PagineRilievo.h"

#include "Grafici.h"
#include "GraficiRilievo.h"
#include "MappaStazioni.h"
#include "Numeri.h"

#include <QFontMetricsF>

#include <algorithm>
#include <memory>
#include <optional>

namespace rapporto {

namespace {

// The map with the stations, then the whole survey's indices in one line.
void paginaMappa(QPainter &p, const stampa::Pagina &pagina, const Rilievo &r)
{
    int profMin = 0, profMax = 0;
    for (size_t i = 0; i < r.stazioni.size(); ++i) {
        profMin = i == 0 ? r.stazioni[i].prof : std::min(profMin, r.stazioni[i].prof);
        profMax = std::max(profMax, r.stazioni[i].prof);
    }
    const QString sotto = r.stazioni.empty()
                              ? QStringLiteral("Il rilievo non ha stazioni.")
                              : QStringLiteral("%1 stazioni, da %2 a %3 m di profondità. Le posizioni sono in metri, "
                                               "come nella tabella dei dati.")
                                    .arg(r.stazioni.size())
                                    .arg(profMin)
                                    .arg(profMax);
    const QRectF corpo = stampa::titolo(p, pagina, QStringLiteral("Rilievo: mappa delle stazioni"), sotto);
    // As high as the map as wide as the page needs.
    const QRectF box(corpo.left(), corpo.top(), corpo.width(), corpo.width() + 8);
    grafici::mappaStazioni(p, box, r);

    if (r.complessivo) {
        const QRectF mappa = grafici::riquadroMappa(box);
        const RigaStazione &t = *r.complessivo;
        p.save();
        p.setPen(stampa::kInchiostro);
        p.setFont(stampa::carattere(9));
        p.drawText(QRectF(mappa.left(), mappa.bottom() + 62, mappa.width(), 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("Tutto il rilievo: %1 individui di %2 specie; H′ = %3, J′ = %4, AMBI = %5 (%6).")
                       .arg(t.n)
                       .arg(t.s)
                       .arg(numeri::fisso(t.h, numeri::kIndici), numeri::fisso(t.j, numeri::kIndici),
                            numeri::fisso(t.ambi, numeri::kIndici), t.classeAmbi));
        p.restore();
    }
}

// Columns of the station table: title, width, alignment.
struct Colonna {
    const char *titolo;
    double larghezza;
};
constexpr Colonna kColonne[] = {{"Staz.", 42}, {"x (m)", 44}, {"y (m)", 44}, {"prof. (m)", 48}, {"N", 40},
                                {"S", 30},     {"H′", 42},    {"J′", 42},    {"AMBI", 42},      {"classe AMBI", 141}};
constexpr double kRigaTabella = 11;

QStringList campi(const RigaStazione &s)
{
    // The figures as the indici command prints them.
    auto opz = [](const std::optional<double> &v) { return numeri::fisso(v, numeri::kIndici); };
    return {s.etichetta, QString::number(s.xm), QString::number(s.ym), QString::number(s.prof), QString::number(s.n),
            QString::number(s.s), opz(s.h), opz(s.j), opz(s.ambi), s.classeAmbi};
}

void rigaTabella(QPainter &p, double x, double y, const QStringList &testi, bool grassetto)
{
    p.setFont(stampa::carattere(8, grassetto));
    for (int c = 0; c < testi.size(); ++c) {
        const double w = kColonne[c].larghezza;
        if (grassetto && c == 0 && testi[1].isEmpty()) {
            x += w;
            continue;
        }
        const int allinea = c == testi.size() - 1 ? Qt::AlignLeft : Qt::AlignRight;
        const QRectF box = c == testi.size() - 1 ? QRectF(x + 10, y, w - 10, kRigaTabella) : QRectF(x, y, w - 6, kRigaTabella);
        p.drawText(box, allinea | Qt::AlignVCenter, testi[c]);
        x += w;
    }
}

void paginaTabella(QPainter &p, const stampa::Pagina &pagina, const Rilievo &r, size_t da, size_t a, bool ultima)
{
    const QRectF corpo = stampa::titolo(
        p, pagina, QStringLiteral("Stazioni e indici"),
        da == 0 ? QStringLiteral("Posizione, profondità e indici di ogni stazione. H′ con il logaritmo naturale; "
                                 "J′ = H′ / ln S; n.d. dove l'indice non è definito (S ≤ 1 per J′, N = 0 per AMBI).")
                : QStringLiteral("Stazioni %1 – %2.").arg(r.stazioni[da].etichetta, r.stazioni[a - 1].etichetta));
    p.save();
    double larghezza = 0;
    QStringList intestazione;
    for (const Colonna &c : kColonne) {
        larghezza += c.larghezza;
        intestazione << QString::fromUtf8(c.titolo);
    }
    const double x = corpo.left();
    double y = corpo.top();
    p.setPen(stampa::kInchiostro);
    rigaTabella(p, x, y, intestazione, true);
    y += kRigaTabella + 2;
    p.setPen(QPen(stampa::kInchiostro, 0.6));
    p.drawLine(QPointF(x, y - 1), QPointF(x + larghezza, y - 1));
    for (size_t i = da; i < a; ++i) {
        if ((i - da) % 2 == 1)
            p.fillRect(QRectF(x, y, larghezza, kRigaTabella), stampa::kFasciaRiga);
        p.setPen(stampa::kInchiostro);
        rigaTabella(p, x, y, campi(r.stazioni[i]), false);
        y += kRigaTabella;
    }
    if (ultima && r.complessivo) {
        p.setPen(QPen(stampa::kInchiostro, 0.6));
        p.drawLine(QPointF(x, y + 1), QPointF(x + larghezza, y + 1));
        y += 3;
        // The whole survey has no position: its name takes those columns.
        QStringList tutto = campi(*r.complessivo);
        for (int c = 1; c <= 3; ++c)
            tutto[c].clear();
        rigaTabella(p, x, y, tutto, true);
        p.drawText(QRectF(x + 4, y, kColonne[0].larghezza + kColonne[1].larghezza + kColonne[2].larghezza, kRigaTabella),
                   Qt::AlignLeft | Qt::AlignVCenter, r.complessivo->etichetta);
        y += kRigaTabella + 10;
        p.setFont(stampa::carattere(8));
        p.setPen(stampa::kTenue);
        p.drawText(QRectF(x, y, corpo.width(), 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("AMBI: ≤ 1.2 indisturbato, ≤ 3.3 leggermente disturbato, ≤ 5.0 moderatamente "
                                  "disturbato, ≤ 6.0 fortemente disturbato; azoico dove la stazione non ha organismi."));
    }
    p.restore();
}

void paginaStime(QPainter &p, const stampa::Pagina &pagina, const Rilievo &r)
{
    const QRectF corpo = stampa::titolo(
        p, pagina, QStringLiteral("Il rilievo e la verità"),
        QStringLiteral("Media per stazione stimata dal rilievo, con l'intervallo di confidenza al 95 % (t di Student), "
                       "e media vera su tutto il mare dell'area."));
    // The figures of the estimates stand a little into the page's right margin.
    const double alto = grafici::altezzaStime(r.specie.size(), r.totali.size(), 19);
    grafici::stimeRilievo(p, QRectF(corpo.left(), corpo.top(), corpo.width() + 4, alto), r.specie, r.totali);
    const double y = corpo.top() + alto;

    p.save();
    p.setFont(stampa::carattere(12, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(corpo.left(), y + 8, corpo.width(), 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Rango e abbondanza"));
    p.restore();
    grafici::rangoAbbondanza(p, QRectF(corpo.left(), y + 30, corpo.width(), corpo.bottom() - y - 30), r.abbondanze);
}

void paginaZonazione(QPainter &p, const stampa::Pagina &pagina, const Rilievo &r)
{
    const QRectF corpo = stampa::titolo(
        p, pagina, QStringLiteral("Zonazione"),
        QStringLiteral("Individui per stazione contro la profondità; la linea è il profilo vero, la media per fascia "
                       "di 5 m su tutta l'area."));
    grafici::grigliaZonazione(p, corpo, r.zonazione);
}

} // namespace

stampa::Documento documentoRilievo(const Rilievo &rilievo)
{
    auto r = std::make_shared<const Rilievo>(rilievo);
    stampa::Documento doc(QStringLiteral("Rapporto del rilievo"), rilievo.pie);
    doc.aggiungi([r](QPainter &p, const stampa::Pagina &pg) { paginaMappa(p, pg, *r); });
    constexpr size_t kPerPagina = 58;
    const size_t n = r->stazioni.size();
    for (size_t da = 0; da < std::max<size_t>(n, 1); da += kPerPagina) {
        const size_t a = std::min(n, da + kPerPagina);
        doc.aggiungi([r, da, a](QPainter &p, const stampa::Pagina &pg) {
            paginaTabella(p, pg, *r, da, a, a == r->stazioni.size());
        });
    }
    doc.aggiungi([r](QPainter &p, const stampa::Pagina &pg) { paginaStime(p, pg, *r); });
    doc.aggiungi([r](QPainter &p, const stampa::Pagina &pg) { paginaZonazione(p, pg, *r); });
    return doc;
}

} // namespace rapporto
