#include "ColourConversion.h"
#include "CountList.h"
#include "DialogAnswerer.h"
#include "PictureSurface.h"
#include "SampleContent.h"
#include "Setaccio.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SurfaceView.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

class TestSetaccio : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { deleteClosedWindows(); }
    void openingDrawsTheSampleAndOptionsRedrawIt();
    void unusableSheetKeepsTheSieveClosed();
    void mainWindowReopensAndClosesTheSieve();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> state_;

    void fillStation(int station, int count)
    {
        for (int sp = 1; sp <= 12; ++sp)
            state_->Conteggi[station][sp] = static_cast<std::int16_t>((count + sp) % 64);
    }
    // The sieve as the drawing functions paint it for the current state.
    QImage expectedSieve(int option) const
    {
        PictureSurface s(QSize(529, 530));
        s.Scale(0, 530, 529, 0);
        sievedrawing::CaricaSetaccio(s, sievefiles::caricaSfondo(dir_->path(), option).image,
                                     sievefiles::caricaFauna(dir_->path()).image, *state_);
        return s.Image();
    }
    // The title and text of the one warning the action must raise.
    static QString warningDuring(const std::function<void()> &action)
    {
        DialogAnswerer answerer;
        answerer.expect(DialogAnswerer::pressOk());
        action();
        const bool once = answerer.allAnswered() && answerer.unexpected().isEmpty();
        return once ? answerer.seenTitles().value(0) + QLatin1Char('|') + answerer.seenTexts().value(0) : QString();
    }
    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

void TestSetaccio::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(testdata::writeMapSet(dir_->path()));
    QVERIFY(testdata::writeFaunaSet(dir_->path()));
    state_ = std::make_unique<Velmara>();
    state_->SplashFatto = true;
    state_->StazSel = 7;
    fillStation(7, 20);
}

void TestSetaccio::openingDrawsTheSampleAndOptionsRedrawIt()
{
    auto *w = new Setaccio(*state_, dir_->path(), 42u);
    QSignalSpy titles(w, &QWidget::windowTitleChanged);
    QVERIFY(w->Form_Load());
    QVERIFY(w->isVisible() && w->parentWidget() == nullptr);
    // The caption names the station during the start-up and gains the
    // suffix once the first drawing ends.
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles[0][0].toString() + QLatin1Char('|') + titles[1][0].toString(),
             QStringLiteral("Stazione 7|Stazione 7 (setaccio)"));

    QCOMPARE(w->SetaccioView->geometry(), QRect(8, 8, 529, 530));
    // The options from top to bottom, and which file each one lays.
    std::array<int, 5> order{0, 1, 2, 3, 4};
    std::sort(order.begin(), order.end(), [w](int a, int b) { return w->Option1[a]->y() < w->Option1[b]->y(); });
    QStringList captions{w->Label1->text(), w->Command1->text(), w->Command2->text()};
    for (int i : order)
        captions << w->Option1[i]->text() + QLatin1Char('=') + sievedrawing::fileSfondo(i);
    QCOMPARE(captions.join(QLatin1Char('|')), QStringLiteral("Sfondo setaccio:|Lista|Chiudi|sabbia=sand.jpg|"
                                                             "nero=nero.jpg|bianco=bianco.jpg|celeste=celeste.jpg|blu=blu.jpg"));
    QVERIFY(w->Option1[0]->isChecked() && !w->Lista->isVisible());

    // The picture's size, the mesh step and the sheet's pixel (2, 2) as the
    // key go into the state, which the expected sieve is then drawn from.
    QVERIFY(state_->LarghezzaPx == 529 && state_->AltezzaPx == 530 && state_->PassoMaglia == 10);
    QCOMPARE(state_->ColoreTrasp, colour::fromQRgb(testdata::faunaKey()));
    const int total = samplecontent::numeroOrganismi(*state_);
    QCOMPARE(w->SetaccioPic.Image(), expectedSieve(0));
    // What the window shows is the picture, pixel for pixel.
    QCOMPARE(w->SetaccioView->grab().toImage().convertToFormat(QImage::Format_RGB32), w->SetaccioPic.Image());

    // "Lista", then every background in turn, over the same organisms.
    // Twice gives the same text, not a longer one.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Lista->isVisible());
    QCOMPARE(w->Lista->toPlainText(),
             countlist::MostraListaText(*state_).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    const Velmara laid = *state_;
    for (int option : {2, 1, 3, 4, 0}) {
        QSignalSpy steps(w->ProgressBar1, &QProgressBar::valueChanged);
        QTest::mouseClick(w->Option1[static_cast<std::size_t>(option)], Qt::LeftButton);
        // Guards the fewer progress repaints: each new value repaints the
        // bar at once, so it runs in a few steps, not one per organism.
        QVERIFY2(steps.size() >= 3 && steps.size() <= 9, qPrintable(QString::number(steps.size())));
        QCOMPARE(steps.last().at(0).toInt(), total);
        QVERIFY(!w->Lista->isVisible() && !w->ProgressBar1->isVisible());
        QCOMPARE(w->sfondoMostrato(), option);
        QVERIFY(state_->ContX == laid.ContX && state_->ContY == laid.ContY && state_->ContRot == laid.ContRot);
        QVERIFY2(w->SetaccioPic.Image() == expectedSieve(option), qPrintable(QString::number(option)));
    }
    QCOMPARE(w->windowTitle(), QStringLiteral("Stazione 7 (setaccio)"));

    // An unreadable background is named, and the picture and option stay.
    const QImage before = w->SetaccioPic.Image();
    QVERIFY(QFile::remove(QDir(dir_->path()).filePath(QStringLiteral("nero.jpg"))));
    const QString warning = warningDuring([w] { QTest::mouseClick(w->Option1[2], Qt::LeftButton); });
    QVERIFY2(warning.contains(QStringLiteral("\"nero.jpg\"")), qPrintable(warning));
    QVERIFY(w->Option1[0]->isChecked());
    QCOMPARE(w->SetaccioPic.Image(), before);
    // "Chiudi" closes it.
    QPointer<Setaccio> open(w);
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(open.isNull());
}

