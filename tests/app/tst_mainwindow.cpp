#include "DialogAnswerer.h"
#include "Icons.h"
#include "SurfaceView.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void countLabelRule_data();
    void countLabelRule();
    void startUpState();
    void geometryFollowsTwips();
    void mapShowsTheBaseImagePixelForPixel();
    void resetEmptiesTheSurveyAndReloads();
    void resetKeepsIdFlagAndCaption();
    void missingImageStopsWithAMessage_data();
    void missingImageStopsWithAMessage();
    void resetWithAFileGoneStopsTheProgram();
    void exitClosesTheWindow();
    void iconAndDeletionCursor();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> state_;
    std::unique_ptr<VelmaraMain> window_;
    QStringList fatal_;

    VelmaraMain &makeWindow()
    {
        window_ = std::make_unique<VelmaraMain>(*state_, dir_->path());
        window_->setFatalReporter([this](const QString &m) { fatal_ << m; });
        return *window_;
    }
};

void TestMainWindow::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(testdata::writeMapSet(dir_->path()));
    state_ = std::make_unique<Velmara>();
    state_->SplashFatto = true; // the splash screen has tests of its own
    fatal_.clear();
}

void TestMainWindow::cleanup()
{
    window_.reset();
    state_.reset();
    dir_.reset();
}

void TestMainWindow::countLabelRule_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0 << "0 stazioni";
    QTest::newRow("one") << 1 << "1 stazione";
    QTest::newRow("two") << 2 << "2 stazioni";
    QTest::newRow("hundred") << 100 << "100 stazioni";
}

void TestMainWindow::countLabelRule()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(stationCountText(count), text);
}

void TestMainWindow::startUpState()
{
    state_->Stazioni[5][1] = 42;
    state_->Conteggi[7][3] = 9;
    VelmaraMain &w = makeWindow();
    QVERIFY(w.Form_Load());
    QVERIFY(w.isVisible());
    for (int n = 1; n <= Velmara::kMaxStazioni; ++n) {
        for (int c = 1; c <= 3; ++c)
            QCOMPARE(state_->Stazioni[n][c], 0);
        for (int sp = 1; sp <= 12; ++sp)
            QCOMPARE(state_->Conteggi[n][sp], 0);
    }
    QCOMPARE(w.map().NumStazioni, 0);
    QCOMPARE(w.nstazioni->text(), QStringLiteral("0 stazioni"));
    QCOMPARE(w.RottaDa->text(), QStringLiteral("n.d."));
    QCOMPARE(w.RottaDist->text(), QStringLiteral("n.d."));
    QCOMPARE(w.RottaAng->text(), QStringLiteral("n.d."));
    QCOMPARE(w.MappaX->text(), QStringLiteral("x ="));
    QCOMPARE(w.MappaY->text(), QStringLiteral("y ="));
    QCOMPARE(w.MappaZ->text(), QStringLiteral("z ="));
    QCOMPARE(w.ToggleID->text(), QStringLiteral("Mostra ID"));
    QVERIFY(!w.ToggleID->isEnabled());
    QVERIFY(!w.MostraDati->isEnabled());
    QVERIFY(!w.Salva->isEnabled());
    for (QPushButton *b : {w.Help, w.MostraTaxa, w.CopiaBMP, w.Resetta, w.Esci})
        QVERIFY(b->isEnabled());
    QCOMPARE(w.Frame1->title(), QStringLiteral("Cursore"));
    QCOMPARE(w.Frame2->title(), QStringLiteral("Rotta"));
    QVERIFY(w.windowTitle().startsWith(
        QStringLiteral("Fondalis - Simulatore di campionamento di macrozoobenthos di fondo mobile (")));
    QVERIFY(w.windowTitle().endsWith(QLatin1Char(')')));
    QCOMPARE(w.mappaView()->cursor().shape(), Qt::CrossCursor);
    QVERIFY(fatal_.isEmpty());
}

