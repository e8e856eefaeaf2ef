#include "Assi.h"

#include "Stampa.h"

#include <cmath>

namespace assi {

double passoTondo(double span, int parti)
{
    if (!(span > 0) || parti < 1)
        return 1;
    const double grezzo = span / parti;
    const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double f = grezzo / decade;
    const double tondo = f < 1.5 ? 1 : f < 3.5 ? 2 : f < 7.5 ? 5 : 10;
    return tondo * decade;
}

QString etichetta(double valore, double passo)
{
    int decimali = 0;
    if (passo > 0 && passo < 1)
        decimali = std::min(6, int(std::ceil(-std::log10(passo) - 1e-9)));
    if (std::abs(valore) < passo * 1e-6)
        valore = 0;
    return QString::number(valore, 'f', decimali);
}

double Scala::su(double valore) const
{
    double t;
    if (log) {
        const double lv = std::log10(std::max(valore, min));
        t = (lv - std::log10(min)) / (std::log10(max) - std::log10(min));
    } else {
        t = max > min ? (valore - min) / (max - min) : 0;
    }
    return da + t * (a - da);
}

std::vector<double> Scala::tacche() const
{
    std::vector<double> out;
    if (log) {
        for (double d = min; d <= max * 1.0001; d *= 10)
            out.push_back(d);
        return out;
    }
    const double primo = std::ceil(min / passo - 1e-9) * passo;
    for (double v = primo; v <= max + passo * 1e-6; v += passo)
        out.push_back(v);
    return out;
}

Scala lineare(double lo, double hi, double da, double a, int parti, bool daZero)
{
    if (daZero && lo >= 0)
        lo = 0;
    if (!(hi > lo))
        hi = lo + 1;
    Scala s;
    s.passo = passoTondo(hi - lo, parti);
    s.min = std::floor(lo / s.passo + 1e-9) * s.passo;
    s.max = std::ceil(hi / s.passo - 1e-9) * s.passo;
    if (s.max <= s.min)
        s.max = s.min + s.passo;
    s.da = da;
    s.a = a;
    return s;
}

Scala logaritmica(double lo, double hi, double da, double a)
{
    Scala s;
    s.log = true;
    s.min = std::pow(10.0, std::floor(std::log10(std::max(lo, 1e-9))));
    s.max = std::pow(10.0, std::ceil(std::log10(std::max(hi, lo))));
    if (s.max <= s.min)
        s.max = s.min * 10;
    s.da = da;
    s.a = a;
    return s;
}

Riquadro riquadro(const QRectF &area)
{
    Riquadro r;
    r.area = area;
    r.x.da = area.left();
    r.x.a = area.right();
    r.y.da = area.bottom();
    r.y.a = area.top();
    return r;
}

void disegnaAssi(QPainter &p, const Riquadro &r, const QString &titoloX, const QString &titoloY,
                 bool etichetteX, bool etichetteY)
{
    p.save();
    const QRectF &a = r.area;
    const auto tx = r.x.tacche();
    const auto ty = r.y.tacche();

    p.setPen(QPen(stampa::kGriglia, 0.4));
    for (double v : tx)
        p.drawLine(QPointF(r.x.su(v), a.top()), QPointF(r.x.su(v), a.bottom()));
    for (double v : ty)
        p.drawLine(QPointF(a.left(), r.y.su(v)), QPointF(a.right(), r.y.su(v)));

    p.setPen(QPen(stampa::kInchiostro, 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRect(a);

    p.setFont(stampa::carattere(7));
    const double alto = 9;
    for (double v : tx) {
        const double x = r.x.su(v);
        p.drawLine(QPointF(x, a.bottom()), QPointF(x, a.bottom() + 3));
        if (etichetteX) {
            const QString t = r.x.log ? etichetta(v, std::min(v, 1.0)) : etichetta(v, r.x.passo);
            p.drawText(QRectF(x - 25, a.bottom() + 4, 50, alto), Qt::AlignHCenter | Qt::AlignTop, t);
        }
    }
    for (double v : ty) {
        const double y = r.y.su(v);
        p.drawLine(QPointF(a.left() - 3, y), QPointF(a.left(), y));
        if (etichetteY) {
            const QString t = r.y.log ? etichetta(v, std::min(v, 1.0)) : etichetta(v, r.y.passo);
            p.drawText(QRectF(a.left() - 54, y - alto / 2, 50, alto), Qt::AlignRight | Qt::AlignVCenter, t);
        }
    }

    p.setFont(stampa::carattere(8));
    if (!titoloX.isEmpty())
        p.drawText(QRectF(a.left(), a.bottom() + 14, a.width(), 11), Qt::AlignHCenter | Qt::AlignTop, titoloX);
    if (!titoloY.isEmpty()) {
        // Read from below, as on most printed charts.
        p.translate(a.left() - 38, a.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-a.height() / 2, -11, a.height(), 11), Qt::AlignHCenter | Qt::AlignBottom, titoloY);
    }
    p.restore();
}

} // namespace assi
