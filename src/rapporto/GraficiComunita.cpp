#include "GraficiComunita.h"

#include "Assi.h"
#include "Numeri.h"
#include "Stampa.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace graficicomunita {

QColor coloreGruppo(int gruppo)
{
    // Okabe and Ito's colours, told apart also by most colour-blind readers,
    // then a few more; beyond them the numbers on the chart tell groups apart.
    static const QColor kColori[] = {{0, 114, 178},  {213, 94, 0},   {0, 158, 115}, {204, 121, 167}, {230, 159, 0},
                                     {86, 180, 233}, {150, 100, 40}, {110, 70, 170}, {175, 160, 0},  {0, 90, 60}};
    if (gruppo <= 0)
        return QColor(150, 150, 150);
    return kColori[(gruppo - 1) % int(std::size(kColori))];
}

void marcatore(QPainter &p, QPointF c, int strato, double r, const QColor &colore)
{
    p.save();
    p.setPen(QPen(Qt::white, std::max(0.3, r * 0.18)));
    p.setBrush(colore);
    QPolygonF forma;
    const auto poligono = [&](int lati, double giro, double scala) {
        for (int k = 0; k < lati; ++k) {
            const double a = giro + 2.0 * std::numbers::pi * k / lati;
            forma << QPointF(c.x() + scala * r * std::cos(a), c.y() + scala * r * std::sin(a));
        }
    };
    switch (strato < 0 ? -1 : strato % 6) {
    case 0:
        p.drawEllipse(c, r, r);
        break;
    case 1:
        p.drawRect(QRectF(c.x() - 0.88 * r, c.y() - 0.88 * r, 1.76 * r, 1.76 * r));
        break;
    case 2:
        poligono(3, -std::numbers::pi / 2, 1.2);
        break;
    case 3:
        poligono(4, 0, 1.2);
        break;
    case 4:
        poligono(3, std::numbers::pi / 2, 1.2);
        break;
    case 5:
        poligono(6, 0, 1.05);
        break;
    default: {
        // No stratum: a cross in the colour.
        p.setPen(QPen(colore, std::max(0.8, r * 0.45)));
        p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
        p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
        break;
    }
    }
    if (!forma.isEmpty())
        p.drawPolygon(forma);
    p.restore();
}

std::vector<QRectF> posizioniEtichette(const std::vector<QPointF> &punti, double raggio, const std::vector<QSizeF> &testi,
                                       const QRectF &riquadro, const std::vector<QRectF> &ostacoli)
{
    std::vector<QRectF> occupati = ostacoli;
    for (const QPointF &c : punti)
        occupati.emplace_back(c.x() - raggio, c.y() - raggio, 2 * raggio, 2 * raggio);
    std::vector<QRectF> posti;
    for (std::size_t i = 0; i < punti.size(); ++i) {
        const QPointF c = punti[i];
        const double w = testi[i].width();
        const double h = testi[i].height();
        const double d = raggio + 1.0;
        const QRectF prove[] = {
            {c.x() + d, c.y() - h / 2, w, h},         {c.x() - d - w, c.y() - h / 2, w, h},
            {c.x() - w / 2, c.y() - d - h, w, h},     {c.x() - w / 2, c.y() + d, w, h},
            {c.x() + d * 0.7, c.y() - d * 0.7 - h, w, h}, {c.x() + d * 0.7, c.y() + d * 0.7, w, h},
            {c.x() - d * 0.7 - w, c.y() - d * 0.7 - h, w, h}, {c.x() - d * 0.7 - w, c.y() + d * 0.7, w, h},
        };
        QRectF scelto;
        for (const QRectF &b : prove) {
            if (!riquadro.contains(b))
                continue;
            if (std::none_of(occupati.begin(), occupati.end(), [&](const QRectF &q) { return q.intersects(b); })) {
                scelto = b;
                break;
            }
        }
        if (!scelto.isEmpty())
            occupati.push_back(scelto);
        posti.push_back(scelto);
    }
    return posti;
}

namespace {

struct Nodo {
    double x = 0.0;
    double livello = 100.0;
    int gruppo = 0; // the group of all its objects, 0 when they are mixed
};

} // namespace

