#include "Dati.h"
#include "DatiLayout.h"
#include "DialogAnswerer.h"
#include "SurveyMap.h"
#include "TableText.h"
#include "TestData.h"
#include "TextExport.h"
#include "Twips.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using testdata::contents;

// The home and configuration folders of a new user, set before Qt reads
// where its settings go: Qt's own save dialog would keep its history there.
static QStringList freshHome;

// The data window and both ways the table leaves the program, driven
// through the real buttons with the dialogs answered as a user would.
class TestDatiWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    // Every save dialog has come and gone: no settings file was written.
    void cleanupTestCase()
    {
        for (const QString &folder : freshHome)
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), QStringList());
    }

    void whatTheBoxHoldsIsCopiedSavedAndLaidOut();
    void savesCancelsFailuresAndCloses_data();
    void savesCancelsFailuresAndCloses();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> state_;
    std::unique_ptr<VelmaraMain> window_;
    std::unique_ptr<DialogAnswerer> answerer_;

    QString path(const QString &name) const { return QDir(dir_->path()).filePath(name); }
    QStringList files() const { return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    QString table() const { return tabletext::build(*state_, 3); }
    void survey();
    Dati *openDati()
    {
        QTest::mouseClick(window_->MostraDati, Qt::LeftButton);
        return qobject_cast<Dati *>(window_->datiWindow());
    }
    // A click on a save button, its dialog answered; then every expected
    // dialog answered and no other one seen.
    void click(QPushButton *button, DialogAnswerer::Answer answer)
    {
        answerer_->expect(std::move(answer));
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(answerer_->allAnswered(), 5000);
        QCOMPARE(answerer_->unexpected(), QStringList());
    }
    // Answers the save dialog with a file, or cancels it for an empty name;
    // notes the name the dialog offered.
    static DialogAnswerer::Answer save(const QString &file, QString *offered = nullptr)
    {
        return [file, offered](QWidget *d) {
            auto *dialog = qobject_cast<QFileDialog *>(d);
            auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
            QVERIFY(name && dialog->acceptMode() == QFileDialog::AcceptSave);
            if (offered)
                *offered = name->text();
            name->setText(file);
            file.isEmpty() ? static_cast<QDialog *>(dialog)->reject() : static_cast<QDialog *>(dialog)->accept();
        };
    }
};

void TestDatiWindow::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(testdata::writeMapSet(dir_->path()));
    state_ = std::make_unique<Velmara>();
    state_->SplashFatto = true;
    window_ = std::make_unique<VelmaraMain>(*state_, dir_->path());
    window_->setFatalReporter([](const QString &m) { QFAIL(qPrintable(m)); });
    QVERIFY(window_->Form_Load());
    answerer_ = std::make_unique<DialogAnswerer>();
    survey();
}

void TestDatiWindow::cleanup()
{
    window_.reset(); // before the state it shows
    QApplication::clipboard()->clear();
}

// What the placements would have left: three stations, the buttons enabled.
void TestDatiWindow::survey()
{
    for (int n = 1; n <= 3; ++n) {
        for (int k : {Velmara::kX, Velmara::kY, Velmara::kProf})
            state_->Stazioni[n][k] = std::int16_t(n * 90 + k * 37);
        for (int sp = 1; sp <= 12; ++sp)
            state_->Conteggi[n][sp] = std::int16_t((n * 7 + sp * 5) % 64);
    }
    window_->map().NumStazioni = 3;
    window_->MostraDati->setEnabled(true);
    window_->Salva->setEnabled(true);
}

