#include "TableText.h"
#include "TestData.h"
#include "TextExport.h"
#include "Velmara.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using testdata::contents;
using testdata::put;

namespace {

QString sampleTable()
{
    Velmara v;
    for (int n = 1; n <= 4; ++n) {
        v.Stazioni[n][Velmara::kX] = std::int16_t(100 * n);
        v.Stazioni[n][Velmara::kY] = std::int16_t(50 * n);
        v.Stazioni[n][Velmara::kProf] = std::int16_t(n == 2 ? -3 : 9 * n);
        v.Conteggi[n][n] = std::int16_t(7 * n);
    }
    return tabletext::build(v, 4);
}

} // namespace

class TestTextExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fileHoldsExactlyTheTable();
    void userTextIsUtf8WithoutBom();
    void existingFileIsReplaced();
    void emptyTextEmptiesTheFile();
    void failuresNameTheFileAndLeaveItAlone_data();
    void failuresNameTheFileAndLeaveItAlone();
    void protectedFileIsNotReplaced();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString &name) const { return QDir(dir_->path()).filePath(name); }
};

void TestTextExport::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestTextExport::fileHoldsExactlyTheTable()
{
    const QString table = sampleTable();
    const QString file = path(QStringLiteral("rilievo"));
    QCOMPARE(textexport::write(file, table), QString());
    const QByteArray bytes = contents(file);
    QCOMPARE(bytes, table.toLatin1());
    // One byte a character, the last line's CR LF and nothing after it.
    QCOMPARE(bytes.size(), table.size());
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY(!bytes.endsWith("\r\n\r\n"));
    QVERIFY(bytes.startsWith("staz.\t1\t2\t3\t4\r\n"));
    // No extension of the program's own, and no stray temporary file.
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("rilievo")});
}

void TestTextExport::userTextIsUtf8WithoutBom()
{
    const QString text = QStringLiteral("Località\tprofondità\r\nsp. 1\t3 €\r\n");
    const QString file = path(QStringLiteral("modificato.txt"));
    QCOMPARE(textexport::write(file, text), QString());
    const QByteArray bytes = contents(file);
    QCOMPARE(bytes, text.toUtf8());
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(bytes), text);
}

void TestTextExport::existingFileIsReplaced()
{
    const QString file = path(QStringLiteral("dati.txt"));
    QVERIFY(put(file, QByteArray(5000, 'z')));
    const QString first = sampleTable();
    QCOMPARE(textexport::write(file, first), QString());
    QCOMPARE(contents(file), first.toLatin1());
    // Saving twice under one name leaves only the second table.
    const QString second = QStringLiteral("staz.\t1\r\n");
    QCOMPARE(textexport::write(file, second), QString());
    QCOMPARE(contents(file), second.toLatin1());
}

void TestTextExport::emptyTextEmptiesTheFile()
{
    const QString file = path(QStringLiteral("vuoto.txt"));
    QVERIFY(put(file, "vecchio contenuto"));
    QCOMPARE(textexport::write(file, QString()), QString());
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(contents(file), QByteArray());
}

void TestTextExport::failuresNameTheFileAndLeaveItAlone_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "manca/dati.txt" << "non esiste";
    QTest::newRow("missing folders") << "manca/anche/dati.txt" << "non esiste";
    QTest::newRow("name of a folder") << "cartella" << "cartella con questo nome";
    QTest::newRow("folder that is a file") << "vecchio.txt/dati.txt" << "non è una cartella";
    QTest::newRow("read-only file system") << "/proc/fondalis-dati.txt" << "non si può creare";
}

void TestTextExport::failuresNameTheFileAndLeaveItAlone()
{
    QFETCH(QString, where);
    QFETCH(QString, reason);
    if (where.startsWith(QLatin1Char('/')) && !QFileInfo(QFileInfo(where).path()).isDir())
        QSKIP("no such system folder here");
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("cartella")));
    QVERIFY(put(path(QStringLiteral("vecchio.txt")), "resta"));
    const QString file = QDir::isAbsolutePath(where) ? where : path(where);

    const QString message = textexport::write(file, sampleTable());
    QVERIFY(message.startsWith(QStringLiteral("Impossibile salvare il file \"%1\": ").arg(QDir::toNativeSeparators(file))));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY(message.endsWith(QLatin1Char('.')));
    // Nothing else was touched.
    QCOMPARE(contents(path(QStringLiteral("vecchio.txt"))), QByteArray("resta"));
    QVERIFY(QFileInfo(path(QStringLiteral("cartella"))).isDir());
    QVERIFY(QDir(path(QStringLiteral("cartella"))).isEmpty());
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("vecchio.txt")});
}

void TestTextExport::protectedFileIsNotReplaced()
{
    if (::geteuid() == 0)
        QSKIP("the superuser writes any file: protection is not seen");
    const QString file = path(QStringLiteral("protetto.txt"));
    QVERIFY(put(file, "non toccare"));
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    const QString message = textexport::write(file, sampleTable());
    QVERIFY2(message.contains(QStringLiteral("protetto da scrittura")), qPrintable(message));
    QCOMPARE(contents(file), QByteArray("non toccare"));
}

QTEST_APPLESS_MAIN(TestTextExport)
#include "tst_textexport.moc"
