#include "DialogAnswerer.h"
#include "PictureSurface.h"
#include "Setaccio.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SurfaceView.h"
#include "Taxa.h"
#include "TaxaGallery.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestTaxa : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void origins_data();
    void origins();
    void layoutOfTheWindow();
    void picturesComeFromTheFirstRowWithoutKeyOrRings();
    void labelsBesideThePictures();
    void otherRowsDoNotMatter();
    void secondOpeningLeavesTheSamePicture();
    void chiudiClosesAndAFreshOneOpens();
    void unusableSheet();
    void galleryLeavesTheSieveAlone();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> state_;
    std::unique_ptr<VelmaraMain> main_;

    VelmaraMain &mainWindow()
    {
        main_ = std::make_unique<VelmaraMain>(*state_, dir_->path());
        if (!main_->Form_Load())
            qFatal("main window did not load");
        return *main_;
    }
    Taxa *openGallery()
    {
        QTest::mouseClick(main_->MostraTaxa, Qt::LeftButton);
        return qobject_cast<Taxa *>(main_->taxaWindow());
    }
    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static bool insidePicture(int x, int y)
    {
        for (int i = 1; i <= 12; ++i) {
            const QPoint o = taxagallery::origineSpecie(i);
            if (x >= o.x() + 1 && x <= o.x() + 46 && y >= o.y() + 1 && y <= o.y() + 46)
                return true;
        }
        return false;
    }
};

void TestTaxa::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(testdata::writeMapSet(dir_->path()));
    QVERIFY(testdata::writeFaunaSet(dir_->path()));
    state_ = std::make_unique<Velmara>();
    state_->SplashFatto = true;
}

void TestTaxa::cleanup()
{
    main_.reset();
    deleteClosedWindows();
    state_.reset();
    dir_.reset();
}

void TestTaxa::origins_data()
{
    QTest::addColumn<int>("species");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QString>("label");
    QTest::newRow("1") << 1 << QPoint(10, 10) << "Specie 1";
    QTest::newRow("2") << 2 << QPoint(10, 70) << "Specie 2";
    QTest::newRow("6") << 6 << QPoint(10, 310) << "Specie 6";
    QTest::newRow("7") << 7 << QPoint(170, 10) << "Specie 7";
    QTest::newRow("10") << 10 << QPoint(170, 190) << "Specie 10";
    QTest::newRow("12") << 12 << QPoint(170, 310) << "Specie 12";
}

void TestTaxa::origins()
{
    QFETCH(int, species);
    QFETCH(QPoint, origin);
    QFETCH(QString, label);
    QCOMPARE(taxagallery::origineSpecie(species), origin);
    QCOMPARE(taxagallery::etichetta(species), label);
}

void TestTaxa::layoutOfTheWindow()
{
    mainWindow();
    Taxa *t = openGallery();
    QVERIFY(t);
    QVERIFY(t->isVisible());
    QVERIFY(t->parentWidget() == nullptr);
    QCOMPARE(t->windowTitle(), QStringLiteral("Specie presenti nell'area"));
    QCOMPARE(t->size(), QSize(331, 422));
    QCOMPARE(t->FiguraView->geometry(), QRect(8, 8, 313, 369));
    QCOMPARE(t->FiguraSp.size(), QSize(313, 369));
    QCOMPARE(t->ChiudiTaxa->text(), QStringLiteral("Chiudi"));
    QCOMPARE(t->ChiudiTaxa->geometry(), QRect(128, 389, 73, 25));
    QCOMPARE(t->LarghezzaPx, 313);
    QCOMPARE(t->AltezzaPx, 369);
    const QImage shown = t->FiguraView->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, t->FiguraSp.Image());
}

