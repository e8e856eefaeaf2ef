#include "GraficiComunita.h"

#include "Assi.h"
#include "Numeri.h"
#include "Stampa.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace graficicomunita {

namespace {

const QColor kStimatori(60, 60, 70);

} // namespace

void marcatoreStima(QPainter &p, QPointF c, int k, double r)
{
    p.save();
    p.setPen(QPen(Qt::white, 0.6));
    p.setBrush(kStimatori);
    QPolygonF forma;
    switch (k % 3) {
    case 0: // a diamond
        forma << c + QPointF(0, -1.3 * r) << c + QPointF(1.3 * r, 0) << c + QPointF(0, 1.3 * r) << c + QPointF(-1.3 * r, 0);
        p.drawPolygon(forma);
        break;
    case 1:
        p.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
        break;
    default: // a triangle
        forma << c + QPointF(0, -1.3 * r) << c + QPointF(1.2 * r, 0.8 * r) << c + QPointF(-1.2 * r, 0.8 * r);
        p.drawPolygon(forma);
        break;
    }
    p.restore();
}

void accumulo(QPainter &p, const QRectF &area, const rapporto::Sforzo &s)
{
    const int m = int(s.curva.size());
    const int fino = std::max<int>(m, int(s.curvaVera.size()));
    double alto = s.specieVere;
    for (const auto &q : s.curva)
        alto = std::max(alto, q.specie + q.deviazione);
    for (const auto &e : s.stime)
        alto = std::max(alto, e.valore + e.errore.value_or(0.0));
    // Room on the right for half of a last label of three figures.
    assi::Riquadro r = assi::riquadro(area.adjusted(50, 6, -10, -30));
    r.x = assi::lineare(0, fino, r.area.left(), r.area.right(), 8);
    r.y = assi::lineare(0, alto + 0.5, r.area.bottom(), r.area.top(), 6);
    assi::disegnaAssi(p, r, QStringLiteral("stazioni"), QStringLiteral("specie"));
    const auto su = [&](double x, double y) { return QPointF(r.x.su(x), r.y.su(y)); };

    p.save();
    p.setClipRect(r.area.adjusted(-4, -4, 4, 4));
    // The band of one standard deviation around the survey's curve.
    QPolygonF banda;
    for (const auto &q : s.curva)
        banda << su(q.stazioni, q.specie + q.deviazione);
    for (auto it = s.curva.rbegin(); it != s.curva.rend(); ++it)
        banda << su(it->stazioni, std::max(0.0, it->specie - it->deviazione));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(stampa::kStima.red(), stampa::kStima.green(), stampa::kStima.blue(), 55));
    p.drawPolygon(banda);

    // The truth: the expected curve at random and the richness of the sea.
    QPolygonF vera;
    for (std::size_t n = 0; n < s.curvaVera.size(); ++n)
        vera << su(double(n + 1), s.curvaVera[n]);
    p.setPen(QPen(stampa::kVero, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(vera);
    p.setPen(QPen(stampa::kVero, 1.0, Qt::DashLine));
    p.drawLine(su(0, s.specieVere), su(fino, s.specieVere));

    QPolygonF curva;
    for (const auto &q : s.curva)
        curva << su(q.stazioni, q.specie);
    p.setPen(QPen(stampa::kStima, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(curva);
    if (m <= 40) {
        p.setPen(QPen(Qt::white, 0.4));
        p.setBrush(stampa::kStima);
        for (const QPointF &c : curva)
            p.drawEllipse(c, 1.8, 1.8);
    }

    // The estimators at the survey's size, side by side, with their errors.
    for (std::size_t k = 0; k < s.stime.size(); ++k) {
        const auto &e = s.stime[k];
        const QPointF c = su(m, e.valore) + QPointF(9.0 * double(k + 1), 0);
        if (e.errore) {
            p.setPen(QPen(QColor(60, 60, 70), 1.0, Qt::SolidLine, Qt::FlatCap));
            const QPointF a = QPointF(c.x(), r.y.su(e.valore + *e.errore));
            const QPointF b = QPointF(c.x(), r.y.su(std::max(0.0, e.valore - *e.errore)));
            p.drawLine(a, b);
            p.drawLine(a - QPointF(2.5, 0), a + QPointF(2.5, 0));
            p.drawLine(b - QPointF(2.5, 0), b + QPointF(2.5, 0));
        }
        marcatoreStima(p, c, int(k), 3.0);
    }
    p.restore();

    p.save();
    p.setFont(stampa::carattere(7));
    p.setPen(stampa::kVero.darker(125));
    stampa::testoAlone(p, QRectF(r.area.left() + 4, r.y.su(s.specieVere) - 11, r.area.width() / 2, 10),
                       Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("specie nel mare: %1").arg(s.specieVere));
    p.restore();
}

void legendaAccumulo(QPainter &p, const QRectF &box, const rapporto::Sforzo &s)
{
    p.save();
    p.setFont(stampa::carattere(8));
    const double riga = 13;
    const double y = box.top();
    const auto voce = [&](double x, double yy, const QString &testo) {
        p.setPen(stampa::kInchiostro);
        p.drawText(QRectF(x, yy, 230, riga), Qt::AlignLeft | Qt::AlignVCenter, testo);
    };
    const double x0 = box.left();
    p.setPen(QPen(stampa::kStima, 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x0, y + riga / 2), QPointF(x0 + 18, y + riga / 2));
    voce(x0 + 24, y, QStringLiteral("il rilievo, ± 1 deviazione standard"));
    p.setPen(QPen(stampa::kVero, 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x0, y + riga * 1.5), QPointF(x0 + 18, y + riga * 1.5));
    voce(x0 + 24, y + riga, QStringLiteral("stazioni a caso nel mare vero"));
    p.setPen(QPen(stampa::kVero, 1.0, Qt::DashLine, Qt::FlatCap));
    p.drawLine(QPointF(x0, y + riga * 2.5), QPointF(x0 + 18, y + riga * 2.5));
    voce(x0 + 24, y + 2 * riga, QStringLiteral("specie presenti nel mare: %1").arg(s.specieVere));
    const double x1 = box.left() + box.width() / 2;
    for (std::size_t k = 0; k < s.stime.size(); ++k) {
        const auto &e = s.stime[k];
        marcatoreStima(p, QPointF(x1 + 6, y + riga * (k + 0.5)), int(k), 3.0);
        voce(x1 + 16, y + riga * k,
             e.errore ? QStringLiteral("%1: %2 ± %3").arg(e.nome, numeri::fisso(e.valore, 2), numeri::fisso(*e.errore, 2))
                      : QStringLiteral("%1: %2 (senza errore standard)").arg(e.nome, numeri::fisso(e.valore, 2)));
    }
    p.restore();
}

} // namespace graficicomunita
