#include "FuzzChecks.h"

#include "Formati.h"
#include "Indici.h"
#include "Rilievo.h"
#include "TableText.h"
#include "Velmara.h"

namespace fuzzchecks {

namespace {

QString stationContract(const Stazione &s, int number)
{
    const auto onMap = [](int m) { return m >= 0 && m <= 5110 && m % 10 == 0; };
    if (s.numero != number || !onMap(s.xm) || !onMap(s.ym) || s.prof < -75 || s.prof > 179)
        return QStringLiteral("station %1 read as %2 at %3, %4, %5 m").arg(number).arg(s.numero).arg(s.xm).arg(s.ym).arg(s.prof);
    for (const int c : s.conteggi) {
        if (c < 0 || c > 63)
            return QStringLiteral("station %1: a count of %2").arg(number).arg(c);
    }
    const indici::Indici i = indici::calcola(s.conteggi);
    if (i.N != s.totale() || i.S != s.specie() || (i.N == 0) == i.ambi.has_value())
        return QStringLiteral("station %1: indices of N %2, S %3").arg(number).arg(i.N).arg(i.S);
    return {};
}

bool sameStations(const Rilievo &a, const Rilievo &b)
{
    if (a.numStazioni() != b.numStazioni())
        return false;
    for (int i = 0; i < a.numStazioni(); ++i) {
        const Stazione &s = a.stazioni[i];
        const Stazione &t = b.stazioni[i];
        if (s.numero != t.numero || s.xm != t.xm || s.ym != t.ym || s.prof != t.prof || s.conteggi != t.conteggi)
            return false;
    }
    return true;
}

} // namespace

QString table(const QByteArray &input)
{
    const rilievo::Lettura read = rilievo::leggi(input);
    if (!read.ok()) {
        if (read.errore.isEmpty())
            return QStringLiteral("refused without a message");
        // Every refusal but of an empty or oversized file names the line.
        const bool named = read.errore.startsWith(QStringLiteral("riga ")) || read.errore.contains(QStringLiteral("vuoto"))
                           || read.errore.contains(QStringLiteral("troppo grande"));
        return named ? QString() : QStringLiteral("a refusal without its line: ") + read.errore;
    }
    const Rilievo &survey = *read.rilievo;
    if (!read.errore.isEmpty() || survey.numStazioni() < 1 || survey.numStazioni() > Velmara::kMaxStazioni)
        return QStringLiteral("accepted %1 stations: %2").arg(survey.numStazioni()).arg(read.errore);
    for (int i = 0; i < survey.numStazioni(); ++i) {
        if (const QString broken = stationContract(survey.stazioni[i], i + 1); !broken.isEmpty())
            return broken;
    }
    // Written again by the program's own table code, it reads back the same.
    const QByteArray written = tabletext::build(survey.velmara(), survey.numStazioni()).toUtf8();
    const rilievo::Lettura again = rilievo::leggi(written);
    if (!again.ok() || !sameStations(survey, *again.rilievo))
        return QStringLiteral("written again, it reads otherwise: ") + again.errore;
    // The CSV forms hold a line per station and species, or per station.
    const int n = survey.numStazioni();
    const auto lines = [](const QString &csv) { return csv.count(QStringLiteral("\r\n")); };
    if (lines(formati::lungo(survey)) != 1 + n * Velmara::kNumSpecie || lines(formati::trasposto(survey)) != 1 + n)
        return QStringLiteral("CSV of the wrong length for %1 stations").arg(n);
    return {};
}

} // namespace fuzzchecks
