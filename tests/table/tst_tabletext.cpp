#include "DatiLayout.h"
#include "TableText.h"
#include "TestData.h"
#include "TextExport.h"
#include "Velmara.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kText = QStringLiteral("staz.\t1\r\n");
const QByteArray kOld = QByteArray(300, 'v');
constexpr uid_t kNobody = 65534; // nobody and nogroup on Debian

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// The save, by an ordinary user: the message, empty on success. Permissions
// bind an ordinary user only, so run as the superuser (as on CI) the save is
// made by a child process under the unprivileged user nobody.
QString saveAsUser(const QString &path)
{
    if (::geteuid() != 0)
        return textexport::write(path, kText);
    QProcess child;
    child.start(QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                 QCoreApplication::applicationFilePath(), QStringLiteral("--write"), path});
    if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return QStringLiteral("<the child failed: %1>").arg(QString::fromLocal8Bit(child.readAllStandardError()));
    return QString::fromUtf8(child.readAllStandardOutput());
}

} // namespace

// The table text, the data window's layout rule and the export file. The
// box's line ends and both save buttons are driven in tst_datiwindow.
class TestTableText : public QObject
{
    Q_OBJECT

private slots:
    void workedExampleByteForByte();
    void layout_data();
    void layout();
    void savingAsAnOrdinaryUser_data();
    void savingAsAnOrdinaryUser();
};

void TestTableText::workedExampleByteForByte()
{
    using Station = std::array<int, 15>; // x, y, depth, the 12 counts
    const Station stations[] = {{120, 300, 14, 3, 0, 27, 0, 1, 0, 4, 0, 6, 0, 2, 7},
                                {245, 198, 22, 0, 5, 14, 0, 8, 0, 2, 11, 0, 1, 2, 0},
                                {402, 77, 35, 12, 1, 0, 2, 6, 0, 9, 3, 0, 15, 0, 4}};
    Velmara v;
    // Rows past the count, left by deleted stations, are never read.
    for (int n = 1; n <= 100; ++n) {
        const Station s = n <= 3 ? stations[n - 1] : Station{n, n, -n, n % 64};
        for (int k : {Velmara::kX, Velmara::kY, Velmara::kProf})
            v.Stazioni[n][k] = std::int16_t(s[k - Velmara::kX]);
        for (int sp = 1; sp <= 12; ++sp)
            v.Conteggi[n][sp] = std::int16_t(s[2 + sp]);
    }
    const QString expected = QStringLiteral(
        "staz.\t1\t2\t3\r\n"
        "x (m)\t1200\t2450\t4020\r\n"
        "y (m)\t2110\t3130\t4340\r\n"
        "prof. (m)\t14\t22\t35\r\n"
        "\r\n"
        "sp. 1\t3\t0\t12\r\n"
        "sp. 2\t0\t5\t1\r\n"
        "sp. 3\t27\t14\t0\r\n"
        "sp. 4\t0\t0\t2\r\n"
        "sp. 5\t1\t8\t6\r\n"
        "sp. 6\t0\t0\t0\r\n"
        "sp. 7\t4\t2\t9\r\n"
        "sp. 8\t0\t11\t3\r\n"
        "sp. 9\t6\t0\t0\r\n"
        "sp. 10\t0\t1\t15\r\n"
        "sp. 11\t2\t2\t0\r\n"
        "sp. 12\t7\t0\t4\r\n");
    // Compared line by line between the CR LF pairs, for a readable report.
    QCOMPARE(tabletext::build(v, 3).split(QStringLiteral("\r\n")), expected.split(QStringLiteral("\r\n")));
}

// Dragged smaller than 4100 x 2000, the window keeps that minimum in the
// dimension that was too small and is laid out for the size it is made to
// have; the other dimension follows the drag. Widening moves only "Chiudi"
// and widens only the box; heightening moves the three buttons down and
// makes only the box taller.
void TestTableText::layout_data()
{
    QTest::addColumn<QSizeF>("dragged");
    QTest::addColumn<QSizeF>("outer");
    QTest::addColumn<QSizeF>("box");
    QTest::addColumn<double>("top"); // of the three buttons
    QTest::addColumn<double>("chiudiLeft");
    QTest::newRow("both too small") << QSizeF(1000, 500) << QSizeF(4100, 2000) << QSizeF(3760, 880) << 1140.0 << 2780.0;
    QTest::newRow("too narrow") << QSizeF(3000, 5000) << QSizeF(4100, 5000) << QSizeF(3760, 3880) << 4140.0 << 2780.0;
    QTest::newRow("large") << QSizeF(15000, 9000) << QSizeF(15000, 9000) << QSizeF(14660, 7880) << 8140.0 << 13680.0;
}