void TestTaxa::picturesComeFromTheFirstRowWithoutKeyOrRings()
{
    mainWindow();
    Taxa *t = openGallery();
    QVERIFY(t);
    const QImage sheet = testdata::image(600, 200, testdata::defaultFauna);
    const QImage &gallery = t->FiguraSp.Image();
    const QRgb white = qRgb(255, 255, 255);
    for (int i = 1; i <= 12; ++i) {
        const QPoint o = taxagallery::origineSpecie(i);
        for (int oy = 2; oy <= 47; ++oy) {
            for (int ox = 2; ox <= 47; ++ox) {
                const QRgb cell = sheet.pixel((i - 1) * 50 + ox, oy);
                QCOMPARE(gallery.pixel(o.x() - 1 + ox, o.y() - 1 + oy), cell == testdata::faunaKey() ? white : cell);
            }
        }
    }
    int keyOrRing = 0;
    QRect pictures;
    for (int y = 0; y < gallery.height(); ++y) {
        for (int x = 0; x < gallery.width(); ++x) {
            const QRgb pixel = gallery.pixel(x, y);
            keyOrRing += pixel == testdata::faunaKey() || pixel == testdata::faunaRing() ? 1 : 0;
            if (insidePicture(x, y) && pixel != white)
                pictures |= QRect(x, y, 1, 1);
        }
    }
    QCOMPARE(keyOrRing, 0);
    QCOMPARE(pictures.bottom(), 356); // the lowest pictures end at y = 356
    QCOMPARE(pictures.left(), 11);
    QCOMPARE(pictures.top(), 11);
}

void TestTaxa::labelsBesideThePictures()
{
    mainWindow();
    Taxa *t = openGallery();
    QVERIFY(t);
    const QImage &gallery = t->FiguraSp.Image();
    const QRgb white = qRgb(255, 255, 255);
    for (int i = 1; i <= 12; ++i) {
        const QPoint o = taxagallery::origineSpecie(i);
        // The ink right of the picture, in the band of this species.
        QRect ink;
        for (int y = o.y(); y < o.y() + 60 && y < gallery.height(); ++y)
            for (int x = o.x() + 47; x < std::min(gallery.width(), o.x() + 160); ++x)
                if (gallery.pixel(x, y) != white)
                    ink |= QRect(x, y, 1, 1);
        QVERIFY2(!ink.isEmpty(), qPrintable(QString::number(i)));
        const int width = static_cast<int>(t->FiguraSp.TextWidth(taxagallery::etichetta(i)));
        const int height = static_cast<int>(t->FiguraSp.TextHeight(taxagallery::etichetta(i)));
        QVERIFY2(ink.left() >= o.x() + 60 && ink.left() <= o.x() + 62, qPrintable(QString::number(ink.left())));
        QVERIFY(ink.right() < o.x() + 60 + width);
        QVERIFY2(ink.top() >= o.y() + 15 && ink.top() <= o.y() + 15 + height / 2, qPrintable(QString::number(ink.top())));
        QVERIFY(ink.bottom() < o.y() + 15 + height);
        // Species 10 to 12 have the longer labels.
        if (i >= 10)
            QVERIFY(width > static_cast<int>(t->FiguraSp.TextWidth(taxagallery::etichetta(9))));
    }
    // Nothing else is drawn: white outside the pictures and label boxes.
    int strays = 0;
    for (int y = 0; y < gallery.height(); ++y) {
        for (int x = 0; x < gallery.width(); ++x) {
            if (insidePicture(x, y) || gallery.pixel(x, y) == white)
                continue;
            bool inLabel = false;
            for (int i = 1; i <= 12; ++i) {
                const QPoint o = taxagallery::origineSpecie(i);
                inLabel = inLabel
                          || QRect(o.x() + 60, o.y() + 15, int(t->FiguraSp.TextWidth(taxagallery::etichetta(i))) + 1,
                                   int(t->FiguraSp.TextHeight(QString())) + 1)
                                 .contains(x, y);
            }
            strays += inLabel ? 0 : 1;
        }
    }
    QCOMPARE(strays, 0);
}

