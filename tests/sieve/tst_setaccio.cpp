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
#include <memory>

class TestSetaccio : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openingDrawsTheSampleAndOptionsRedrawIt();
    void mainWindowOpensReplacesAndClosesTheSieve();
    void unusablePictureKeepsTheSieveClosed();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> state_;
    std::unique_ptr<VelmaraMain> main_;

    void fillStation(int station, int count)
    {
        for (int sp = 1; sp <= 12; ++sp)
            state_->Conteggi[station][sp] = static_cast<std::int16_t>((count + sp) % 64);
        state_->Stazioni[station][Velmara::kProf] = 23;
    }
    // The sieve as the drawing functions paint it for the current state.
    QImage expectedSieve(int option) const
    {
        PictureSurface s(QSize(529, 530));
        s.Scale(0, 530, 529, 0);
        const sievefiles::Picture background = sievefiles::caricaSfondo(dir_->path(), option);
        const sievefiles::Picture sheet = sievefiles::caricaFauna(dir_->path());
        sievedrawing::CaricaSetaccio(s, background.image, sheet.image, *state_);
        return s.Image();
    }
    VelmaraMain &mainWindow()
    {
        main_ = std::make_unique<VelmaraMain>(*state_, dir_->path());
        if (!main_->Form_Load())
            qFatal("main window did not load");
        return *main_;
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

void TestSetaccio::cleanup()
{
    main_.reset();
    deleteClosedWindows();
    state_.reset();
    dir_.reset();
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
    QCOMPARE(titles[0][0].toString(), QStringLiteral("Stazione 7"));
    QCOMPARE(titles[1][0].toString(), QStringLiteral("Stazione 7 (setaccio)"));

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

    // The sieve parameters: picture size, mesh colour and step, species,
    // sprite cell; the key is the sheet's pixel (2, 2).
    QCOMPARE((QList<int>{state_->LarghezzaPx, state_->AltezzaPx, state_->ColoreMaglia, state_->PassoMaglia,
                         state_->NSpecie, state_->LarghezzaSprite, state_->AltezzaSprite}),
             (QList<int>{529, 530, 4210752, 10, 12, 50, 50}));
    QCOMPARE(state_->ColoreTrasp, colour::fromQRgb(testdata::faunaKey()));
    const int total = samplecontent::numeroOrganismi(*state_);
    QCOMPARE(w->SetaccioPic.Image(), expectedSieve(0));
    // What the window shows is the picture, pixel for pixel.
    QCOMPARE(w->SetaccioView->grab().toImage().convertToFormat(QImage::Format_RGB32), w->SetaccioPic.Image());

    // "Lista", then every background in turn, over the same organisms.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Lista->isVisible());
    QString list = countlist::MostraListaText(*state_);
    list.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(w->Lista->toPlainText(), list);
    // Twice gives the same text, not a longer one.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QCOMPARE(w->Lista->toPlainText(), list);

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
    DialogAnswerer answerer;
    answerer.expect(DialogAnswerer::pressOk());
    QTest::mouseClick(w->Option1[2], Qt::LeftButton);
    QVERIFY(answerer.allAnswered() && answerer.unexpected().isEmpty());
    QVERIFY(answerer.seenTexts().value(0).contains(QStringLiteral("\"nero.jpg\"")));
    QVERIFY(w->Option1[0]->isChecked());
    QCOMPARE(w->SetaccioPic.Image(), before);
    w->close();
}

void TestSetaccio::mainWindowOpensReplacesAndClosesTheSieve()
{
    VelmaraMain &m = mainWindow();
    fillStation(5, 40);
    state_->Stazioni[5][Velmara::kProf] = -3;
    state_->StazSel = 2;
    m.MostraSetaccio();
    QPointer<QWidget> first = m.setaccioWindow();

    // Station 5 replaces it: caption and list are station 5's.
    state_->StazSel = 5;
    m.MostraSetaccio();
    QVERIFY(first.isNull());
    auto *second = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->windowTitle(), QStringLiteral("Stazione 5 (setaccio)"));
    QTest::mouseClick(second->Command1, Qt::LeftButton);
    QVERIFY(second->Lista->toPlainText().startsWith(QStringLiteral("Stazione 5\nProf.-3 m\n")));

    // Opening the same station again lays its organisms anew.
    const Velmara laid = *state_;
    m.MostraSetaccio();
    QPointer<Setaccio> third = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(third && (state_->ContX != laid.ContX || state_->ContY != laid.ContY));

    // "Chiudi" closes the sieve alone; the program's exit takes one along.
    QTest::mouseClick(third->Command2, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(third.isNull() && m.setaccioWindow() == nullptr && m.isVisible());
    m.MostraSetaccio();
    QPointer<QWidget> open = m.setaccioWindow();
    m.Esci_Click();
    deleteClosedWindows();
    QVERIFY(open.isNull());
}

// The ways a picture can be unusable are checked on the loader; here that
// the start-up stops on a sheet one row short.
void TestSetaccio::unusablePictureKeepsTheSieveClosed()
{
    VelmaraMain &m = mainWindow();
    m.MostraSetaccio();
    QVERIFY(m.setaccioWindow());
    const QString sheet = QDir(dir_->path()).filePath(QStringLiteral("fauna.dib"));
    QVERIFY(testdata::image(600, 199, testdata::defaultFauna).save(sheet, "BMP"));

    // The last sample stays as it was.
    state_->StazSel = 3;
    fillStation(3, 9);
    state_->LarghezzaPx = 1;
    state_->ColoreTrasp = 12345;
    const Velmara before = *state_;
    DialogAnswerer answerer;
    answerer.expect(DialogAnswerer::pressOk());
    m.MostraSetaccio();
    QVERIFY(answerer.allAnswered() && answerer.unexpected().isEmpty());
    QCOMPARE(answerer.seenTitles(), QStringList{QStringLiteral("Fondalis")});
    QVERIFY2(answerer.seenTexts()[0].contains(QStringLiteral("\"fauna.dib\"")), qPrintable(answerer.seenTexts()[0]));
    QVERIFY(m.setaccioWindow() == nullptr);
    QVERIFY(state_->ContX == before.ContX && state_->LarghezzaPx == 1 && state_->ColoreTrasp == 12345);

    // A larger sheet will do.
    QVERIFY(testdata::image(640, 240, testdata::defaultFauna).save(sheet, "BMP"));
    m.MostraSetaccio();
    QVERIFY(m.setaccioWindow());
}

QTEST_MAIN(TestSetaccio)
#include "tst_setaccio.moc"