void TestMainWindow::geometryFollowsTwips()
{
    VelmaraMain &w = makeWindow();
    QVERIFY(w.Form_Load());
    QCOMPARE(w.size(), QSize(618, 531));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.mappaView()->geometry(), QRect(8, 8, 516, 516));
    QCOMPARE(w.Frame1->geometry(), QRect(536, 5, 73, 67));
    QCOMPARE(w.Frame2->geometry(), QRect(536, 79, 73, 67));
    QCOMPARE(w.Frame3->geometry(), QRect(536, 152, 73, 34));
    QCOMPARE(w.MappaX->geometry(), QRect(11, 16, 53, 17));
    QCOMPARE(w.RottaAng->geometry(), QRect(11, 48, 57, 17));
    const QList<QPair<QPushButton *, int>> buttons{{w.Help, 200},       {w.MostraTaxa, 240}, {w.CopiaBMP, 280},
                                                  {w.ToggleID, 320},   {w.MostraDati, 360}, {w.Salva, 400},
                                                  {w.Resetta, 456},    {w.Esci, 496}};
    for (const auto &[b, top] : buttons)
        QCOMPARE(b->geometry(), QRect(536, top, 73, 25));
    QCOMPARE(w.Help->text(), QStringLiteral("?"));
    QCOMPARE(w.CopiaBMP->text(), QStringLiteral("Copia mappa"));
    QCOMPARE(w.Salva->text(), QStringLiteral("Salva dati"));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));

    // Every caption, the widest that each control can show, fits whole.
    const auto fits = [](QWidget *control, const QString &text, int room) {
        const int width = QFontMetrics(control->font()).horizontalAdvance(text);
        if (width <= room)
            return true;
        qWarning("\"%s\" is %d pixels wide, %d fit", qPrintable(text), width, room);
        return false;
    };
    const auto buttonRoom = [](QPushButton *b) {
        QStyleOptionButton option;
        option.initFrom(b);
        return b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width();
    };
    for (const auto &[b, top] : buttons)
        QVERIFY(fits(b, b->text(), buttonRoom(b)));
    QVERIFY(fits(w.ToggleID, QStringLiteral("Nascondi ID"), buttonRoom(w.ToggleID)));
    const QList<QPair<QLabel *, QString>> widest{
        {w.MappaX, QStringLiteral("x = 5110 m")},    {w.MappaY, QStringLiteral("y = 5110 m")},
        {w.MappaZ, QStringLiteral("prof = 179 m")},  {w.MappaZ, QStringLiteral("prof = -75 m")},
        {w.RottaDa, QStringLiteral("Da staz. 100")}, {w.RottaDist, QStringLiteral("d = 7226 m")},
        {w.RottaAng, QStringLiteral("per  359.9°")}, {w.nstazioni, QStringLiteral("100 stazioni")}};
    for (const auto &[l, text] : widest)
        QVERIFY(fits(l, text, l->contentsRect().width()));
}

void TestMainWindow::mapShowsTheBaseImagePixelForPixel()
{
    VelmaraMain &w = makeWindow();
    QVERIFY(w.Form_Load());
    const QImage base(QDir(dir_->path()).filePath(QStringLiteral("base.bmp")));
    QCOMPARE(w.map().Mappa.Image(), base.convertToFormat(QImage::Format_RGB32));
    const QImage shown = w.mappaView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.copy(2, 2, 512, 512), base.convertToFormat(QImage::Format_RGB32));
    // The hidden pictures hold their images too.
    QCOMPARE(w.map().Bati.Point(10, 10), 0);
    QCOMPARE(w.map().Bati.Point(70, 10), 100 + 70 / 4);
    QCOMPARE(w.map().Specie[2].Point(300, 300) & 0xFF, 255 - 9);
}

void TestMainWindow::resetEmptiesTheSurveyAndReloads()
{
    VelmaraMain &w = makeWindow();
    QVERIFY(w.Form_Load());
    // Stand-ins for a survey in progress.
    w.map().NumStazioni = 3;
    state_->Stazioni[1][1] = 200;
    state_->Conteggi[2][5] = 17;
    w.map().Mappa.Box(100, 100, 104, 104, 255);
    w.MostraDati->setEnabled(true);
    w.Salva->setEnabled(true);
    w.ToggleID->setEnabled(true);
    w.RottaDa->setText(QStringLiteral("Da staz. 3"));
    state_->SplashFatto = false;

    // A changed image on disk is what the reset shows.
    const QImage changed = testdata::image(512, 512, [](int x, int) { return qRgb(x / 2, 90, 140); });
    QVERIFY(changed.save(QDir(dir_->path()).filePath(QStringLiteral("base.bmp")), "BMP"));
    w.Resetta_Click();

    QVERIFY(state_->SplashFatto);
    QCOMPARE(w.map().NumStazioni, 0);
    QCOMPARE(state_->Stazioni[1][1], 0);
    QCOMPARE(state_->Conteggi[2][5], 0);
    QCOMPARE(w.map().Mappa.Image(), changed);
    QCOMPARE(w.nstazioni->text(), QStringLiteral("0 stazioni"));
    QCOMPARE(w.RottaDa->text(), QStringLiteral("n.d."));
    QVERIFY(!w.MostraDati->isEnabled());
    QVERIFY(!w.Salva->isEnabled());
    QVERIFY(!w.ToggleID->isEnabled());
    QVERIFY(w.isVisible());
}

