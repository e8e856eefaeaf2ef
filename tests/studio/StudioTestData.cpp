#include "StudioTestData.h"

#include "AnalisiRun.h"
#include "TestData.h"

#include <QDir>
#include <QStringList>

namespace studiotest {

namespace {

QString withDepthMoved(const QString &survey, const QString &copy, int station, int metres)
{
    QStringList lines = QString::fromUtf8(testdata::contents(survey)).split(QStringLiteral("\r\n"));
    QStringList depths = lines[3].split(QLatin1Char('\t'));
    depths[station] = QString::number(depths[station].toInt() + metres);
    lines[3] = depths.join(QLatin1Char('\t'));
    return testdata::put(copy, lines.join(QStringLiteral("\r\n")).toUtf8()) ? copy : QString();
}

QString broken(const QString &survey, const QString &copy)
{
    QByteArray bytes = testdata::contents(survey);
    bytes.replace("sp. 4\t", "sp. 4\tx");
    return testdata::put(copy, bytes) ? copy : QString();
}

} // namespace

Surveys make(const QString &folder)
{
    Surveys s;
    const QDir dir(folder);
    s.survey = analisitest::design(folder, QStringLiteral("rilievo.txt"), 15, 4);
    s.other = analisitest::design(folder, QStringLiteral("altro.txt"), 22, 9);
    if (!s.survey.isEmpty()) {
        s.broken = broken(s.survey, dir.filePath(QStringLiteral("rotto.txt")));
        s.shifted = withDepthMoved(s.survey, dir.filePath(QStringLiteral("spostato.txt")), 3, 7);
    }
    return s;
}

} // namespace studiotest
