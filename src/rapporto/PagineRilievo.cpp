#include "PagineRilievo.h"

#include "Assi.h"
#include "Grafici.h"
#include "Numeri.h"

#include <QFontMetricsF>

#include <algorithm>
#include <memory>
#include <optional>

namespace rapporto {

namespace {

constexpr int kLatoMappa = 512;
constexpr double kMetriPixel = 10;

// The map, its axes in metres as the table gives positions, the markers
// and the numbers drawn at print resolution over it, and a scale bar.
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

    const double lato = corpo.width() - 44;
    const QRectF mappa(corpo.left() + 38, corpo.top() + 4, lato, lato);
    const double k = lato / kLatoMappa;
    p.drawImage(mappa, r.mappa);

    // Pixel column c spans x = 10c ... 10c + 10 m; row 0 is y = 5110 m.
    assi::Riquadro ax = assi::riquadro(mappa);
    ax.x = assi::lineare(0, 5000, mappa.left(), mappa.left() + 500 * k, 5);
    ax.y = assi::lineare(0, 5000, mappa.top() + 511 * k, mappa.top() + 11 * k, 5);
    ax.x.passo = ax.y.passo = 1000;
    p.save();
    p.setPen(QPen(stampa::kInchiostro, 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRect(mappa);
    p.setFont(stampa::carattere(7));
    for (double v : ax.x.tacche()) {
        const double x = ax.x.su(v);
        p.drawLine(QPointF(x, mappa.bottom()), QPointF(x, mappa.bottom() + 3));
        p.drawText(QRectF(x - 20, mappa.bottom() + 4, 40, 9), Qt::AlignHCenter | Qt::AlignTop, QString::number(v));
    }
    for (double v : ax.y.tacche()) {
        const double y = ax.y.su(v);
        p.drawLine(QPointF(mappa.left() - 3, y), QPointF(mappa.left(), y));
        p.drawText(QRectF(mappa.left() - 40, y - 5, 36, 10), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    p.setFont(stampa::carattere(8));
    p.drawText(QRectF(mappa.left(), mappa.bottom() + 13, mappa.width(), 11), Qt::AlignHCenter, QStringLiteral("x (m)"));
    p.save();
    p.translate(mappa.left() - 30, mappa.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-40, -11, 80, 11), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("y (m)"));
    p.restore();

    std::vector<QPoint> punti;
    std::vector<QSizeF> testi;
    const QFont numeri = stampa::carattere(7, true);
    const QFontMetricsF fm(numeri);
    for (const RigaStazione &s : r.stazioni) {
        punti.push_back(s.pixel);
        testi.push_back(QSizeF((fm.horizontalAdvance(s.etichetta) + 1) / k, fm.height() * 0.8 / k));
    }
    const std::vector<QRectF> posti = posizioniNumeri(punti, testi);
    p.setClipRect(mappa);
    p.setFont(numeri);
    p.setPen(QColor(0, 24, 72));
    for (size_t i = 0; i < r.stazioni.size(); ++i) {
        const QRectF b = posti[i];
        const QRectF su(mappa.left() + b.left() * k, mappa.top() + b.top() * k, b.width() * k, b.height() * k);
        stampa::testoAlone(p, su.adjusted(-2, -2, 2, 2), Qt::AlignCenter, r.stazioni[i].etichetta);
    }
    // The program's own marker: 5 x 5 map pixels of pure red.
    p.setPen(QPen(Qt::white, 0.5));
    p.setBrush(QColor(255, 0, 0));
    for (const QPoint &c : punti)
        p.drawRect(QRectF(mappa.left() + (c.x() - 2) * k, mappa.top() + (c.y() - 2) * k, 5 * k, 5 * k));
    p.setClipping(false);

    // A scale bar drawn here stays true whatever chart the area uses.
    const double y = mappa.bottom() + 40;
    const double x0 = mappa.left();
    const double km = 1000 / kMetriPixel * k;
    p.setPen(QPen(stampa::kInchiostro, 0.6));
    p.setBrush(stampa::kInchiostro);
    p.drawRect(QRectF(x0, y, km / 2, 4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x0 + km / 2, y, km / 2, 4));
    p.setFont(stampa::carattere(7));
    p.drawText(QRectF(x0 - 20, y - 11, 40, 9), Qt::AlignCenter, QStringLiteral("0"));
    p.drawText(QRectF(x0 + km / 2 - 20, y - 11, 40, 9), Qt::AlignCenter, QStringLiteral("500 m"));
    p.drawText(QRectF(x0 + km - 20, y - 11, 40, 9), Qt::AlignCenter, QStringLiteral("1 km"));

    p.setFont(stampa::carattere(8));
    const double lx = x0 + km + 40;
    p.setPen(QPen(Qt::white, 0.5));
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(QRectF(lx, y - 3, 5 * k, 5 * k));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(lx + 10, y - 6, 300, 12), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("stazione (5 × 5 pixel, 50 m di lato) con il suo numero. Nord in alto."));

    if (r.complessivo) {
        const RigaStazione &t = *r.complessivo;
        p.setFont(stampa::carattere(9));
        p.drawText(QRectF(x0, y + 22, mappa.width(), 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   QStringLiteral("Tutto il rilievo: %1 individui di %2 specie; H′ = %3, J′ = %4, AMBI = %5 (%6).")
                       .arg(t.n)
                       .arg(t.s)
                       .arg(numeri::fisso(t.h, numeri::kIndici), numeri::fisso(t.j, numeri::kIndici),
                            numeri::fisso(t.ambi, numeri::kIndici), t.classeAmbi));
    }
    p.restore();
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
    double y = corpo.top();
    grafici::legendaStime(p, QPointF(corpo.left(), y + 4));
    y += 14;
    y += grafici::stime(p, QRectF(corpo.left(), y, corpo.width(), 0), r.specie,
                        QStringLiteral("individui per stazione"), 19);
    for (const Stima &t : r.totali)
        y += grafici::stime(p, QRectF(corpo.left(), y, corpo.width(), 0), {t}, QString(), 19) - 8;

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
    double profMax = 5;
    for (const Zonazione &z : r.zonazione) {
        for (size_t k = 0; k < z.profiloVero.size(); ++k)
            if (z.profiloVero[k])
                profMax = std::max(profMax, 5.0 * k + 5);
        for (const QPointF &s : z.stazioni)
            profMax = std::max(profMax, s.x());
    }
    constexpr int kColonne = 3;
    const int righe = std::max(1, int((r.zonazione.size() + kColonne - 1) / kColonne));
    // The first column's axis titles stand left of its charts: room for them
    // inside the page's margin.
    const QRectF griglia = corpo.adjusted(20, 0, 0, 0);
    const double w = griglia.width() / kColonne;
    const double h = griglia.height() / righe;
    for (size_t i = 0; i < r.zonazione.size(); ++i) {
        const int c = int(i) % kColonne;
        const int rr = int(i) / kColonne;
        const QRectF cella(griglia.left() + c * w, griglia.top() + rr * h, w - 8, h - 6);
        grafici::zonazione(p, cella, r.zonazione[i], profMax, rr == righe - 1, c == 0);
    }
}

} // namespace

std::vector<QRectF> posizioniNumeri(const std::vector<QPoint> &stazioni, const std::vector<QSizeF> &testi)
{
    std::vector<QRectF> marcatori;
    for (const QPoint &s : stazioni)
        marcatori.emplace_back(s.x() - 2, s.y() - 2, 5, 5);
    const QRectF mappa(0, 0, kLatoMappa, kLatoMappa);
    std::vector<QRectF> posti;
    for (size_t i = 0; i < stazioni.size(); ++i) {
        const QPointF c = QPointF(stazioni[i]) + QPointF(0.5, 0.5);
        const QSizeF t = testi[i];
        std::vector<QRectF> prove;
        // Beside the marker first, then a little further out.
        for (double d : {3.5, 7.0}) {
            prove.emplace_back(c.x() + d, c.y() - t.height() / 2, t.width(), t.height());
            prove.emplace_back(c.x() - d - t.width(), c.y() - t.height() / 2, t.width(), t.height());
            prove.emplace_back(c.x() - t.width() / 2, c.y() - d - t.height(), t.width(), t.height());
            prove.emplace_back(c.x() - t.width() / 2, c.y() + d, t.width(), t.height());
            prove.emplace_back(c.x() + d - 0.5, c.y() - d + 0.5 - t.height(), t.width(), t.height());
            prove.emplace_back(c.x() + d - 0.5, c.y() + d - 0.5, t.width(), t.height());
            prove.emplace_back(c.x() - d + 0.5 - t.width(), c.y() - d + 0.5 - t.height(), t.width(), t.height());
            prove.emplace_back(c.x() - d + 0.5 - t.width(), c.y() + d - 0.5, t.width(), t.height());
        }
        auto libero = [](const std::vector<QRectF> &occupati, const QRectF &b) {
            return std::none_of(occupati.begin(), occupati.end(), [&](const QRectF &q) { return q.intersects(b); });
        };
        // Crowded stations may have to share: a number over a number still
        // reads better than a number over a marker.
        auto trova = [&](bool ancheSuiNumeri) -> std::optional<QRectF> {
            for (const QRectF &b : prove)
                if (mappa.contains(b) && libero(marcatori, b) && (ancheSuiNumeri || libero(posti, b)))
                    return b;
            return std::nullopt;
        };
        const QRectF scelto = trova(false).value_or(trova(true).value_or(prove.front()));
        posti.push_back(scelto);
    }
    return posti;
}

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
