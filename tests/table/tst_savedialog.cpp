#include "DialogAnswerer.h"
#include "SaveDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

// The home and configuration folders of a new user, made before Qt reads
// where its settings go.
struct FreshHome {
    QTemporaryDir home, config;
    FreshHome()
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    }
};

FreshHome *freshHome = nullptr;

QStringList everythingIn(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

} // namespace

// The save dialog remembers the name chosen last for as long as the program
// runs, and nothing else anywhere: Qt's own dialog would keep its history
// in the user's configuration folder.
class TestSaveDialog : public QObject
{
    Q_OBJECT

private slots:
    void theNameStaysInMemoryOnly();
};

void TestSaveDialog::theNameStaysInMemoryOnly()
{
    QTemporaryDir work;
    const QString chosen = QDir(work.path()).filePath(QStringLiteral("rilievo.txt"));
    QWidget owner;
    owner.show();
    SaveDialog dialog;
    DialogAnswerer answerer;
    QStringList offered;
    const auto answer = [&offered](const QString &name) {
        return [&offered, name](QWidget *d) {
            auto *edit = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            offered << edit->text();
            edit->setText(name);
            name.isEmpty() ? static_cast<QDialog *>(d)->reject() : static_cast<QDialog *>(d)->accept();
        };
    };
    answerer.expect(answer(chosen));
    QCOMPARE(dialog.ShowSave(&owner), chosen);
    answerer.expect(answer(QString()));
    QCOMPARE(dialog.ShowSave(&owner), QString());
    QCOMPARE(offered, (QStringList{QString(), QStringLiteral("rilievo.txt")}));
    QVERIFY(answerer.unexpected().isEmpty());

    QCOMPARE(everythingIn(freshHome->home.path()) + everythingIn(freshHome->config.path()), QStringList());
}

int main(int argc, char *argv[])
{
    FreshHome home;
    freshHome = &home;
    QApplication app(argc, argv);
    TestSaveDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savedialog.moc"
