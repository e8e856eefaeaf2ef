#include "GraficiComunita.h"

#include "Comunita.h"
#include "Numeri.h"
#include "Stampa.h"

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>

namespace graficicomunita {

namespace {

constexpr int kLato = 512;
constexpr double kRigaLegenda = 10;
constexpr double kRigaTabella = 11;
constexpr double kPrimaColonna = 60;
constexpr double kColonna = 28;
const QString kTitoloLegenda = QStringLiteral("Assemblaggi veri: la parte del mare e il gruppo del rilievo che vi cade di più");

// The legend's heading: one line on a page, wrapped in a narrow column.
double altezzaTitoloLegenda(double larghezza)
{
    return std::max(11.0, stampa::altezzaTesto(stampa::carattere(8, true), larghezza, kTitoloLegenda));
}
constexpr int kAlfaZona = 105;
constexpr int kAlfaBordo = 235;

// Per assemblage, the pixel deepest inside it (the farthest from any other
// assemblage, land or empty sea), where its letter reads best: a two-pass
// chamfer distance over the map.
std::vector<QPoint> centri(const std::vector<std::int16_t> &a, int numero)
{
    const int n = kLato * kLato;
    std::vector<int> d(n, 0);
    const auto uguale = [&](int i, int j) { return a[i] == a[j]; };
    constexpr int kGrande = 1 << 20;
    for (int y = 0; y < kLato; ++y)
        for (int x = 0; x < kLato; ++x) {
            const int i = y * kLato + x;
            if (a[i] < 0)
                continue;
            int v = kGrande;
            if (x == 0 || y == 0 || x == kLato - 1 || y == kLato - 1)
                v = 1;
            if (x > 0)
                v = std::min(v, uguale(i, i - 1) ? d[i - 1] + 1 : 1);
            if (y > 0)
                v = std::min(v, uguale(i, i - kLato) ? d[i - kLato] + 1 : 1);
            d[i] = v;
        }
    for (int y = kLato - 1; y >= 0; --y)
        for (int x = kLato - 1; x >= 0; --x) {
            const int i = y * kLato + x;
            if (a[i] < 0)
                continue;
            if (x < kLato - 1)
                d[i] = std::min(d[i], uguale(i, i + 1) ? d[i + 1] + 1 : 1);
            if (y < kLato - 1)
                d[i] = std::min(d[i], uguale(i, i + kLato) ? d[i + kLato] + 1 : 1);
        }
    std::vector<QPoint> c(numero, QPoint(-1, -1));
    std::vector<int> meglio(numero, 0);
    for (int i = 0; i < n; ++i)
        if (a[i] >= 0 && d[i] > meglio[a[i]]) {
            meglio[a[i]] = d[i];
            c[a[i]] = QPoint(i % kLato, i / kLato);
        }
    return c;
}

} // namespace

QColor coloreAssemblaggio(const rapporto::ComunitaVere &v, int assemblaggio)
{
    const int g = assemblaggio < int(v.gruppoSimile.size()) ? v.gruppoSimile[assemblaggio] : 0;
    if (g > 0)
        return coloreGruppo(g);
    // Assemblages no station fell in: greys, one apart from the next.
    const int tono = 95 + (assemblaggio * 37) % 110;
    return QColor(tono, tono, tono);
}

QImage zoneAssemblaggi(const rapporto::ComunitaVere &v)
{
    QImage zone(kLato, kLato, QImage::Format_ARGB32_Premultiplied);
    zone.fill(Qt::transparent);
    const int numero = int(v.pixel.size());
    std::vector<QColor> colori;
    for (int a = 0; a < numero; ++a)
        colori.push_back(coloreAssemblaggio(v, a));
    if (v.assemblaggio.size() == std::size_t(kLato) * kLato) {
        for (int y = 0; y < kLato; ++y) {
            auto *riga = reinterpret_cast<QRgb *>(zone.scanLine(y));
            for (int x = 0; x < kLato; ++x) {
                const int a = v.assemblaggio[std::size_t(y) * kLato + x];
                if (a < 0)
                    continue;
                // The edge of a zone is drawn almost solid, its inside light.
                const bool bordo = (x + 1 < kLato && v.assemblaggio[std::size_t(y) * kLato + x + 1] != a)
                                   || (y + 1 < kLato && v.assemblaggio[std::size_t(y + 1) * kLato + x] != a);
                QColor c = colori[a];
                c.setAlpha(bordo ? kAlfaBordo : kAlfaZona);
                riga[x] = qPremultiply(c.rgba());
            }
        }
    }
    // Over the area's chart once, so that a redraw scales one picture.
    QImage carta = v.mappa.convertToFormat(QImage::Format_RGB32);
    if (carta.isNull())
        return zone;
    QPainter p(&carta);
    p.drawImage(carta.rect(), zone);
    return carta;
}

std::vector<QPoint> centriAssemblaggi(const rapporto::ComunitaVere &v)
{
    const int numero = int(v.pixel.size());
    return v.assemblaggio.size() == std::size_t(kLato) * kLato ? centri(v.assemblaggio, numero)
                                                               : std::vector<QPoint>(numero, {-1, -1});
}

std::vector<QString> mappaAssemblaggi(QPainter &p, const QRectF &area, const rapporto::ComunitaVere &v)
{
    const double lato = std::min(area.width(), area.height());
    const QRectF carta(area.left() + (area.width() - lato) / 2, area.top(), lato, lato);
    const double k = lato / kLato;

    const int numero = int(v.pixel.size());
    std::vector<QColor> colori;
    for (int a = 0; a < numero; ++a)
        colori.push_back(coloreAssemblaggio(v, a));
    p.save();
    p.drawImage(carta, v.zone);
    p.setPen(QPen(stampa::kInchiostro, 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRect(carta);

    // The letters first: the stations' numbers keep clear of them.
    std::vector<QRectF> lettere;
    const QFont carattereLettere = stampa::carattere(10, true);
    const QFontMetricsF fl(carattereLettere);
    const std::vector<QPoint> &dove = v.centri;
    p.setFont(carattereLettere);
    for (int a = 0; a < numero && a < int(dove.size()); ++a) {
        if (dove[a].x() < 0)
            continue;
        const QString t = comunita::lettera(a);
        const QPointF c(carta.left() + (dove[a].x() + 0.5) * k, carta.top() + (dove[a].y() + 0.5) * k);
        const QRectF box(c.x() - fl.horizontalAdvance(t) / 2 - 1, c.y() - fl.height() / 2, fl.horizontalAdvance(t) + 2, fl.height());
        lettere.push_back(box);
        p.setPen(colori[a].darker(170));
        stampa::testoAlone(p, box, Qt::AlignCenter, t);
    }

    constexpr double kRaggio = 2.6;
    std::vector<QPointF> punti;
    std::vector<QSizeF> testi;
    const QFont numeri = stampa::carattere(6, true);
    const QFontMetricsF fm(numeri);
    for (const auto &s : v.stazioni) {
        punti.emplace_back(carta.left() + (s.pixel.x() + 0.5) * k, carta.top() + (s.pixel.y() + 0.5) * k);
        testi.emplace_back(fm.horizontalAdvance(s.etichetta) + 1, fm.height() * 0.85);
    }
    const std::vector<QRectF> posti = posizioniEtichette(punti, kRaggio, testi, carta.adjusted(1, 1, -1, -1), lettere);
    for (std::size_t i = 0; i < punti.size(); ++i) {
        const int g = v.stazioni[i].gruppo;
        p.setPen(QPen(g > 0 ? Qt::white : stampa::kTenue, 0.6));
        p.setBrush(g > 0 ? coloreGruppo(g) : QColor(Qt::white));
        p.drawEllipse(punti[i], kRaggio, kRaggio);
    }
    std::vector<QString> omesse;
    p.setFont(numeri);
    for (std::size_t i = 0; i < punti.size(); ++i) {
        if (posti[i].isEmpty()) {
            omesse.push_back(v.stazioni[i].etichetta);
            continue;
        }
        p.setPen(v.stazioni[i].gruppo > 0 ? coloreGruppo(v.stazioni[i].gruppo).darker(160) : stampa::kInchiostro);
        stampa::testoAlone(p, posti[i], Qt::AlignCenter, v.stazioni[i].etichetta);
    }
    p.restore();
    return omesse;
}

double altezzaLegendaAssemblaggi(const rapporto::ComunitaVere &v, int colonne, double larghezza)
{
    const int numero = int(v.pixel.size());
    return altezzaTitoloLegenda(larghezza) + 3 + kRigaLegenda * ((numero + colonne - 1) / colonne);
}

void legendaAssemblaggi(QPainter &p, const QRectF &box, const rapporto::ComunitaVere &v, int colonne)
{
    long mare = 0;
    for (const long n : v.pixel)
        mare += n;
    double y = box.top();
    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    const double titolo = altezzaTitoloLegenda(box.width());
    p.drawText(QRectF(box.left(), y, box.width(), titolo), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, kTitoloLegenda);
    y += titolo + 3;
    p.setFont(stampa::carattere(7));
    const int numero = int(v.pixel.size());
    const double largoVoce = box.width() / colonne;
    for (int a = 0; a < numero; ++a) {
        const double x = box.left() + (a % colonne) * largoVoce;
        const double yy = y + (a / colonne) * kRigaLegenda;
        p.fillRect(QRectF(x, yy + 1.5, 9, 7), coloreAssemblaggio(v, a));
        const int g = v.gruppoSimile[a];
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(x + 13, yy, largoVoce - 15, kRigaLegenda), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1  %2 % del mare · %3")
                       .arg(comunita::lettera(a), numeri::fisso(mare > 0 ? 100.0 * v.pixel[a] / mare : 0.0, 1),
                            g > 0 ? QStringLiteral("gruppo %1").arg(g) : QStringLiteral("nessuna stazione")));
    }
    p.restore();
}

double altezzaTabellaAssemblaggi(const rapporto::ComunitaVere &v)
{
    return 14 + kRigaTabella * double(v.tabella.size());
}

double larghezzaTabellaAssemblaggi(const rapporto::ComunitaVere &v)
{
    return kPrimaColonna + kColonna * double(std::max<std::size_t>(1, v.pixel.size()));
}

void tabellaAssemblaggi(QPainter &p, const QRectF &box, const rapporto::ComunitaVere &v)
{
    double y = box.top();
    const int colonne = int(v.pixel.size());
    const double largo = std::min(kColonna, (box.width() - kPrimaColonna) / std::max(1, colonne));
    p.save();
    p.setFont(stampa::carattere(8, true));
    p.setPen(stampa::kInchiostro);
    p.drawText(QRectF(box.left(), y, kPrimaColonna, 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("gruppo"));
    for (int a = 0; a < colonne; ++a)
        p.drawText(QRectF(box.left() + kPrimaColonna + a * largo, y, largo - 4, 11), Qt::AlignRight | Qt::AlignVCenter,
                   comunita::lettera(a));
    y += 12;
    p.setPen(QPen(stampa::kInchiostro, 0.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(box.left(), y), QPointF(box.left() + kPrimaColonna + colonne * largo, y));
    y += 2;
    p.setFont(stampa::carattere(8));
    for (std::size_t g = 0; g < v.tabella.size(); ++g) {
        p.fillRect(QRectF(box.left(), y + 2, 8, 7), coloreGruppo(int(g) + 1));
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(box.left() + 12, y, kPrimaColonna - 12, 11), Qt::AlignLeft | Qt::AlignVCenter, QString::number(g + 1));
        for (int a = 0; a < colonne; ++a) {
            const int n = v.tabella[g][a];
            p.setPen(n > 0 ? stampa::kInchiostro : stampa::kGriglia.darker(130));
            p.drawText(QRectF(box.left() + kPrimaColonna + a * largo, y, largo - 4, 11), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(n));
        }
        y += kRigaTabella;
    }
    p.restore();
}

} // namespace graficicomunita
