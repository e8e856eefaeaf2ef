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

#include <memory>

class TestSetaccio : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openingLaysOutAndDrawsTheSample();
    void optionsRedrawTheSameOrganisms();
    void mainWindowOpensReplacesAndClosesTheSieve();
    void unusablePictureKeepsTheSieveClosed_data();
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

void TestSetaccio::openingLaysOutAndDrawsTheSample()
{
    auto *w = new Setaccio(*state_, dir_->path(), 42u);
    QSignalSpy titles(w, &QWidget::windowTitleChanged);
    QVERIFY(w->Form_Load());
    QVERIFY(w->isVisible());
    QVERIFY(w->parentWidget() == nullptr);
    // The caption names the station during the start-up and gains the
    // suffix once the first drawing ends.
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles[0][0].toString(), QStringLiteral("Stazione 7"));
    QCOMPARE(titles[1][0].toString(), QStringLiteral("Stazione 7 (setaccio)"));

    QCOMPARE(w->size(), QSize(634, 546));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QCOMPARE(w->SetaccioPic.size(), QSize(529, 530));
    const QList<std::pair<QWidget *, QRect>> geometries{
        {w->SetaccioView, {8, 8, 529, 530}},   {w->Label1, {544, 8, 89, 17}},         {w->Command1, {552, 168, 73, 25}},
        {w->Command2, {552, 512, 73, 25}},     {w->ProgressBar1, {552, 208, 73, 281}}, {w->Lista, {545, 211, 83, 217}}};
    for (const auto &[widget, geometry] : geometries)
        QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(w->Label1->text(), QStringLiteral("Sfondo setaccio:"));
    QCOMPARE(w->Command1->text(), QStringLiteral("Lista"));
    QCOMPARE(w->Command2->text(), QStringLiteral("Chiudi"));
    QCOMPARE(w->ProgressBar1->orientation(), Qt::Vertical);
    // From top to bottom: sabbia, nero, bianco, celeste, blu (indexes 0, 2, 1, 3, 4).
    const int visualOrder[] = {0, 2, 1, 3, 4};
    const QStringList captions{"sabbia", "nero", "bianco", "celeste", "blu"};
    for (int i = 0; i < 5; ++i) {
        QRadioButton *option = w->Option1[static_cast<std::size_t>(visualOrder[i])];
        QCOMPARE(option->text(), captions[i]);
        QCOMPARE(option->geometry(), QRect(560, 32 + 24 * i, 63, 17));
    }
    QVERIFY(w->Option1[0]->isChecked());
    QVERIFY(!w->Lista->isVisible());

    // The sieve parameters: picture size, mesh colour and step, species,
    // sprite cell; the key is the sheet's pixel (2, 2).
    QCOMPARE((QList<int>{state_->LarghezzaPx, state_->AltezzaPx, state_->ColoreMaglia, state_->PassoMaglia,
                         state_->NSpecie, state_->LarghezzaSprite, state_->AltezzaSprite}),
             (QList<int>{529, 530, 4210752, 10, 12, 50, 50}));
    QCOMPARE(state_->ColoreTrasp, colour::fromQRgb(testdata::faunaKey()));
    const int total = samplecontent::numeroOrganismi(*state_);
    QVERIFY(total > 100);
    QCOMPARE(static_cast<int>(state_->ContX.size()), total + 1);
    QCOMPARE(w->SetaccioPic.Image(), expectedSieve(0));
    // What the window shows is the picture, pixel for pixel.
    QCOMPARE(w->SetaccioView->grab().toImage().convertToFormat(QImage::Format_RGB32), w->SetaccioPic.Image());
    QVERIFY(!w->ProgressBar1->isVisible());
    QCOMPARE(w->ProgressBar1->maximum(), total);
    QCOMPARE(w->ProgressBar1->value(), total);
    w->close();
}

