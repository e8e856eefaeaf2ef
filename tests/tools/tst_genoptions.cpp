// fondalis-gen as a teacher meets it on the command line: exit statuses,
// messages in Italian, and a folder that already holds files left alone.
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Result {
    int status = -1;
    QString out, err;
};

Result run(const QStringList &args)
{
    QProcess gen;
    // As on a console or over ssh, where Qt would complain of the session.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    gen.setProcessEnvironment(environment);
    gen.start(qEnvironmentVariable("FONDALIS_GEN"), args);
    if (!gen.waitForFinished(120000) || gen.exitStatus() != QProcess::NormalExit)
        return {};
    return {gen.exitCode(), QString::fromLocal8Bit(gen.readAllStandardOutput()),
            QString::fromLocal8Bit(gen.readAllStandardError())};
}

} // namespace

class TestGenOptions : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void overwriteKeepsOtherFiles();
};

void TestGenOptions::refusals_data()
{
    QTest::addColumn<QStringList>("args"); // DIR stands for a fresh folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");

    QTest::newRow("help") << QStringList{"--seed", "5", "--help"} << 0 << "Uso: fondalis-gen";
    QTest::newRow("no folder") << QStringList{} << 1 << "manca la cartella";
    QTest::newRow("seed not a number") << QStringList{"--seed", "dodici", "DIR"} << 1 << "«dodici»";
    // toUInt() would take a sign; a seed is digits only.
    QTest::newRow("seed with sign") << QStringList{"--seed", "+5", "DIR"} << 1 << "«+5»";
    QTest::newRow("seed past 32 bits") << QStringList{"--seed=4294967296", "DIR"} << 1 << "da 0 a 4294967295";
    QTest::newRow("seed without value") << QStringList{"DIR", "--seed"} << 2 << "Uso: fondalis-gen";
    QTest::newRow("unknown option") << QStringList{"--colore", "DIR"} << 2 << "«--colore»";
    QTest::newRow("two folders") << QStringList{"DIR", "DIR/altra"} << 2 << "una sola cartella";
    QTest::newRow("folder holds a file") << QStringList{"FULL"} << 1 << "--sovrascrivi";
    QTest::newRow("folder inside a file") << QStringList{"FULL/appunti.txt/area"} << 1 << "impossibile creare";
}

void TestGenOptions::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, says);

    QTemporaryDir temp;
    const QString fresh = temp.filePath(QStringLiteral("area")), full = temp.filePath(QStringLiteral("classe"));
    QVERIFY(temp.isValid() && QDir().mkpath(full) && testdata::put(full + QStringLiteral("/appunti.txt"), "3B"));
    args.replaceInStrings(QStringLiteral("DIR"), fresh).replaceInStrings(QStringLiteral("FULL"), full);

    const Result result = run(args);
    QCOMPARE(result.status, status);
    QVERIFY2((status ? result.err : result.out).contains(says), qPrintable(result.out + result.err));
    QVERIFY2(!status || result.err.contains(QStringLiteral("fondalis-gen: ")), qPrintable(result.err));
    // Help and refusals write nothing anywhere.
    QVERIFY(!QFile::exists(fresh));
    QCOMPARE(QDir(full).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("appunti.txt")});
}

void TestGenOptions::overwriteKeepsOtherFiles()
{
    QTemporaryDir temp;
    QVERIFY(testdata::put(temp.filePath(QStringLiteral("appunti.txt")), "3B"));
    QVERIFY(testdata::put(temp.filePath(QStringLiteral("base.bmp")), "not a picture"));

    const Result result = run({QStringLiteral("--sovrascrivi"), QStringLiteral("--seed=3"), temp.path()});
    QCOMPARE(result.status, 0);
    QVERIFY2(result.err.isEmpty(), qPrintable(result.err)); // nothing of Qt's own
    QCOMPARE(QImage(temp.filePath(QStringLiteral("base.bmp"))).size(), QSize(512, 512));
    QVERIFY(QFile::exists(temp.filePath(QStringLiteral("blu.jpg"))));
    QVERIFY(QFile::exists(temp.filePath(QStringLiteral("appunti.txt"))));
    QVERIFY(!QFile::exists(temp.filePath(QStringLiteral("fondalis"))));
}

QTEST_GUILESS_MAIN(TestGenOptions)
#include "tst_genoptions.moc"