// The ways a picture can be unusable are checked on the loader; here that a
// sheet one row short stops the start-up before anything changes, and that a
// larger one will do.
void TestSetaccio::unusableSheetKeepsTheSieveClosed()
{
    const QString sheet = QDir(dir_->path()).filePath(QStringLiteral("fauna.dib"));
    QVERIFY(testdata::image(600, 199, testdata::defaultFauna).save(sheet, "BMP"));
    state_->LarghezzaPx = 1;
    state_->ColoreTrasp = 12345;
    const Velmara before = *state_;
    Setaccio refused(*state_, dir_->path(), 1u);
    bool loaded = true;
    const QString warning = warningDuring([&] { loaded = refused.Form_Load(); });
    QVERIFY2(warning.startsWith(QStringLiteral("Fondalis|")) && warning.contains(QStringLiteral("\"fauna.dib\"")),
             qPrintable(warning));
    QVERIFY(!loaded && !refused.isVisible());
    QVERIFY(state_->ContX == before.ContX && state_->LarghezzaPx == 1 && state_->ColoreTrasp == 12345);
    QVERIFY(testdata::image(640, 240, testdata::defaultFauna).save(sheet, "BMP"));
    Setaccio accepted(*state_, dir_->path(), 1u);
    QVERIFY(accepted.Form_Load());
}

// Every opening from the main window is a fresh window with a fresh layout;
// the program's exit takes the sieve along.
void TestSetaccio::mainWindowReopensAndClosesTheSieve()
{
    VelmaraMain m(*state_, dir_->path());
    QVERIFY(m.Form_Load());
    fillStation(7, 40); // the main window starts on an empty survey
    m.MostraSetaccio();
    QPointer<QWidget> first = m.setaccioWindow();
    QVERIFY(first);
    const Velmara laid = *state_;
    m.MostraSetaccio();
    QPointer<QWidget> second = m.setaccioWindow();
    QVERIFY(first.isNull() && second && second->isVisible());
    QVERIFY(state_->ContX != laid.ContX || state_->ContY != laid.ContY);
    m.Esci_Click();
    deleteClosedWindows();
    QVERIFY(second.isNull());
}

QTEST_MAIN(TestSetaccio)
#include "tst_setaccio.moc"