void TestSetaccio::optionsRedrawTheSameOrganisms()
{
    auto *w = new Setaccio(*state_, dir_->path(), 11u);
    QVERIFY(w->Form_Load());
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Lista->isVisible());
    QString list = countlist::MostraListaText(*state_);
    QVERIFY(list.startsWith(QStringLiteral("Stazione 7\r\nProf. 23 m\r\n\r\nSp. 1  \t")));
    list.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(w->Lista->toPlainText(), list);
    // Twice gives the same text, not a longer one.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QCOMPARE(w->Lista->toPlainText(), list);

    const std::vector<float> xs = state_->ContX;
    const std::vector<float> ys = state_->ContY;
    const std::vector<std::int16_t> rots = state_->ContRot;
    const int total = samplecontent::numeroOrganismi(*state_);
    for (int option : {2, 1, 3, 4, 0}) {
        QSignalSpy steps(w->ProgressBar1, &QProgressBar::valueChanged);
        QTest::mouseClick(w->Option1[static_cast<std::size_t>(option)], Qt::LeftButton);
        // Guards the fewer progress repaints: each new value repaints the
        // bar at once, so it runs in a few steps, not one per organism.
        QVERIFY2(steps.size() >= 3 && steps.size() <= 9, qPrintable(QString::number(steps.size())));
        QCOMPARE(steps.last().at(0).toInt(), total);
        QVERIFY(!w->Lista->isVisible() && !w->ProgressBar1->isVisible());
        QVERIFY(w->Option1[static_cast<std::size_t>(option)]->isChecked());
        QCOMPARE(w->sfondoMostrato(), option);
        QVERIFY(state_->ContX == xs && state_->ContY == ys && state_->ContRot == rots);
        QVERIFY2(w->SetaccioPic.Image() == expectedSieve(option), qPrintable(QString::number(option)));
        // No organism reaches past x = 525 and no mesh line runs at x = 528
        // or y = 525: there the option's own file shows.
        const QRgb corner = w->SetaccioPic.Image().pixel(528, 5);
        const QRgb wanted = testdata::defaultBackground(option);
        QVERIFY2(std::abs(qRed(corner) - qRed(wanted)) <= 3 && std::abs(qGreen(corner) - qGreen(wanted)) <= 3
                     && std::abs(qBlue(corner) - qBlue(wanted)) <= 3,
                 qPrintable(QString::number(option)));
    }
    QCOMPARE(w->windowTitle(), QStringLiteral("Stazione 7 (setaccio)"));

    // An unreadable background is named, and the picture and option stay.
    const QImage before = w->SetaccioPic.Image();
    QVERIFY(QFile::remove(QDir(dir_->path()).filePath(QStringLiteral("nero.jpg"))));
    DialogAnswerer answerer;
    answerer.expect(DialogAnswerer::pressOk());
    QTest::mouseClick(w->Option1[2], Qt::LeftButton);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.seenTexts().size(), 1);
    QVERIFY2(answerer.seenTexts()[0].contains(QStringLiteral("\"nero.jpg\"")), qPrintable(answerer.seenTexts()[0]));
    QVERIFY(answerer.seenTexts()[0].contains(QDir::toNativeSeparators(dir_->path())));
    QCOMPARE(answerer.seenTitles()[0], QStringLiteral("Fondalis"));
    QVERIFY(w->Option1[0]->isChecked());
    QCOMPARE(w->sfondoMostrato(), 0);
    QCOMPARE(w->SetaccioPic.Image(), before);
    // Still usable: another background draws.
    QTest::mouseClick(w->Option1[4], Qt::LeftButton);
    QCOMPARE(w->SetaccioPic.Image(), expectedSieve(4));
    QVERIFY(answerer.unexpected().isEmpty());
    w->close();
}