void dendrogramma(QPainter &p, const QRectF &area, const rapporto::Dendrogramma &d)
{
    const int n = int(d.etichette.size());
    if (n == 0)
        return;
    // Leaves left to right: at every step the cluster of the lower object on the left.
    std::vector<int> foglie;
    std::vector<int> daFare{n + int(d.fusioni.size()) - 1};
    while (!daFare.empty()) {
        const int k = daFare.back();
        daFare.pop_back();
        if (k < n) {
            foglie.push_back(k);
            continue;
        }
        daFare.push_back(d.fusioni[k - n].b);
        daFare.push_back(d.fusioni[k - n].a);
    }

    double minimo = d.taglio;
    for (const auto &f : d.fusioni)
        minimo = std::min(minimo, f.livello);
    const double passoFoglia = (area.width() - 50) / n;
    // Numbers stand under the leaves, upright when they fit, else turned.
    const double corpo = std::clamp(passoFoglia * 1.15, 4.5, 7.0);
    const QFont carattere = stampa::carattere(int(std::lround(corpo)));
    const QFontMetricsF fm(carattere);
    double largo = 0.0;
    for (const QString &e : d.etichette)
        largo = std::max(largo, fm.horizontalAdvance(e));
    const bool girati = largo > passoFoglia * 0.95;
    const double spazioNumeri = girati ? largo + 4 : fm.height() + 2;

    // The frame's right edge is a line's width inside the area.
    assi::Riquadro r = assi::riquadro(area.adjusted(50, 4, -1, -spazioNumeri - 2));
    r.y = assi::lineare(std::max(0.0, std::floor(minimo / 10.0) * 10.0 - 10.0), 100.0, r.area.top(), r.area.bottom(), 5, false);
    r.x = assi::lineare(0, 1, r.area.left(), r.area.right(), 1);
    r.x.passo = 1e9;
    assi::disegnaAssi(p, r, {}, QStringLiteral("similarità (%)"), false, true);

    std::vector<Nodo> nodi(std::size_t(n) + d.fusioni.size());
    for (int k = 0; k < n; ++k) {
        const int posizione = int(std::find(foglie.begin(), foglie.end(), k) - foglie.begin());
        nodi[k] = {r.area.left() + (posizione + 0.5) * (r.area.width() / n), 100.0, d.gruppi[k]};
    }
    p.save();
    p.setClipRect(r.area.adjusted(-1, -1, 1, 1));
    for (std::size_t s = 0; s < d.fusioni.size(); ++s) {
        const auto &f = d.fusioni[s];
        const Nodo &a = nodi[f.a];
        const Nodo &b = nodi[f.b];
        Nodo &u = nodi[std::size_t(n) + s];
        u.x = (a.x + b.x) / 2.0;
        u.livello = f.livello;
        u.gruppo = a.gruppo == b.gruppo ? a.gruppo : 0;
        const double y = r.y.su(f.livello);
        // Each child's stem in the child's colour, the bar in the parent's.
        for (const Nodo *figlio : {&a, &b}) {
            p.setPen(QPen(figlio->gruppo > 0 ? coloreGruppo(figlio->gruppo) : stampa::kInchiostro, 0.9, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(figlio->x, r.y.su(figlio->livello)), QPointF(figlio->x, y));
        }
        p.setPen(QPen(u.gruppo > 0 ? coloreGruppo(u.gruppo) : stampa::kInchiostro, 0.9, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(QPointF(a.x, y), QPointF(b.x, y));
    }
    // The cut, dashed across the tree.
    const double yTaglio = r.y.su(d.taglio);
    p.setPen(QPen(stampa::kMancato, 0.9, Qt::DashLine));
    p.drawLine(QPointF(r.area.left(), yTaglio), QPointF(r.area.right(), yTaglio));
    // Its label on a white ground: branches may pass behind it.
    p.setFont(stampa::carattere(7, true));
    const QFontMetricsF ft(p.font());
    const double largoTaglio = ft.horizontalAdvance(d.testoTaglio) + 6;
    const QRectF etichetta(r.area.right() - largoTaglio - 3, yTaglio - 12, largoTaglio, 10);
    p.fillRect(etichetta, QColor(255, 255, 255, 235));
    p.setPen(stampa::kMancato);
    p.drawText(etichetta, Qt::AlignCenter, d.testoTaglio);
    p.restore();

    p.save();
    p.setFont(carattere);
    for (int k = 0; k < n; ++k) {
        p.setPen(coloreGruppo(d.gruppi[k]).darker(130));
        const double x = nodi[k].x;
        if (girati) {
            p.save();
            p.translate(x, r.area.bottom() + 3);
            p.rotate(-90);
            p.drawText(QRectF(-largo - 1, -fm.height() / 2, largo, fm.height()), Qt::AlignRight | Qt::AlignVCenter, d.etichette[k]);
            p.restore();
        } else {
            p.drawText(QRectF(x - passoFoglia / 2, r.area.bottom() + 2, passoFoglia, fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                       d.etichette[k]);
        }
    }
    p.restore();
}

std::vector<QString> ordinamento(QPainter &p, const QRectF &area, const rapporto::Ordinamento &o)
{
    std::vector<QString> omesse;
    if (o.punti.empty())
        return omesse;
    double x0 = o.punti[0].x, x1 = x0, y0 = o.punti[0].y, y1 = y0;
    for (const auto &q : o.punti) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    const QRectF quadro = area.adjusted(14, 0, 0, -14);
    p.save();
    p.setPen(QPen(stampa::kInchiostro, 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRect(quadro);
    p.setFont(stampa::carattere(8));
    p.drawText(QRectF(quadro.left(), quadro.bottom() + 2, quadro.width(), 11), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("nMDS 1"));
    p.translate(quadro.left() - 3, quadro.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-quadro.height() / 2, -11, quadro.height(), 11), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("nMDS 2"));
    p.restore();

    // Equal scales: distances on the page are the configuration's.
    const double margine = 16;
    const QRectF dentro = quadro.adjusted(margine, margine, -margine, -margine);
    const double scala = std::min(dentro.width() / std::max(x1 - x0, 1e-9), dentro.height() / std::max(y1 - y0, 1e-9));
    const QPointF centro = dentro.center();
    const auto su = [&](double x, double y) {
        return QPointF(centro.x() + (x - (x0 + x1) / 2) * scala, centro.y() - (y - (y0 + y1) / 2) * scala);
    };
    constexpr double kRaggio = 3.2;
    std::vector<QPointF> punti;
    std::vector<QSizeF> testi;
    const QFont numeri = stampa::carattere(6);
    const QFontMetricsF fm(numeri);
    for (const auto &q : o.punti) {
        punti.push_back(su(q.x, q.y));
        testi.emplace_back(fm.horizontalAdvance(q.etichetta) + 1, fm.height() * 0.85);
    }
    const std::vector<QRectF> posti = posizioniEtichette(punti, kRaggio, testi, quadro.adjusted(1, 1, -1, -1));
    p.save();
    p.setPen(QPen(stampa::kGriglia, 0.5, Qt::DashLine));
    p.drawLine(QPointF(su(0, 0).x(), quadro.top()), QPointF(su(0, 0).x(), quadro.bottom()));
    p.drawLine(QPointF(quadro.left(), su(0, 0).y()), QPointF(quadro.right(), su(0, 0).y()));
    for (std::size_t i = 0; i < punti.size(); ++i)
        marcatore(p, punti[i], o.punti[i].strato, kRaggio, coloreGruppo(o.punti[i].gruppo));
    p.setFont(numeri);
    for (std::size_t i = 0; i < punti.size(); ++i) {
        if (posti[i].isEmpty()) {
            omesse.push_back(o.punti[i].etichetta);
            continue;
        }
        p.setPen(coloreGruppo(o.punti[i].gruppo).darker(150));
        p.drawText(posti[i], Qt::AlignCenter, o.punti[i].etichetta);
    }
    p.restore();
    return omesse;
}

namespace {

int colonneGruppi(int gruppi)
{
    return gruppi > 6 ? 2 : 1;
}

// The strata's entries, and one for the stations outside them.
int vociStrati(const rapporto::Ordinamento &o)
{
    const bool nessuno = std::any_of(o.punti.begin(), o.punti.end(), [](const auto &q) { return q.strato < 0; });
    return int(o.strati.size()) + (nessuno ? 1 : 0);
}

} // namespace

double altezzaLegendaOrdinamento(const rapporto::Ordinamento &o, int gruppi)
{
    const int colonne = colonneGruppi(gruppi);
    return 13 + ((gruppi + colonne - 1) / colonne) * 11 + 6 + 13 + 11 * vociStrati(o);
}

double legendaOrdinamento(QPainter &p, const QRectF &area, const rapporto::Ordinamento &o, int gruppi)
{
    p.save();
    p.setFont(stampa::carattere(8));
    const QFontMetricsF fm(p.font());
    double y = area.top();
    p.setPen(stampa::kInchiostro);
    p.setFont(stampa::carattere(8, true));
    p.drawText(QRectF(area.left(), y, area.width(), 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Gruppi"));
    p.setFont(stampa::carattere(8));
    y += 13;
    const int colonne = colonneGruppi(gruppi);
    const double largo = area.width() / colonne;
    for (int g = 1; g <= gruppi; ++g) {
        const double x = area.left() + ((g - 1) % colonne) * largo;
        const double yy = y + ((g - 1) / colonne) * 11;
        p.fillRect(QRectF(x, yy + 2, 9, 7), coloreGruppo(g));
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(x + 13, yy, largo - 13, 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("gruppo %1").arg(g));
    }
    y += ((gruppi + colonne - 1) / colonne) * 11 + 6;
    p.setFont(stampa::carattere(8, true));
    p.drawText(QRectF(area.left(), y, area.width(), 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Strati"));
    p.setFont(stampa::carattere(8));
    y += 13;
    const int voci = vociStrati(o);
    for (int k = 0; k < voci; ++k) {
        const bool fuori = k == int(o.strati.size());
        marcatore(p, QPointF(area.left() + 4.5, y + 5.5), fuori ? -1 : k, 3.2, stampa::kTenue);
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(area.left() + 13, y, area.width() - 13, 11), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(fuori ? QStringLiteral("fuori dagli strati") : o.strati[k], Qt::ElideRight, area.width() - 13));
        y += 11;
    }
    p.restore();
    return y - area.top();
}

double tabellaSimper(QPainter &p, const QRectF &box, const std::vector<rapporto::Simper> &righe)
{
    constexpr double kRiga = 11;
    const double colonne[] = {100, 132};
    double y = box.top();
    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(box.left(), y, colonne[0], kRiga), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("confronto"));
    p.drawText(QRectF(box.left() + colonne[0], y, colonne[1], kRiga), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("media"));
    const double largo = box.width() - colonne[0] - colonne[1];
    p.drawText(QRectF(box.left() + colonne[0] + colonne[1], y, largo, kRiga), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font()).elidedText(QStringLiteral("specie che contribuiscono di più (% della media)"),
                                                  Qt::ElideRight, largo));
    y += kRiga + 1;
    p.setPen(QPen(stampa::kInchiostro, 0.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
    y += 2;
    p.setFont(stampa::carattere(8));
    const QFontMetricsF fm(p.font());
    const std::size_t entrano = std::size_t(std::max(0.0, std::floor((box.bottom() - y) / kRiga)));
    const std::size_t mostrate = righe.size() <= entrano ? righe.size() : (entrano > 0 ? entrano - 1 : 0);
    for (std::size_t i = 0; i < mostrate; ++i) {
        const rapporto::Simper &s = righe[i];
        if (i % 2 == 1)
            p.fillRect(QRectF(box.left(), y, box.width(), kRiga), stampa::kFasciaRiga);
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(box.left() + 2, y, colonne[0] - 2, kRiga), Qt::AlignLeft | Qt::AlignVCenter, s.confronto);
        p.drawText(QRectF(box.left() + colonne[0], y, colonne[1], kRiga), Qt::AlignLeft | Qt::AlignVCenter, s.misura);
        QStringList specie;
        for (const rapporto::Simper::Specie &sp : s.specie)
            specie << QStringLiteral("%1 %2").arg(sp.nome, numeri::fisso(sp.percento, 1));
        p.drawText(QRectF(box.left() + colonne[0] + colonne[1], y, largo, kRiga), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(specie.join(QStringLiteral("; ")), Qt::ElideRight, largo));
        y += kRiga;
    }
    if (mostrate < righe.size()) {
        p.setPen(stampa::kTenue);
        p.drawText(QRectF(box.left() + 2, y, box.width(), kRiga), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("… e altri %1 confronti: li stampa il comando fondalis-analisi comunita.").arg(righe.size() - mostrate));
        y += kRiga;
    }
    p.restore();
    return y;
}

} // namespace graficicomunita
