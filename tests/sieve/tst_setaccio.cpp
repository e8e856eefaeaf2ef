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
    void layoutOfTheWindow();
    void openingDrawsTheSample();
    void captionDuringAndAfterStartUp();
    void eachOptionShowsItsBackground_data();
    void eachOptionShowsItsBackground();
    void listShowsTheCatch();
    void emptySample();
    void closeButtonClosesTheWindow();
    void mainWindowOpensAFreshSieve();
    void newOpeningGivesANewLayout();
    void unusableSheetKeepsTheSieveClosed_data();
    void unusableSheetKeepsTheSieveClosed();
    void unreadableBackgroundKeepsThePicture();
    void unreadableFirstBackgroundKeepsTheSieveClosed();

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
        return *main_;
    }
    static void deleteClosedWindows()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
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

void TestSetaccio::layoutOfTheWindow()
{
    QPointer<Setaccio> w = new Setaccio(*state_, dir_->path(), 1u);
    QVERIFY(w->Form_Load());
    QCOMPARE(w->size(), QSize(634, 546));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(w->parentWidget() == nullptr);
    QCOMPARE(w->SetaccioView->geometry(), QRect(8, 8, 529, 530));
    QCOMPARE(w->SetaccioPic.size(), QSize(529, 530));
    QCOMPARE(w->Label1->text(), QStringLiteral("Sfondo setaccio:"));
    QCOMPARE(w->Label1->geometry(), QRect(544, 8, 89, 17));
    // From top to bottom: sabbia, nero, bianco, celeste, blu (indexes 0, 2, 1, 3, 4).
    const int visualOrder[] = {0, 2, 1, 3, 4};
    const QStringList captions{"sabbia", "nero", "bianco", "celeste", "blu"};
    for (int i = 0; i < 5; ++i) {
        QRadioButton *option = w->Option1[static_cast<std::size_t>(visualOrder[i])];
        QCOMPARE(option->text(), captions[i]);
        QCOMPARE(option->geometry(), QRect(560, 32 + 24 * i, 63, 17));
    }
    QVERIFY(w->Option1[0]->isChecked());
    QCOMPARE(w->Command1->text(), QStringLiteral("Lista"));
    QCOMPARE(w->Command1->geometry(), QRect(552, 168, 73, 25));
    QCOMPARE(w->Command2->text(), QStringLiteral("Chiudi"));
    QCOMPARE(w->Command2->geometry(), QRect(552, 512, 73, 25));
    QCOMPARE(w->ProgressBar1->geometry(), QRect(552, 208, 73, 281));
    QCOMPARE(w->ProgressBar1->orientation(), Qt::Vertical);
    QCOMPARE(w->Lista->geometry(), QRect(545, 211, 83, 217));
    QVERIFY(!w->Lista->isVisible());
    QVERIFY(!w->ProgressBar1->isVisible());
    w->close();
    deleteClosedWindows();
    QVERIFY(w.isNull());
}

void TestSetaccio::openingDrawsTheSample()
{
    auto *w = new Setaccio(*state_, dir_->path(), 42u);
    QVERIFY(w->Form_Load());
    QVERIFY(w->isVisible());
    QCOMPARE(state_->LarghezzaPx, std::int16_t(529));
    QCOMPARE(state_->AltezzaPx, std::int16_t(530));
    QCOMPARE(state_->ColoreTrasp, colour::fromQRgb(testdata::faunaKey()));
    QCOMPARE(state_->ColoreMaglia, 4210752);
    QCOMPARE(state_->PassoMaglia, std::int16_t(10));
    QCOMPARE(state_->NSpecie, std::int16_t(12));
    QCOMPARE(state_->LarghezzaSprite, std::int16_t(50));
    QCOMPARE(state_->AltezzaSprite, std::int16_t(50));
    const int total = samplecontent::numeroOrganismi(*state_);
    QVERIFY(total > 100);
    QCOMPARE(static_cast<int>(state_->ContX.size()), total + 1);
    QCOMPARE(w->SetaccioPic.Image(), expectedSieve(0));
    // What the window shows is the picture, pixel for pixel.
    const QImage shown = w->SetaccioView->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, w->SetaccioPic.Image());
    QVERIFY(!w->ProgressBar1->isVisible());
    QCOMPARE(w->ProgressBar1->maximum(), total);
    QCOMPARE(w->ProgressBar1->value(), total);
    // Each new value repaints the bar at once: it runs, in a few steps.
    QSignalSpy steps(w->ProgressBar1, &QProgressBar::valueChanged);
    QTest::mouseClick(w->Option1[2], Qt::LeftButton);
    QVERIFY2(steps.size() >= 3 && steps.size() <= 9, qPrintable(QString::number(steps.size())));
    QCOMPARE(steps.last().at(0).toInt(), total);
    // The same seed lays the same sample.
    const std::vector<float> xs = state_->ContX;
    w->close();
    auto *again = new Setaccio(*state_, dir_->path(), 42u);
    QVERIFY(again->Form_Load());
    QCOMPARE(state_->ContX, xs);
    again->close();
}