void TestMainWindow::resetKeepsIdFlagAndCaption()
{
    VelmaraMain &w = makeWindow();
    QVERIFY(w.Form_Load());
    state_->IDVisibili = true;
    w.map().ProfCursore = 31;
    w.Resetta_Click();
    QVERIFY(state_->IDVisibili);
    QCOMPARE(w.ToggleID->text(), QStringLiteral("Nascondi ID"));
    QCOMPARE(w.map().ProfCursore, 31);
}

void TestMainWindow::missingImageStopsWithAMessage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("bathymetry missing") << "bati.bmp" << "missing";
    QTest::newRow("map missing") << "base.bmp" << "missing";
    QTest::newRow("last species missing") << "s12.bmp" << "missing";
    QTest::newRow("species not a picture") << "s3.bmp" << "garbage";
    QTest::newRow("map of the wrong size") << "base.bmp" << "small";
}

void TestMainWindow::missingImageStopsWithAMessage()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    const QString path = QDir(dir_->path()).filePath(file);
    QVERIFY(QFile::remove(path));
    if (reason == QLatin1String("garbage")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("garbage");
    } else if (reason == QLatin1String("small")) {
        QVERIFY(testdata::image(256, 256, testdata::defaultBase).save(path, "BMP"));
    }
    VelmaraMain &w = makeWindow();
    QVERIFY(!w.Form_Load());
    QVERIFY(!w.isVisible());
    QCOMPARE(fatal_.size(), 1);
    QVERIFY2(fatal_[0].contains(file), qPrintable(fatal_[0]));
    QVERIFY(fatal_[0].contains(QDir::toNativeSeparators(dir_->path())));
}

void TestMainWindow::resetWithAFileGoneStopsTheProgram()
{
    VelmaraMain &w = makeWindow();
    QVERIFY(w.Form_Load());
    QVERIFY(QFile::remove(QDir(dir_->path()).filePath(QStringLiteral("s7.bmp"))));
    QTest::mouseClick(w.Resetta, Qt::LeftButton);
    QCOMPARE(fatal_.size(), 1);
    QVERIFY(fatal_[0].contains(QStringLiteral("s7.bmp")));
    QVERIFY(!w.isVisible());
    QVERIFY(w.stoppedOnLoadFailure());
}

void TestMainWindow::exitClosesTheWindow()
{
    VelmaraMain &w = makeWindow();
    QVERIFY(w.Form_Load());
    QTest::mouseClick(w.Esci, Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

void TestMainWindow::iconAndDeletionCursor()
{
    const QImage icon = icons::fondalisIconImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    // A ring: opaque near the edge on the axes, the centre crossed, corners clear.
    QVERIFY(qAlpha(icon.pixel(16, 3)) > 128);
    QVERIFY(qAlpha(icon.pixel(3, 16)) > 128);
    QVERIFY(qAlpha(icon.pixel(16, 16)) > 128);
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QVERIFY(qAlpha(icon.pixel(16, 10)) < 64); // between the arms of the cross

    const QImage cursor = icons::deletionCursorImage();
    QCOMPARE(cursor.size(), QSize(32, 32));
    int black = 0;
    QRect extent;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(cursor.pixel(x, y)) > 0) {
                ++black;
                QCOMPARE(qRgb(qRed(cursor.pixel(x, y)), qGreen(cursor.pixel(x, y)), qBlue(cursor.pixel(x, y))), qRgb(0, 0, 0));
                extent |= QRect(x, y, 1, 1);
            }
    QCOMPARE(extent.size(), QSize(12, 12));
    QCOMPARE(extent.center(), QRect(0, 0, 32, 32).center());
    QCOMPARE(black, 24);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