// The table shown unwrapped, in a modeless window without an owner; edits
// are what "Copia" copies and "Salva" saves, until a new "Mostra dati"
// builds the table afresh in the same window.
void TestDatiWindow::whatTheBoxHoldsIsCopiedSavedAndLaidOut()
{
    // A map picture on the clipboard does not survive "Copia".
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->setImage(testdata::image(8, 8, [](int, int) { return qRgb(255, 0, 0); }));

    Dati *dati = openDati();
    QVERIFY(dati && dati->isVisible() && !dati->parentWidget());
    QCOMPARE(QStringList({dati->windowTitle(), dati->Command2->text(), dati->CopiaDati->text(), dati->Command1->text()}),
             QStringList({"Tabella dati", "Salva", "Copia", "Chiudi"}));
    QCOMPARE(dati->Tabella->toPlainText(), QString(table()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QCOMPARE(dati->Tabella->lineWrapMode(), QPlainTextEdit::NoWrap);
    dati->Tabella->moveCursor(QTextCursor::End);
    // A line break and a paragraph break both leave as CR LF.
    QTest::keyClicks(dati->Tabella, QStringLiteral("nota:"));
    QTest::keyClick(dati->Tabella, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(dati->Tabella, Qt::Key_Return);
    // Letters beyond ASCII, as an input method hands them over. A no-break
    // space stays one: the box's raw text is what leaves it.
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("località è\u00a0€"));
    QApplication::sendEvent(dati->Tabella, &typed);
    const QString edited = table() + QStringLiteral("nota:\r\n\r\nlocalità è\u00a0€");

    QTest::mouseClick(dati->CopiaDati, Qt::LeftButton);
    QCOMPARE(clipboard->text(), edited);
    QVERIFY(!clipboard->mimeData()->hasImage());
    // UTF-8 without a byte-order mark.
    const QString file = path(QStringLiteral("modificata.txt"));
    click(dati->Command2, save(file));
    QCOMPARE(contents(file), edited.toUtf8());

    state_->Stazioni[2][Velmara::kProf] = -4;
    QCOMPARE(openDati(), dati);
    QCOMPARE(dati->tableText(), table());

    // Resized, the window is laid out for its outer size, frame included,
    // and kept no smaller than 4100 x 2000 outside.
    const auto laidOut = [dati] {
        const QSize outer = dati->frameGeometry().size();
        const DatiLayout l
            = DatiLayout::forOuterSize(QSizeF(twips::fromPx(outer.width()), twips::fromPx(outer.height())));
        return dati->Tabella->geometry() == twips::rect(l.tabella)
            && dati->Command2->geometry() == twips::rect(l.command2)
            && dati->CopiaDati->geometry() == twips::rect(l.copiaDati)
            && dati->Command1->geometry() == twips::rect(l.command1);
    };
    const QSize minimum = twips::size(4100, 2000) - (dati->frameGeometry().size() - dati->size());
    QVERIFY(laidOut());
    for (const QSize asked : {QSize(900, 500), QSize(200, 400), QSize(800, 90)}) {
        dati->resize(asked);
        QTRY_COMPARE(dati->size(), asked.expandedTo(minimum));
        QVERIFY2(laidOut(), qPrintable(QStringLiteral("%1 x %2").arg(asked.width()).arg(asked.height())));
    }
}

void TestDatiWindow::savesCancelsFailuresAndCloses_data()
{
    QTest::addColumn<QString>("closer"); // of the data window; none: "Salva dati" of the main window
    QTest::newRow("Salva dati") << QString();
    QTest::newRow("Salva of the data window, Chiudi") << "Chiudi";
    QTest::newRow("Salva of the data window, Resetta") << "Resetta";
}

void TestDatiWindow::savesCancelsFailuresAndCloses()
{
    QFETCH(QString, closer);
    QPointer<Dati> dati = closer.isEmpty() ? nullptr : openDati();
    QPushButton *button = dati ? dati->Command2 : window_->Salva;
    const QStringList before = files();
    const QString file = path(QStringLiteral("rilievo senza estensione"));

    // The dialog starts empty; a cancel writes nothing.
    QString offered = QStringLiteral("<not asked>");
    click(button, save(QString(), &offered));
    QCOMPARE(offered, QString());
    QCOMPARE(files(), before);

    // The file holds exactly the table, an unedited box the same bytes; no
    // extension is added and no temporary file is left.
    click(button, save(file));
    QCOMPARE(contents(file), table().toLatin1());
    QCOMPARE(files().size(), before.size() + 1);
    // The dialog offers the name saved last, also after a cancel, and
    // replaces a file without a question.
    click(button, save(QString(), &offered));
    QCOMPARE(offered, QStringLiteral("rilievo senza estensione"));
    click(button, save(file, &offered));
    QCOMPARE(offered, QStringLiteral("rilievo senza estensione"));
    QVERIFY(QFile::remove(file));

    // A path that cannot be written is reported in a message box; the
    // windows, the text and the survey stay as they were.
    const QString bad = path(QStringLiteral("non-esiste/dati.txt"));
    answerer_->expect(save(bad));
    click(button, DialogAnswerer::pressOk());
    QCOMPARE(answerer_->seenTexts(), QStringList{textexport::write(bad, table())});
    QCOMPARE(answerer_->seenTitles().first(), dati ? QStringLiteral("Tabella dati") : QStringLiteral("Fondalis"));
    QCOMPARE(files(), before);
    QCOMPARE(window_->datiWindow(), dati.data());
    if (!dati)
        return;
    QCOMPARE(dati->tableText(), table());

    // Unloading discards the window's text and its dialog's name: a window
    // loaded afresh offers no name.
    QTest::mouseClick(closer == "Chiudi" ? dati->Command1 : window_->Resetta, Qt::LeftButton);
    QTRY_VERIFY(dati.isNull());
    QVERIFY(!window_->datiWindow());
    survey();
    QCOMPARE(openDati()->saveDialog().FileName(), QString());
}

int main(int argc, char *argv[])
{
    QTemporaryDir home, config;
    freshHome = {home.path(), config.path()};
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    TestDatiWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_datiwindow.moc"
