#include "AnalisiRun.h"

#include "Analisi.h"
#include "TestData.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

namespace analisitest {

QString areaFolder()
{
    return qEnvironmentVariable("FONDALIS_DATA_DIR");
}

Run analisi(const QStringList &args)
{
    Run r;
    QTextStream out(&r.out), err(&r.err);
    r.status = runAnalisi(args, out, err, areaFolder());
    return r;
}

QString design(const QString &folder, const QString &name, int stations, int seed)
{
    const Run r = analisi({QStringLiteral("disegno"), QStringLiteral("casuale"), QString::number(stations),
                           QStringLiteral("--seme"), QString::number(seed)});
    const QString path = QDir(folder).filePath(name);
    return r.status == 0 && testdata::put(path, r.out.toUtf8()) ? path : QString();
}

QString poppler(const QString &program, const QStringList &args)
{
    const QString exe = QStandardPaths::findExecutable(program);
    if (exe.isEmpty())
        return QStringLiteral("<%1 missing: install poppler-utils>").arg(program);
    QProcess p;
    p.start(exe, args);
    return p.waitForFinished(60000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

QString pdfText(const QString &pdf)
{
    return poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QString pdfFlowText(const QString &pdf)
{
    return poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

QStringList pdfWords(const QString &pdf)
{
    return pdfFlowText(pdf).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

int pdfPages(const QString &pdf)
{
    const QString info = poppler(QStringLiteral("pdfinfo"), {pdf});
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

} // namespace analisitest
