#include "MappaStazioni.h"

#include "Assi.h"
#include "Stampa.h"

#include <QFontMetricsF>

#include <algorithm>
#include <optional>

namespace {

constexpr int kLatoMappa = 512;
constexpr double kMetriPixel = 10;
// Room left of the map for the y axis, right of it, above it, and below it
// for the x axis, the scale bar and its legend.
constexpr double kSinistra = 38;
constexpr double kDestra = 6;
constexpr double kSopra = 4;
constexpr double kSotto = 48;

} // namespace

namespace grafici {

QRectF riquadroMappa(const QRectF &box)
{
    const double lato = std::max(0.0, std::min(box.width() - kSinistra - kDestra, box.height() - kSopra - kSotto));
    return QRectF(box.left() + kSinistra, box.top() + kSopra, lato, lato);
}

QSizeF mappaMinima()
{
    // The legend beside the scale bar needs the width of a page's map.
    return QSizeF(500, 460 + kSopra + kSotto);
}

void mappaStazioni(QPainter &p, const QRectF &box, const rapporto::Rilievo &r)
{
    const QRectF mappa = riquadroMappa(box);
    const double k = mappa.width() / kLatoMappa;
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
    // The title's letters stand left of this line, clear of the box's edge.
    p.translate(mappa.left() - 28, mappa.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-40, -11, 80, 11), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("y (m)"));
    p.restore();

    std::vector<QPoint> punti;
    std::vector<QSizeF> testi;
    const QFont numeri = stampa::carattere(7, true);
    const QFontMetricsF fm(numeri);
    for (const rapporto::RigaStazione &s : r.stazioni) {
        punti.push_back(s.pixel);
        testi.push_back(QSizeF((fm.horizontalAdvance(s.etichetta) + 1) / k, fm.height() * 0.8 / k));
    }
    const std::vector<QRectF> posti = rapporto::posizioniNumeri(punti, testi);
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
    p.restore();
}

} // namespace grafici

namespace rapporto {

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

} // namespace rapporto
