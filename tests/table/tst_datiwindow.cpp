#include "Dati.h"
#include "DatiLayout.h"
#include "DialogAnswerer.h"
#include "SurveyMap.h"
#include "TableText.h"
#include "TestData.h"
#include "Twips.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using testdata::contents;
using testdata::put;

namespace {

// Typed as a keyboard would, letters beyond ASCII included.
void type(QWidget *widget, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

// The data window and both ways the table leaves the program, driven
// through the real buttons with the dialogs answered as a user would.
class TestDatiWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mostraDatiShowsTheTable();
    void againReplacesEditsInTheSameWindow();
    void copiaPutsOnlyTheTextOnTheClipboard();
    void editsAreCopiedAndSaved();
    void emptiedBox();

    void savesTheTable_data();
    void savesTheTable();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void unwritablePathIsReported_data();
    void unwritablePathIsReported();
    void windowsKeepTheirOwnNames();

    void chiudiAndTitleBarUnloadTheWindow();
    void resetAndExitCloseTheWindow();
    void resizeFollowsTheRule();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> state_;
    std::unique_ptr<VelmaraMain> window_;
    std::unique_ptr<DialogAnswerer> answerer_;

    QString path(const QString &name) const { return QDir(dir_->path()).filePath(name); }
    void survey();
    Dati *openDati();
    QPushButton *saveButton(bool fromDataWindow);
    void finish();

    static DialogAnswerer::Answer choose(const QString &file, QString *offered = nullptr);
    static DialogAnswerer::Answer cancel(QString *offered = nullptr);
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
    window_.reset();
    answerer_.reset();
    state_.reset();
    dir_.reset();
    QGuiApplication::clipboard()->clear();
}

// What the placements would have left: three stations, the buttons enabled.
void TestDatiWindow::survey()
{
    const int xs[] = {120, 245, 402}, ys[] = {300, 198, 77}, depths[] = {14, 22, 35};
    for (int n = 1; n <= 3; ++n) {
        state_->Stazioni[n][Velmara::kX] = std::int16_t(xs[n - 1]);
        state_->Stazioni[n][Velmara::kY] = std::int16_t(ys[n - 1]);
        state_->Stazioni[n][Velmara::kProf] = std::int16_t(depths[n - 1]);
        for (int sp = 1; sp <= 12; ++sp)
            state_->Conteggi[n][sp] = std::int16_t((n * 7 + sp * 5) % 64);
    }
    window_->map().NumStazioni = 3;
    window_->MostraDati->setEnabled(true);
    window_->Salva->setEnabled(true);
}

Dati *TestDatiWindow::openDati()
{
    QTest::mouseClick(window_->MostraDati, Qt::LeftButton);
    return qobject_cast<Dati *>(window_->datiWindow());
}

QPushButton *TestDatiWindow::saveButton(bool fromDataWindow)
{
    if (!fromDataWindow)
        return window_->Salva;
    Dati *dati = qobject_cast<Dati *>(window_->datiWindow());
    if (!dati)
        dati = openDati();
    return dati ? dati->Command2 : nullptr;
}

// Every expected dialog answered and no other one seen.
void TestDatiWindow::finish()
{
    QTRY_VERIFY_WITH_TIMEOUT(answerer_->allAnswered(), 5000);
    QCOMPARE(answerer_->unexpected(), QStringList());
}

DialogAnswerer::Answer TestDatiWindow::choose(const QString &file, QString *offered)
{
    return [file, offered](QWidget *d) {
        auto *dialog = qobject_cast<QFileDialog *>(d);
        QVERIFY(dialog);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        if (offered)
            *offered = name->text();
        name->setText(file);
        static_cast<QDialog *>(dialog)->accept();
    };
}

DialogAnswerer::Answer TestDatiWindow::cancel(QString *offered)
{
    return [offered](QWidget *d) {
        auto *dialog = qobject_cast<QFileDialog *>(d);
        QVERIFY(dialog);
        if (offered)
            *offered = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        static_cast<QDialog *>(dialog)->reject();
    };
}

void TestDatiWindow::mostraDatiShowsTheTable()
{
    Dati *dati = openDati();
    QVERIFY(dati);
    QVERIFY(dati->isVisible());
    QCOMPARE(dati->windowTitle(), QStringLiteral("Tabella dati"));
    QCOMPARE(dati->parentWidget(), nullptr);
    QCOMPARE(dati->windowModality(), Qt::NonModal);
    QVERIFY(window_->isEnabled());
    QCOMPARE(dati->Command2->text(), QStringLiteral("Salva"));
    QCOMPARE(dati->CopiaDati->text(), QStringLiteral("Copia"));
    QCOMPARE(dati->Command1->text(), QStringLiteral("Chiudi"));

    const QString table = tabletext::build(*state_, 3);
    // The box shows the lines and their TABs; its text comes back whole.
    QString shown = table;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(dati->Tabella->toPlainText(), shown);
    QCOMPARE(dati->Tabella->blockCount(), 18);
    QCOMPARE(dati->tableText(), table);
    QVERIFY(!dati->Tabella->isReadOnly());
    QCOMPARE(dati->Tabella->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(dati->Tabella->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(dati->Tabella->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(dati->Tabella->horizontalScrollBar()->isVisible());
    QVERIFY(dati->Tabella->verticalScrollBar()->isVisible());
}

void TestDatiWindow::againReplacesEditsInTheSameWindow()
{
    Dati *dati = openDati();
    QVERIFY(dati);
    dati->Tabella->moveCursor(QTextCursor::Start);
    QTest::keyClicks(dati->Tabella, QStringLiteral("modifica "));
    QVERIFY(dati->tableText().startsWith(QStringLiteral("modifica staz.")));
    // The survey changed meanwhile: the new table is built afresh.
    state_->Stazioni[2][Velmara::kProf] = -4;
    QCOMPARE(openDati(), dati);
    QCOMPARE(dati->tableText(), tabletext::build(*state_, 3));
    QVERIFY(dati->tableText().contains(QStringLiteral("prof. (m)\t14\t-4\t35\r\n")));
}

void TestDatiWindow::copiaPutsOnlyTheTextOnTheClipboard()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setImage(testdata::image(8, 8, [](int, int) { return qRgb(255, 0, 0); }));
    QVERIFY(clipboard->mimeData()->hasImage());

    Dati *dati = openDati();
    QVERIFY(dati);
    QTest::mouseClick(dati->CopiaDati, Qt::LeftButton);
    QCOMPARE(clipboard->text(), tabletext::build(*state_, 3));
    QVERIFY(!clipboard->mimeData()->hasImage());
    QVERIFY(dati->isVisible());
    QCOMPARE(dati->tableText(), tabletext::build(*state_, 3));
}

void TestDatiWindow::editsAreCopiedAndSaved()
{
    Dati *dati = openDati();
    QVERIFY(dati);
    QTextCursor cursor = dati->Tabella->textCursor();
    cursor.movePosition(QTextCursor::End);
    dati->Tabella->setTextCursor(cursor);
    type(dati->Tabella, QStringLiteral("nota: località"));
    QTest::keyClick(dati->Tabella, Qt::Key_Return);
    type(dati->Tabella, QStringLiteral("è\u00a0€"));
    const QString edited = tabletext::build(*state_, 3) + QStringLiteral("nota: località\r\nè\u00a0€");

    QTest::mouseClick(dati->CopiaDati, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), edited);

    const QString file = path(QStringLiteral("modificata.txt"));
    answerer_->expect(choose(file));
    QTest::mouseClick(dati->Command2, Qt::LeftButton);
    finish();
    QCOMPARE(contents(file), edited.toUtf8());
    QVERIFY(!contents(file).startsWith("\xEF\xBB\xBF"));
}

void TestDatiWindow::emptiedBox()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("contenuto precedente"));
    Dati *dati = openDati();
    QVERIFY(dati);
    dati->Tabella->selectAll();
    QTest::keyClick(dati->Tabella, Qt::Key_Delete);
    QCOMPARE(dati->Tabella->toPlainText(), QString());