void TestSetaccio::captionDuringAndAfterStartUp()
{
    state_->StazSel = 12;
    fillStation(12, 3);
    auto *w = new Setaccio(*state_, dir_->path(), 3u);
    QSignalSpy titles(w, &QWidget::windowTitleChanged);
    QVERIFY(w->Form_Load());
    QCOMPARE(titles.size(), 2);
    QCOMPARE(titles[0][0].toString(), QStringLiteral("Stazione 12"));
    QCOMPARE(titles[1][0].toString(), QStringLiteral("Stazione 12 (setaccio)"));
    QTest::mouseClick(w->Option1[4], Qt::LeftButton);
    QTest::mouseClick(w->Option1[0], Qt::LeftButton);
    QCOMPARE(w->windowTitle(), QStringLiteral("Stazione 12 (setaccio)"));
    w->close();
}

void TestSetaccio::eachOptionShowsItsBackground_data()
{
    QTest::addColumn<int>("option");
    QTest::newRow("nero") << 2;
    QTest::newRow("bianco") << 1;
    QTest::newRow("celeste") << 3;
    QTest::newRow("blu") << 4;
    QTest::newRow("sabbia again") << 0;
}

void TestSetaccio::eachOptionShowsItsBackground()
{
    QFETCH(int, option);
    auto *w = new Setaccio(*state_, dir_->path(), 11u);
    QVERIFY(w->Form_Load());
    const std::vector<float> xs = state_->ContX;
    const std::vector<float> ys = state_->ContY;
    const std::vector<std::int16_t> rots = state_->ContRot;
    if (option == 0)
        QTest::mouseClick(w->Option1[3], Qt::LeftButton);
    QTest::mouseClick(w->Option1[static_cast<std::size_t>(option)], Qt::LeftButton);
    QVERIFY(w->Option1[static_cast<std::size_t>(option)]->isChecked());
    QCOMPARE(w->sfondoMostrato(), option);
    QCOMPARE(state_->ContX, xs);
    QCOMPARE(state_->ContY, ys);
    QCOMPARE(state_->ContRot, rots);
    QCOMPARE(w->SetaccioPic.Image(), expectedSieve(option));
    // No organism reaches past x = 525 and no mesh line runs at x = 528 or
    // y = 525: there the file's own colour shows.
    const QRgb corner = w->SetaccioPic.Image().pixel(528, 5);
    const QRgb wanted = testdata::defaultBackground(option);
    QVERIFY(std::abs(qRed(corner) - qRed(wanted)) <= 3 && std::abs(qGreen(corner) - qGreen(wanted)) <= 3
            && std::abs(qBlue(corner) - qBlue(wanted)) <= 3);
    w->close();
}

void TestSetaccio::listShowsTheCatch()
{
    auto *w = new Setaccio(*state_, dir_->path(), 9u);
    QVERIFY(w->Form_Load());
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Lista->isVisible());
    QVERIFY(!w->ProgressBar1->isVisible());
    QString expected = countlist::MostraListaText(*state_);
    QVERIFY(expected.startsWith(QStringLiteral("Stazione 7\r\nProf. 23 m\r\n\r\nSp. 1  \t")));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(w->Lista->toPlainText(), expected);
    // Twice gives the same text, not a longer one.
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QCOMPARE(w->Lista->toPlainText(), expected);
    // A background change hides it again.
    QTest::mouseClick(w->Option1[1], Qt::LeftButton);
    QVERIFY(!w->Lista->isVisible());
    QVERIFY(!w->ProgressBar1->isVisible());
    w->close();
}