void TestTaxa::otherRowsDoNotMatter()
{
    mainWindow();
    const QImage first = openGallery()->FiguraSp.Image();
    QTest::mouseClick(qobject_cast<Taxa *>(main_->taxaWindow())->ChiudiTaxa, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(main_->taxaWindow() == nullptr);
    QVERIFY(testdata::image(600, 200, [](int x, int y) {
                return y >= 50 ? qRgb((x * 7) % 256, (y * 3) % 256, 77) : testdata::defaultFauna(x, y);
            }).save(QDir(dir_->path()).filePath(QStringLiteral("fauna.dib")), "BMP"));
    QCOMPARE(openGallery()->FiguraSp.Image(), first);
}

void TestTaxa::secondOpeningLeavesTheSamePicture()
{
    mainWindow();
    Taxa *t = openGallery();
    QVERIFY(t);
    const QImage first = t->FiguraSp.Image();
    t->lower();
    QCOMPARE(openGallery(), t);
    QCOMPARE(t->FiguraSp.Image(), first);
    QVERIFY(t->isVisible());
}

void TestTaxa::chiudiClosesAndAFreshOneOpens()
{
    mainWindow();
    QPointer<Taxa> t = openGallery();
    QVERIFY(t);
    QTest::mouseClick(t->ChiudiTaxa, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(t.isNull());
    QVERIFY(main_->taxaWindow() == nullptr);
    QPointer<Taxa> again = openGallery();
    QVERIFY(again);
    QVERIFY(again->isVisible());
    main_->Esci_Click();
    deleteClosedWindows();
    QVERIFY(again.isNull());
}

void TestTaxa::unusableSheet()
{
    mainWindow();
    const QString path = QDir(dir_->path()).filePath(QStringLiteral("fauna.dib"));
    QVERIFY(testdata::image(300, 100, testdata::defaultFauna).save(path, "BMP"));
    {
        DialogAnswerer answerer;
        answerer.expect(DialogAnswerer::pressOk());
        QVERIFY(openGallery() == nullptr);
        QVERIFY(answerer.allAnswered());
        QVERIFY(answerer.unexpected().isEmpty());
        QVERIFY2(answerer.seenTexts().value(0).contains(QStringLiteral("\"fauna.dib\"")),
                 qPrintable(answerer.seenTexts().value(0)));
        QCOMPARE(answerer.seenTitles().value(0), QStringLiteral("Fondalis"));
    }
    // An open gallery stays as it is when the sheet goes bad meanwhile.
    QVERIFY(testdata::writeFaunaSet(dir_->path()));
    Taxa *t = openGallery();
    QVERIFY(t);
    const QImage picture = t->FiguraSp.Image();
    QVERIFY(QFile::remove(path));
    {
        DialogAnswerer answerer;
        answerer.expect(DialogAnswerer::pressOk());
        QCOMPARE(openGallery(), t);
        QVERIFY(answerer.allAnswered());
        QVERIFY(answerer.seenTexts().value(0).contains(QStringLiteral("\"fauna.dib\"")));
    }
    QVERIFY(t->isVisible());
    QCOMPARE(t->FiguraSp.Image(), picture);
    QVERIFY(main_->isVisible());
}

void TestTaxa::galleryLeavesTheSieveAlone()
{
    VelmaraMain &m = mainWindow();
    state_->StazSel = 1;
    for (int sp = 1; sp <= 12; ++sp)
        state_->Conteggi[1][sp] = 30;
    m.MostraSetaccio();
    auto *sieve = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(sieve);
    QVERIFY(openGallery());
    QCOMPARE(state_->LarghezzaPx, std::int16_t(529));
    QCOMPARE(state_->AltezzaPx, std::int16_t(530));
    // A redraw after the gallery opened still covers the whole sieve.
    QTest::mouseClick(sieve->Option1[2], Qt::LeftButton);
    PictureSurface expected(QSize(529, 530));
    expected.Scale(0, 530, 529, 0);
    sievedrawing::CaricaSetaccio(expected, sievefiles::caricaSfondo(dir_->path(), 2).image,
                                 sievefiles::caricaFauna(dir_->path()).image, *state_);
    QCOMPARE(sieve->SetaccioPic.Image(), expected.Image());
    QCOMPARE(sieve->SetaccioPic.Image().pixel(520, 3), qRgb(64, 64, 64)); // the mesh reaches the top right
}

QTEST_MAIN(TestTaxa)
#include "tst_taxa.moc"
