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
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

class TestTaxa : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void picturesAndLabelsInTwoColumns();
    void unusableSheetThenReopening();
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

void TestTaxa::picturesAndLabelsInTwoColumns()
{
    // The rows of the other orientations hold noise: none of it may show.
    testdata::FaunaSet set;
    set.fauna = [](int x, int y) {
        return y >= 50 ? qRgb((x * 7) % 256, (y * 3) % 256, 77) : testdata::defaultFauna(x, y);
    };
    QVERIFY(testdata::writeFaunaSet(dir_->path(), set));
    mainWindow();
    Taxa *t = openGallery();
    QVERIFY(t);
    const QImage &gallery = t->FiguraSp.Image();
    const QRgb white = qRgb(255, 255, 255);
    QList<QRect> drawn;
    for (int i = 1; i <= 12; ++i) {
        // Two columns of six from (A, B): cell offset (ox, oy) of the first
        // row of the sheet at (A - 1 + ox, B - 1 + oy), the key left white.
        const QPoint o(i <= 6 ? 10 : 170, 10 + 60 * ((i - 1) % 6));
        for (int oy = 2; oy <= 47; ++oy) {
            for (int ox = 2; ox <= 47; ++ox) {
                const QRgb cell = testdata::defaultFauna((i - 1) * 50 + ox, oy);
                QCOMPARE(gallery.pixel(o.x() - 1 + ox, o.y() - 1 + oy), cell == testdata::faunaKey() ? white : cell);
            }
        }
        // The label, right of the picture, from (A + 60, B + 15).
        const QString label = QStringLiteral("Specie %1").arg(i);
        QCOMPARE(taxagallery::etichetta(i), label);
        drawn << QRect(o + QPoint(1, 1), QSize(46, 46))
              << QRect(o.x() + 60, o.y() + 15, int(t->FiguraSp.TextWidth(label)) + 1,
                       int(t->FiguraSp.TextHeight(label)) + 1);
    }
    // Nothing, not even the rings of the cells, outside pictures and labels.
    for (int y = 0; y < gallery.height(); ++y) {
        for (int x = 0; x < gallery.width(); ++x) {
            const auto at = [x, y](const QRect &r) { return r.contains(x, y); };
            if (gallery.pixel(x, y) != white && std::none_of(drawn.begin(), drawn.end(), at))
                QFAIL(qPrintable(QStringLiteral("a stray pixel at %1,%2").arg(x).arg(y)));
        }
    }
}

// The reopening guards the drawing afresh: printed over the last drawing,
// the smoothed edges of the labels would grow darker with every opening.
void TestTaxa::unusableSheetThenReopening()
{
    mainWindow();
    const QString path = QDir(dir_->path()).filePath(QStringLiteral("fauna.dib"));
    QVERIFY(testdata::image(300, 100, testdata::defaultFauna).save(path, "BMP"));
    DialogAnswerer answerer;
    answerer.expect(DialogAnswerer::pressOk());
    QVERIFY(openGallery() == nullptr);
    QVERIFY(answerer.allAnswered() && answerer.unexpected().isEmpty());
    QVERIFY(answerer.seenTexts().value(0).contains(QStringLiteral("\"fauna.dib\"")));

    QVERIFY(testdata::writeFaunaSet(dir_->path()));
    QPointer<Taxa> t = openGallery();
    QVERIFY(t && t->isVisible());
    QCOMPARE(t->windowTitle() + '|' + t->ChiudiTaxa->text(), QStringLiteral("Specie presenti nell'area|Chiudi"));
    QCOMPARE(t->FiguraView->grab().toImage().convertToFormat(QImage::Format_RGB32), t->FiguraSp.Image());
    // Opened again without closing, it shows the same picture.
    const QImage first = t->FiguraSp.Image();
    QCOMPARE(openGallery(), t.data());
    QVERIFY(t->isVisible() && t->FiguraSp.Image() == first);

    // "Chiudi" closes it, the next click opens a fresh one, the exit closes it.
    QTest::mouseClick(t->ChiudiTaxa, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(t.isNull() && !main_->taxaWindow());
    QPointer<Taxa> again = openGallery();
    QVERIFY(again && again->isVisible());
    main_->Esci_Click();
    deleteClosedWindows();
    QVERIFY(again.isNull());
}

// Guards the gallery's own picture size: shared with the sieve, opening the
// gallery shrank the mesh of an open sieve at its next redraw.
void TestTaxa::galleryLeavesTheSieveAlone()
{
    VelmaraMain &m = mainWindow();
    state_->StazSel = 1;
    for (int sp = 1; sp <= 12; ++sp)
        state_->Conteggi[1][sp] = 30;
    m.MostraSetaccio();
    auto *sieve = qobject_cast<Setaccio *>(m.setaccioWindow());
    QVERIFY(sieve && openGallery());
    QCOMPARE(QSize(state_->LarghezzaPx, state_->AltezzaPx), QSize(529, 530));
    // A redraw after the gallery opened still covers the whole sieve.
    QTest::mouseClick(sieve->Option1[2], Qt::LeftButton);
    PictureSurface expected(QSize(529, 530));
    expected.Scale(0, 530, 529, 0);
    sievedrawing::CaricaSetaccio(expected, sievefiles::caricaSfondo(dir_->path(), 2).image,
                                 sievefiles::caricaFauna(dir_->path()).image, *state_);
    QCOMPARE(sieve->SetaccioPic.Image(), expected.Image());
}

QTEST_MAIN(TestTaxa)
#include "tst_taxa.moc"