void TestSetaccio::emptySample()
{
    state_->Conteggi[7] = {};
    auto *w = new Setaccio(*state_, dir_->path(), 2u);
    QVERIFY(w->Form_Load());
    QCOMPARE(state_->ContX.size(), std::size_t(1));
    QCOMPARE(w->ProgressBar1->value(), 0);
    QVERIFY(w->ProgressBar1->maximum() > w->ProgressBar1->minimum()); // no busy animation
    QVERIFY(!w->ProgressBar1->isVisible());
    // Background and mesh only.
    PictureSurface meshOnly(QSize(529, 530));
    meshOnly.Scale(0, 530, 529, 0);
    sievedrawing::stendiSfondo(meshOnly, sievefiles::caricaSfondo(dir_->path(), 0).image);
    sievedrawing::disegnaMaglia(meshOnly, *state_);
    QCOMPARE(w->SetaccioPic.Image(), meshOnly.Image());
    QTest::mouseClick(w->Command1, Qt::LeftButton);
    QVERIFY(w->Lista->toPlainText().endsWith(QStringLiteral("Sp. 12  \t 0\n")));
    w->close();
}

void TestSetaccio::closeButtonClosesTheWindow()
{
    VelmaraMain &m = mainWindow();
    QVERIFY(m.Form_Load());
    m.MostraSetaccio();
    QPointer<QWidget> sieve = m.setaccioWindow();
    QVERIFY(sieve);
    QTest::mouseClick(qobject_cast<Setaccio *>(sieve.data())->Command2, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(sieve.isNull());
    QVERIFY(m.setaccioWindow() == nullptr);
    QVERIFY(m.isVisible());
}

void TestSetaccio::mainWindowOpensAFreshSieve()
{
    VelmaraMain &m = mainWindow();
    QVERIFY(m.Form_Load());
    fillStation(2, 5);
    fillStation(5, 40);
    state_->Stazioni[5][Velmara::kProf] = -3;
    state_->StazSel = 2;
    m.MostraSetaccio();
    QPointer<QWidget> first = m.setaccioWindow();
    QVERIFY(first);
    QCOMPARE(first->windowTitle(), QStringLiteral("Stazione 2 (setaccio)"));

    state_->StazSel = 5;
    m.MostraSetaccio();
    QVERIFY(first.isNull());
    auto *second = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(second);
    QVERIFY(second->isVisible());
    QCOMPARE(second->windowTitle(), QStringLiteral("Stazione 5 (setaccio)"));
    QCOMPARE(static_cast<int>(state_->ContX.size()), samplecontent::numeroOrganismi(*state_) + 1);
    QTest::mouseClick(second->Command1, Qt::LeftButton);
    QVERIFY(second->Lista->toPlainText().startsWith(QStringLiteral("Stazione 5\nProf.-3 m\n")));

    // The program's exit takes the sieve with it.
    QPointer<QWidget> open = second;
    m.Esci_Click();
    deleteClosedWindows();
    QVERIFY(open.isNull());
}

void TestSetaccio::newOpeningGivesANewLayout()
{
    VelmaraMain &m = mainWindow();
    QVERIFY(m.Form_Load());
    fillStation(7, 20); // the start-up emptied the tables
    m.MostraSetaccio();
    const std::vector<float> xs = state_->ContX;
    const std::vector<float> ys = state_->ContY;
    const QImage picture = qobject_cast<Setaccio *>(m.setaccioWindow())->SetaccioPic.Image();
    m.MostraSetaccio();
    QCOMPARE(state_->ContX.size(), xs.size());
    QVERIFY(state_->ContX != xs || state_->ContY != ys);
    QVERIFY(qobject_cast<Setaccio *>(m.setaccioWindow())->SetaccioPic.Image() != picture);
}

void TestSetaccio::unusableSheetKeepsTheSieveClosed_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("missing") << "missing";
    QTest::newRow("not a picture") << "garbage";
    QTest::newRow("too narrow") << "599x200";
    QTest::newRow("too low") << "600x199";
}