void TestTableText::layout()
{
    QFETCH(QSizeF, dragged);
    QFETCH(QSizeF, box);
    QFETCH(double, top);
    QFETCH(double, chiudiLeft);
    const DatiLayout l = DatiLayout::forOuterSize(dragged);
    QTEST(l.outer, "outer");
    QCOMPARE((QList<QRectF>{l.tabella, l.command2, l.copiaDati, l.command1}),
             (QList<QRectF>{{QPointF(120, 120), box}, {120, top, 1095, 375}, {1440, top, 1095, 375}, {chiudiLeft, top, 1095, 375}}));
}

// Saving into "cartella", which holds "dati.txt" and the folder "sotto".
void TestTableText::savingAsAnOrdinaryUser_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<QString>("refusal"); // %1: the target's folder; empty: saved
    // The file is emptied and written again in place: there is no room for
    // a temporary file beside it.
    QTest::newRow("writable file, read-only folder") << "dati.txt" << false << true << QString();
    QTest::newRow("protected file") << "dati.txt" << true << false << "il file è protetto da scrittura";
    // Elsewhere the old file is replaced whole, once the new one is complete.
    QTest::newRow("writable file and folder") << "dati.txt" << true << true << QString();
    QTest::newRow("new file, read-only folder") << "nuovo.txt" << false << true << "non si hanno i permessi per scrivere nella cartella \"%1\"";
    QTest::newRow("missing folder") << "manca/dati.txt" << true << true << "la cartella \"%1\" non esiste";
    QTest::newRow("name of a folder") << "sotto" << true << true << "esiste già una cartella con questo nome";
    QTest::newRow("folder that is a file") << "dati.txt/dati.txt" << true << true << "\"%1\" non è una cartella";
}

void TestTableText::savingAsAnOrdinaryUser()
{
    QFETCH(QString, where);
    QFETCH(bool, folderWritable);
    QFETCH(bool, fileWritable);
    QFETCH(QString, refusal);
    const bool root = ::geteuid() == 0;
    if (root && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("run as the superuser, who ignores permissions, and setpriv is missing to run as another user");

    QTemporaryDir tmp;
    QVERIFY(QFile::setPermissions(tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  | QFile::ReadOther | QFile::ExeOther));
    const QDir folder(QDir(tmp.path()).filePath(QStringLiteral("cartella")));
    const QString file = folder.filePath(QStringLiteral("dati.txt"));
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("sotto"))));
    QVERIFY(testdata::put(file, kOld));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther | (fileWritable ? QFile::WriteOwner : QFile::Permissions())));
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther
                                                     | (folderWritable ? QFile::WriteOwner : QFile::Permissions())));
    // The ordinary user owns what the case gives them: as the superuser the
    // folder stays the superuser's when it is to be read-only.
    if (root)
        QCOMPARE(::chown(QFile::encodeName(file).constData(), kNobody, kNobody), 0);
    if (root && folderWritable)
        QCOMPARE(::chown(QFile::encodeName(folder.path()).constData(), kNobody, kNobody), 0);
    const ino_t before = inodeOf(file);

    const QString target = folder.filePath(where);
    refusal.replace(QStringLiteral("%1"), QDir::toNativeSeparators(QFileInfo(target).path()));
    QCOMPARE(saveAsUser(target), refusal.isEmpty() ? QString() : QStringLiteral("Impossibile salvare il file \"%1\": %2.")
                                                                       .arg(QDir::toNativeSeparators(target), refusal));
    if (refusal.isEmpty())
        QCOMPARE(inodeOf(file) == before, !folderWritable);
    QCOMPARE(testdata::contents(file), refusal.isEmpty() ? kText.toUtf8() : kOld);
    // Nothing else was touched, and no temporary file is left behind.
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), (QStringList{"dati.txt", "sotto"}));
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// With "--write PATH" the program is the ordinary user's save: it writes
// and prints the message.
int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--write") == 0) {
        const QByteArray message = textexport::write(QFile::decodeName(argv[2]), kText).toUtf8();
        std::fwrite(message.constData(), 1, size_t(message.size()), stdout);
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestTableText test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tabletext.moc"