    QTest::mouseClick(dati->CopiaDati, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());

    const QString file = path(QStringLiteral("svuotata.txt"));
    QVERIFY(put(file, "una tabella vecchia"));
    answerer_->expect(choose(file));
    QTest::mouseClick(dati->Command2, Qt::LeftButton);
    finish();
    QVERIFY(QFile::exists(file));
    QCOMPARE(contents(file), QByteArray());
}

void TestDatiWindow::savesTheTable_data()
{
    QTest::addColumn<bool>("fromDataWindow");
    QTest::newRow("Salva dati") << false;
    QTest::newRow("Salva of the data window") << true;
}

void TestDatiWindow::savesTheTable()
{
    QFETCH(bool, fromDataWindow);
    QPushButton *button = saveButton(fromDataWindow);
    QVERIFY(button);
    const QString file = path(QStringLiteral("rilievo senza estensione"));
    QString offered = QStringLiteral("<not asked>");
    answerer_->expect(choose(file, &offered));
    QTest::mouseClick(button, Qt::LeftButton);
    finish();
    QCOMPARE(offered, QString()); // the dialog starts empty
    // An unedited box and the main window write the same bytes.
    QCOMPARE(contents(file), tabletext::build(*state_, 3).toLatin1());
    QCOMPARE(QDir(dir_->path()).entryList({QStringLiteral("rilievo*")}, QDir::Files),
             QStringList{QStringLiteral("rilievo senza estensione")});

    // The same name is offered again, and taking it replaces the file
    // without a question, however long the file was.
    QVERIFY(put(file, QByteArray(20000, 'v')));
    answerer_->expect(choose(file, &offered));
    QTest::mouseClick(button, Qt::LeftButton);
    finish();
    QCOMPARE(offered, QStringLiteral("rilievo senza estensione"));
    QCOMPARE(contents(file), tabletext::build(*state_, 3).toLatin1());
    QVERIFY(answerer_->seenTexts().isEmpty());
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->map().NumStazioni, 3);
}

