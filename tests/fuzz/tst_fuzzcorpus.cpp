// Every input of the fuzz corpora, the seeds and those that once broke a
// contract, through the same checks the fuzz targets make: what libFuzzer
// found stays fixed in every build, with or without clang.
#include "FuzzContracts.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private slots:
    void everyTargetHasItsCorpus();
    void inputsKeepTheContracts_data();
    void inputsKeepTheContracts();
};

namespace {

QDir corpus(const QString &target) { return QDir(QStringLiteral(FONDALIS_FUZZ_CORPUS "/") + target); }

} // namespace

void TestFuzzCorpus::everyTargetHasItsCorpus()
{
    QStringList names;
    for (const fuzzcontracts::Target &t : fuzzcontracts::targets()) {
        names << QString::fromLatin1(t.name);
        QVERIFY2(corpus(names.last()).entryList(QDir::Files).size() >= 2, t.name);
    }
    names.sort();
    QCOMPARE(QDir(QStringLiteral(FONDALIS_FUZZ_CORPUS)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), names);
}

void TestFuzzCorpus::inputsKeepTheContracts_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");
    for (const fuzzcontracts::Target &t : fuzzcontracts::targets()) {
        const QDir dir = corpus(QString::fromLatin1(t.name));
        for (const QString &file : dir.entryList(QDir::Files, QDir::Name))
            QTest::addRow("%s/%s", t.name, qPrintable(file)) << QString::fromLatin1(t.name) << dir.filePath(file);
    }
}

void TestFuzzCorpus::inputsKeepTheContracts()
{
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString broken = fuzzcontracts::find(target)->check(file.readAll());
    QVERIFY2(broken.isEmpty(), qPrintable(broken));
}

QTEST_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
