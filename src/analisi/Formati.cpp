#include "Formati.h"

#include "ElencoTaxa.h"

namespace formati {

namespace {

const QLatin1String kFine("\r\n");

// RFC 4180: a field with a comma, a quote or a line end goes in quotes.
QString campo(const QString &testo)
{
    if (!testo.contains(QLatin1Char(',')) && !testo.contains(QLatin1Char('"')) && !testo.contains(QLatin1Char('\n'))
        && !testo.contains(QLatin1Char('\r')))
        return testo;
    QString t = testo;
    t.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString posizione(const Stazione &s)
{
    return QStringLiteral("%1,%2,%3,%4").arg(s.numero).arg(s.xm).arg(s.ym).arg(s.prof);
}

} // namespace

QString lungo(const Rilievo &rilievo)
{
    QString testo = QStringLiteral("stazione,x_m,y_m,prof_m,specie,conteggio") + kFine;
    for (const Stazione &s : rilievo.stazioni) {
        const QString inizio = posizione(s);
        for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
            testo += inizio + QLatin1Char(',') + campo(elencotaxa::nome(sp)) + QLatin1Char(',')
                     + QString::number(s.conteggi[sp - 1]) + kFine;
    }
    return testo;
}

QString trasposto(const Rilievo &rilievo)
{
    QString testo = QStringLiteral("stazione,x_m,y_m,prof_m");
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        testo += QLatin1Char(',') + campo(elencotaxa::nome(sp));
    testo += kFine;
    for (const Stazione &s : rilievo.stazioni) {
        testo += posizione(s);
        for (const int c : s.conteggi)
            testo += QLatin1Char(',') + QString::number(c);
        testo += kFine;
    }
    return testo;
}

} // namespace formati