void TestDatiWindow::cancelWritesNothing_data()
{
    savesTheTable_data();
}

void TestDatiWindow::cancelWritesNothing()
{
    QFETCH(bool, fromDataWindow);
    QPushButton *button = saveButton(fromDataWindow);
    QVERIFY(button);
    const QStringList before = QDir(dir_->path()).entryList(QDir::Files, QDir::Name);

    answerer_->expect(cancel());
    QTest::mouseClick(button, Qt::LeftButton);
    finish();
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files, QDir::Name), before);

    // After a save too, a cancel touches nothing, not even that file.
    const QString file = path(QStringLiteral("primo.txt"));
    answerer_->expect(choose(file));
    QTest::mouseClick(button, Qt::LeftButton);
    finish();
    QVERIFY(put(file, "cambiato a mano"));
    answerer_->expect(cancel());
    QTest::mouseClick(button, Qt::LeftButton);
    finish();
    QCOMPARE(contents(file), QByteArray("cambiato a mano"));
    QStringList after = before + QStringList{QStringLiteral("primo.txt")};
    after.sort();
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files, QDir::Name), after);

    // Nor does a cancel forget the name, even of a file gone since.
    QVERIFY(QFile::remove(file));
    QString offered;
    answerer_->expect(cancel(&offered));
    QTest::mouseClick(button, Qt::LeftButton);
    finish();
    QCOMPARE(offered, QStringLiteral("primo.txt"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files, QDir::Name), before);
}

void TestDatiWindow::unwritablePathIsReported_data()
{
    savesTheTable_data();
}

void TestDatiWindow::unwritablePathIsReported()
{
    QFETCH(bool, fromDataWindow);
    QPushButton *button = saveButton(fromDataWindow);
    QVERIFY(button);
    Dati *dati = qobject_cast<Dati *>(window_->datiWindow());
    const QString before = dati ? dati->tableText() : QString();

    const QString file = path(QStringLiteral("non-esiste/dati.txt"));
    answerer_->expect(choose(file));
    answerer_->expect(DialogAnswerer::pressOk());
    QTest::mouseClick(button, Qt::LeftButton);
    finish();
    QCOMPARE(answerer_->seenTexts().size(), 1);
    const QString message = answerer_->seenTexts().first();
    QVERIFY2(message.contains(QDir::toNativeSeparators(file)), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("non esiste")), qPrintable(message));
    QCOMPARE(answerer_->seenTitles().first(),
             fromDataWindow ? QStringLiteral("Tabella dati") : QStringLiteral("Fondalis"));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("non-esiste"))));
    // Everything as it was.
    QVERIFY(window_->isVisible());
    QCOMPARE(window_->map().NumStazioni, 3);
    if (fromDataWindow) {
        QCOMPARE(window_->datiWindow(), dati);
        QVERIFY(dati->isVisible());
        QCOMPARE(dati->tableText(), before);
    }
}