void TestSetaccio::unusableSheetKeepsTheSieveClosed()
{
    QFETCH(QString, damage);
    VelmaraMain &m = mainWindow();
    QVERIFY(m.Form_Load());
    m.MostraSetaccio();
    QVERIFY(m.setaccioWindow());

    const QString path = QDir(dir_->path()).filePath(QStringLiteral("fauna.dib"));
    QVERIFY(QFile::remove(path));
    if (damage == QLatin1String("garbage")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture at all");
    } else if (damage != QLatin1String("missing")) {
        const QStringList size = damage.split(QLatin1Char('x'));
        QVERIFY(testdata::image(size[0].toInt(), size[1].toInt(), testdata::defaultFauna).save(path, "BMP"));
    }
    // The survey and the last sample stay as they were.
    state_->StazSel = 3;
    fillStation(3, 9);
    const std::vector<float> xs = state_->ContX;
    const auto conteggi = state_->Conteggi;
    const auto stazioni = state_->Stazioni;
    const std::int16_t width = state_->LarghezzaPx;
    state_->ColoreTrasp = 12345;

    DialogAnswerer answerer;
    answerer.expect(DialogAnswerer::pressOk());
    m.MostraSetaccio();
    QVERIFY(answerer.allAnswered());
    QVERIFY(answerer.unexpected().isEmpty());
    QCOMPARE(answerer.seenTexts().size(), 1);
    QVERIFY2(answerer.seenTexts()[0].contains(QStringLiteral("\"fauna.dib\"")), qPrintable(answerer.seenTexts()[0]));
    QCOMPARE(answerer.seenTitles()[0], QStringLiteral("Fondalis"));
    QVERIFY(m.setaccioWindow() == nullptr);
    QCOMPARE(state_->ContX, xs);
    QVERIFY(state_->Conteggi == conteggi);
    QVERIFY(state_->Stazioni == stazioni);
    QCOMPARE(state_->LarghezzaPx, width);
    QCOMPARE(state_->ColoreTrasp, 12345);
    QVERIFY(m.isVisible());
    QVERIFY(m.isEnabled());

    // Once the file is back the sieve opens again.
    QVERIFY(QFile::remove(path) || damage == QLatin1String("missing"));
    QVERIFY(testdata::image(600, 200, testdata::defaultFauna).save(path, "BMP"));
    m.MostraSetaccio();
    QVERIFY(m.setaccioWindow());
}

void TestSetaccio::unreadableBackgroundKeepsThePicture()
{
    auto *w = new Setaccio(*state_, dir_->path(), 5u);
    QVERIFY(w->Form_Load());
    QTest::mouseClick(w->Option1[3], Qt::LeftButton);
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
    QVERIFY(w->Option1[3]->isChecked());
    QVERIFY(!w->Option1[2]->isChecked());
    QCOMPARE(w->sfondoMostrato(), 3);
    QCOMPARE(w->SetaccioPic.Image(), before);
    QVERIFY(w->isVisible());
    // Still usable: another background draws.
    QTest::mouseClick(w->Option1[4], Qt::LeftButton);
    QCOMPARE(w->SetaccioPic.Image(), expectedSieve(4));
    QVERIFY(answerer.unexpected().isEmpty());
    w->close();
}

void TestSetaccio::unreadableFirstBackgroundKeepsTheSieveClosed()
{
    VelmaraMain &m = mainWindow();
    QVERIFY(m.Form_Load());
    QVERIFY(QFile::remove(QDir(dir_->path()).filePath(QStringLiteral("sand.jpg"))));
    DialogAnswerer answerer;
    answerer.expect(DialogAnswerer::pressOk());
    m.MostraSetaccio();
    QVERIFY(answerer.allAnswered());
    QVERIFY(answerer.seenTexts().value(0).contains(QStringLiteral("\"sand.jpg\"")));
    QVERIFY(m.setaccioWindow() == nullptr);
    QCOMPARE(state_->LarghezzaPx, std::int16_t(0));
    QCOMPARE(state_->ContX.size(), std::size_t(1));
}

QTEST_MAIN(TestSetaccio)
#include "tst_setaccio.moc"
