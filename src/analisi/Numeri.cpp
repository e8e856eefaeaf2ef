#include "Numeri.h"

namespace numeri {

QString fisso(double valore, int decimali)
{
    QString testo = QString::number(valore, 'f', decimali);
    // A small negative value rounds to "-0.00", which reads as a sign error.
    if (testo.startsWith(QLatin1Char('-'))) {
        bool zero = true;
        for (int i = 1; i < testo.size(); ++i)
            zero = zero && (testo[i] == QLatin1Char('0') || testo[i] == QLatin1Char('.'));
        if (zero)
            testo.remove(0, 1);
    }
    return testo;
}

QString fisso(std::optional<double> valore, int decimali)
{
    return valore ? fisso(*valore, decimali) : kNd;
}

QString percento(std::optional<double> valore)
{
    if (!valore)
        return kNd;
    QString testo = fisso(100.0 * *valore, 1);
    if (*valore > 0.0 && !testo.startsWith(QLatin1Char('-')) && testo != QLatin1String("0.0"))
        testo.prepend(QLatin1Char('+'));
    return testo + QLatin1Char('%');
}

} // namespace numeri