void TestDatiWindow::windowsKeepTheirOwnNames()
{
    answerer_->expect(choose(path(QStringLiteral("dalla-principale.txt"))));
    QTest::mouseClick(window_->Salva, Qt::LeftButton);
    finish();
    Dati *dati = openDati();
    QVERIFY(dati);
    QCOMPARE(dati->saveDialog().FileName(), QString());
    answerer_->expect(choose(path(QStringLiteral("dalla-tabella.txt"))));
    QTest::mouseClick(dati->Command2, Qt::LeftButton);
    finish();
    QCOMPARE(dati->saveDialog().FileName(), path(QStringLiteral("dalla-tabella.txt")));
    QCOMPARE(window_->saveDialog().FileName(), path(QStringLiteral("dalla-principale.txt")));

    // A data window loaded afresh has forgotten its name; the main one has not.
    QTest::mouseClick(dati->Command1, Qt::LeftButton);
    QTRY_VERIFY(!window_->datiWindow());
    QString offered = QStringLiteral("<not asked>");
    answerer_->expect(cancel(&offered));
    QTest::mouseClick(openDati()->Command2, Qt::LeftButton);
    finish();
    QCOMPARE(offered, QString());
    answerer_->expect(cancel(&offered));
    QTest::mouseClick(window_->Salva, Qt::LeftButton);
    finish();
    QCOMPARE(offered, QStringLiteral("dalla-principale.txt"));
}

void TestDatiWindow::chiudiAndTitleBarUnloadTheWindow()
{
    QPointer<Dati> dati = openDati();
    QVERIFY(dati);
    QTest::mouseClick(dati->Command1, Qt::LeftButton);
    QVERIFY(!dati || !dati->isVisible());
    QTRY_VERIFY(dati.isNull());
    QVERIFY(!window_->datiWindow());

    // A close of the window system's own does the same.
    dati = openDati();
    QVERIFY(dati);
    dati->Tabella->setPlainText(QStringLiteral("modificata"));
    QVERIFY(dati->close());
    QTRY_VERIFY(dati.isNull());
    QVERIFY(!window_->datiWindow());
    Dati *again = openDati();
    QVERIFY(again);
    QCOMPARE(again->tableText(), tabletext::build(*state_, 3));
}

void TestDatiWindow::resetAndExitCloseTheWindow()
{
    QPointer<Dati> dati = openDati();
    QVERIFY(dati);
    QTest::mouseClick(window_->Resetta, Qt::LeftButton);
    QVERIFY(dati.isNull());
    QVERIFY(!window_->datiWindow());
    QVERIFY(!window_->MostraDati->isEnabled());

    survey();
    dati = openDati();
    QVERIFY(dati);
    QTest::mouseClick(window_->Esci, Qt::LeftButton);
    QVERIFY(dati.isNull());
    QVERIFY(!window_->isVisible());
}

void TestDatiWindow::resizeFollowsTheRule()
{
    Dati *dati = openDati();
    QVERIFY(dati);
    const auto laidOut = [dati] {
        const QSize outer = dati->frameGeometry().size();
        const DatiLayout l
            = DatiLayout::forOuterSize(QSizeF(twips::fromPx(outer.width()), twips::fromPx(outer.height())));
        return dati->Tabella->geometry() == twips::rect(l.tabella)
            && dati->Command2->geometry() == twips::rect(l.command2)
            && dati->CopiaDati->geometry() == twips::rect(l.copiaDati)
            && dati->Command1->geometry() == twips::rect(l.command1);
    };
    const QSize frame = dati->frameGeometry().size() - dati->size();
    const QSize minimum = twips::size(4100, 2000) - frame;
    QVERIFY(laidOut());

    for (const QSize asked : {QSize(900, 500), QSize(100, 100), QSize(200, 400), QSize(800, 90), QSize(400, 300)}) {
        dati->resize(asked);
        QTRY_COMPARE(dati->size(), asked.expandedTo(minimum));
        QVERIFY2(laidOut(), qPrintable(QStringLiteral("%1 x %2").arg(asked.width()).arg(asked.height())));
    }
    // At the minimum, whatever the frame, the box is 3760 x 880 twips and
    // the buttons sit at 1140.
    dati->resize(10, 10);
    QTRY_COMPARE(dati->size(), minimum);
    QCOMPARE(dati->Tabella->geometry(), twips::rect(120, 120, 3760, 880));
    QCOMPARE(dati->Command2->geometry(), twips::rect(120, 1140, 1095, 375));
    QCOMPARE(dati->CopiaDati->geometry(), twips::rect(1440, 1140, 1095, 375));
    QCOMPARE(dati->Command1->geometry(), twips::rect(2780, 1140, 1095, 375));
}

QTEST_MAIN(TestDatiWindow)
#include "tst_datiwindow.moc"