void TestSetaccio::mainWindowOpensReplacesAndClosesTheSieve()
{
    VelmaraMain &m = mainWindow();
    // The start-up emptied the tables: background and mesh only, and a
    // progress range that is not empty (no busy animation).
    m.MostraSetaccio();
    auto *empty = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(empty);
    QCOMPARE(state_->ContX.size(), std::size_t(1));
    QVERIFY(empty->ProgressBar1->value() == 0 && empty->ProgressBar1->maximum() > empty->ProgressBar1->minimum());
    PictureSurface meshOnly(QSize(529, 530));
    meshOnly.Scale(0, 530, 529, 0);
    sievedrawing::stendiSfondo(meshOnly, sievefiles::caricaSfondo(dir_->path(), 0).image);
    sievedrawing::disegnaMaglia(meshOnly, *state_);
    QCOMPARE(empty->SetaccioPic.Image(), meshOnly.Image());

    fillStation(2, 5);
    fillStation(5, 40);
    state_->Stazioni[5][Velmara::kProf] = -3;
    state_->StazSel = 2;
    m.MostraSetaccio();
    QPointer<QWidget> first = m.setaccioWindow();
    QVERIFY(first);
    QCOMPARE(first->windowTitle(), QStringLiteral("Stazione 2 (setaccio)"));

    // Station 5 replaces it: caption, layout and list are station 5's.
    state_->StazSel = 5;
    m.MostraSetaccio();
    QVERIFY(first.isNull());
    auto *second = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->windowTitle(), QStringLiteral("Stazione 5 (setaccio)"));
    QCOMPARE(static_cast<int>(state_->ContX.size()), samplecontent::numeroOrganismi(*state_) + 1);
    QTest::mouseClick(second->Command1, Qt::LeftButton);
    QVERIFY(second->Lista->toPlainText().startsWith(QStringLiteral("Stazione 5\nProf.-3 m\n")));

    // Opening the same station again lays its organisms anew.
    const std::vector<float> xs = state_->ContX;
    const std::vector<float> ys = state_->ContY;
    const QImage picture = second->SetaccioPic.Image();
    m.MostraSetaccio();
    QPointer<Setaccio> third = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(third);
    QCOMPARE(state_->ContX.size(), xs.size());
    QVERIFY(state_->ContX != xs || state_->ContY != ys);
    QVERIFY(third->SetaccioPic.Image() != picture);

    // "Chiudi" closes the sieve alone; the program's exit takes one along.
    QTest::mouseClick(third->Command2, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(third.isNull());
    QVERIFY(m.setaccioWindow() == nullptr);
    QVERIFY(m.isVisible());
    m.MostraSetaccio();
    QPointer<QWidget> open = m.setaccioWindow();
    QVERIFY(open);
    m.Esci_Click();
    deleteClosedWindows();
    QVERIFY(open.isNull());
}

void TestSetaccio::unusablePictureKeepsTheSieveClosed_data()
{
    // The ways a picture can be unusable are checked on the loader; here one
    // of each file the start-up reads.
    QTest::addColumn<QString>("file");
    QTest::newRow("sheet too small") << "fauna.dib";
    QTest::newRow("first background missing") << "sand.jpg";
}

void TestSetaccio::unusablePictureKeepsTheSieveClosed()
{
    QFETCH(QString, file);
    VelmaraMain &m = mainWindow();
    m.MostraSetaccio();
    QVERIFY(m.setaccioWindow());
    const QString path = QDir(dir_->path()).filePath(file);
    QVERIFY(QFile::remove(path));
    if (file == QLatin1String("fauna.dib"))
        QVERIFY(testdata::image(599, 200, testdata::defaultFauna).save(path, "BMP"));

    // The survey and the last sample stay as they were.
    state_->StazSel = 3;
    fillStation(3, 9);
    state_->LarghezzaPx = 1;
    state_->ColoreTrasp = 12345;
    const Velmara before = *state_;
    DialogAnswerer answerer;
    answerer.expect(DialogAnswerer::pressOk());
    m.MostraSetaccio();
    QVERIFY(answerer.allAnswered());
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(answerer.seenTexts().size(), 1);
    QVERIFY2(answerer.seenTexts()[0].contains(QLatin1Char('"') + file + QLatin1Char('"')),
             qPrintable(answerer.seenTexts()[0]));
    QCOMPARE(answerer.seenTitles()[0], QStringLiteral("Fondalis"));
    QVERIFY(m.setaccioWindow() == nullptr);
    QCOMPARE(state_->ContX, before.ContX);
    QVERIFY(state_->Conteggi == before.Conteggi);
    QVERIFY(state_->Stazioni == before.Stazioni);
    QCOMPARE(state_->LarghezzaPx, std::int16_t(1));
    QCOMPARE(state_->ColoreTrasp, 12345);
    QVERIFY(m.isVisible() && m.isEnabled());

    // Once the file is back the sieve opens again.
    QVERIFY(testdata::writeFaunaSet(dir_->path()));
    m.MostraSetaccio();
    QVERIFY(m.setaccioWindow());
}

QTEST_MAIN(TestSetaccio)
#include "tst_setaccio.moc"