#include "TestData.h"
#include "TextExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

// Saving where permissions count: they bind an ordinary user only, so run as
// the superuser (as on CI) every save is made by a child process under the
// unprivileged user nobody.
class TestPermissions : public QObject
{
    Q_OBJECT

private slots:
    void saveAsAnOrdinaryUser_data();
    void saveAsAnOrdinaryUser();

private:
    // The save, by an ordinary user: the message, empty on success.
    static QString saveAsUser(const QString &path)
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
};

void TestPermissions::saveAsAnOrdinaryUser_data()
{
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<QString>("refusal"); // part of the message; empty: saved
    // The file is emptied and written again in place: there is no room for
    // a temporary file beside it.
    QTest::newRow("writable file, read-only folder") << false << true << QString();
    QTest::newRow("protected file") << true << false << "protetto da scrittura";
    // Elsewhere the old file is replaced whole, once the new one is complete.
    QTest::newRow("writable file and folder") << true << true << QString();
}

void TestPermissions::saveAsAnOrdinaryUser()
{
    QFETCH(bool, folderWritable);
    QFETCH(bool, fileWritable);
    QFETCH(QString, refusal);
    const bool root = ::geteuid() == 0;
    if (root && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        QSKIP("run as the superuser, who ignores permissions, and setpriv is missing to run as another user");

    QTemporaryDir tmp;
    QVERIFY(QFile::setPermissions(tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  | QFile::ReadOther | QFile::ExeOther));
    const QString folder = QDir(tmp.path()).filePath(QStringLiteral("cartella"));
    const QString file = QDir(folder).filePath(QStringLiteral("dati.txt"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(testdata::put(file, kOld));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther | (fileWritable ? QFile::WriteOwner : QFile::Permissions())));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther
                                              | (folderWritable ? QFile::WriteOwner : QFile::Permissions())));
    // The ordinary user owns what the case gives them: as the superuser the
    // folder stays the superuser's when it is to be read-only.
    if (root)
        QCOMPARE(::chown(QFile::encodeName(file).constData(), kNobody, kNobody), 0);
    if (root && folderWritable)
        QCOMPARE(::chown(QFile::encodeName(folder).constData(), kNobody, kNobody), 0);
    const ino_t before = inodeOf(file);

    const QString message = saveAsUser(file);
    QVERIFY2(refusal.isEmpty() ? message.isEmpty() : message.contains(refusal), qPrintable(message));
    QCOMPARE(testdata::contents(file), refusal.isEmpty() ? kText.toUtf8() : kOld);
    if (refusal.isEmpty())
        QCOMPARE(inodeOf(file) == before, !folderWritable);
    // No temporary file is left beside it.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"dati.txt"});
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
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
    TestPermissions test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_permissions.moc"
