// How fast the program's hot paths are, on its real code paths and the
// generated area. On a shared machine an absolute time says little from one
// run to the next, so where a path has a natural reference (a plain memcpy,
// the per-pixel way, bare image decoding) the reference is measured in the
// same run and the target is a ratio to it. Prints, per case, the median,
// minimum and maximum after a warm-up, the reference and the ratio, and the
// target; exits non-zero when a target is missed or a check fails.
//
// Usage: fondalis-bench [data folder]
//
// Adding a case: write a function `void caseName(Bench &b)` (Bench.h) that
// prepares its data, times the work with `b.time(...)` and reports it, then
// add it to kCases in main(); cases of another program go in a file of their
// own, as AnalisiCases.cpp. A case with an absolute target is a few lines:
//
//     void caseAnalisiCommand(Bench &b)
//     {
//         const Timing t = b.time([&] { /* the work */ });
//         b.absolute("9 analisi: one command", t, 100e-3); // seconds
//     }
//
// The table is sorted by the number leading each name, the case's own.
#include "AnalisiCases.h"
#include "Bench.h"
#include "ColourConversion.h"
#include "MemoryTuning.h"
#include "PictureSurface.h"
#include "SampleContent.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SieveRandom.h"
#include "SpriteSheet.h"
#include "StudioCases.h"
#include "SurfaceView.h"
#include "SurveyMap.h"
#include "TableText.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// The richest sample: 63 of every species at station `station`.
void fullSample(Velmara &v, int station)
{
    v.StazSel = static_cast<std::int16_t>(station);
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        v.Conteggi[station][sp] = 63;
}

// The map point of the mouse at (x, y), as the view reports it.
void mouseDown(VelmaraMain &w, int button, float x, float y) { emit w.mappaView()->mouseDown(button, 0, x, y); }
void mouseUp(VelmaraMain &w, int button, float x, float y) { emit w.mappaView()->mouseUp(button, 0, x, y); }
void mouseMove(VelmaraMain &w, int button, float x, float y) { emit w.mappaView()->mouseMove(button, 0, x, y); }

// 100 stations on a grid over the open sea, placed by clicks.
void placeHundredStations(VelmaraMain &w)
{
    SurveyMap &map = w.map();
    for (int y = 8; y < SurveyMap::kSide - 8 && map.NumStazioni < Velmara::kMaxStazioni; y += 12)
        for (int x = 8; x < SurveyMap::kSide - 8 && map.NumStazioni < Velmara::kMaxStazioni; x += 12) {
            mouseMove(w, 0, float(x), float(y));
            mouseDown(w, 1, float(x), float(y));
            mouseUp(w, 1, float(x), float(y));
        }
    QApplication::processEvents();
}

// --- 1: the sieve redraw against its floor and against the per-pixel way ---

// The described program's way: every cell pixel read with Point from the
// sheet's surface and set with PSet on the sieve, the mesh pixel by pixel.
void drawPerPixel(PictureSurface &sieve, const PictureSurface &faunaPic, const QImage &background, const Velmara &v,
                  QImage *meshed = nullptr)
{
    sievedrawing::stendiSfondo(sieve, background);
    for (int x = 0; x <= v.LarghezzaPx; x += v.PassoMaglia)
        for (int y = 0; y <= v.AltezzaPx; ++y)
            sieve.PSet(float(x), float(y), v.ColoreMaglia);
    for (int y = 0; y <= v.AltezzaPx; y += v.PassoMaglia)
        for (int x = 0; x <= v.LarghezzaPx; ++x)
            sieve.PSet(float(x), float(y), v.ColoreMaglia);
    if (meshed)
        *meshed = sieve.Image().copy();
    const int w = v.LarghezzaSprite;
    const int h = v.AltezzaSprite;
    int k = 0;
    for (int sp = 1; sp <= v.NSpecie; ++sp)
        for (int j = 1; j <= v.Conteggi[v.StazSel][sp]; ++j) {
            ++k;
            const float x = v.ContX[k];
            const float y = v.ContY[k];
            const int rot = v.ContRot[k];
            for (int ox = 2; ox <= w - 3; ++ox)
                for (int oy = 2; oy <= h - 3; ++oy) {
                    const ColourValue c = faunaPic.Point(float((sp - 1) * w + ox), float(rot * h + oy));
                    if (c != v.ColoreTrasp)
                        sieve.PSet(x - 1 + float(ox), y - 1 + float(oy), c);
                }
        }
}

// The pixel rectangles the organisms' inner cells cover.
std::vector<QRect> spriteBoxes(const PictureSurface &sieve, const Velmara &v)
{
    std::vector<QRect> boxes;
    const int n = samplecontent::numeroOrganismi(v);
    for (int k = 1; k <= n; ++k) {
        const QPoint a = sieve.toPixel(v.ContX[k] + 1, v.ContY[k] + 1);
        const QPoint b = sieve.toPixel(v.ContX[k] + float(v.LarghezzaSprite - 4), v.ContY[k] + float(v.AltezzaSprite - 4));
        const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
        boxes.push_back(box.intersected(sieve.Image().rect()));
    }
    return boxes;
}

// The floor: the background with its mesh and each organism's rows copied
// into the image with memcpy, from a finished picture.
void copyFloor(QImage &target, const QImage &meshed, const QImage &finished, const std::vector<QRect> &boxes)
{
    uchar *bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    std::memcpy(bits, meshed.constBits(), static_cast<std::size_t>(meshed.sizeInBytes()));
    const uchar *from = finished.constBits();
    for (const QRect &box : boxes)
        for (int y = box.top(); y <= box.bottom(); ++y)
            std::memcpy(bits + y * stride + box.left() * 4, from + y * stride + box.left() * 4,
                        static_cast<std::size_t>(box.width()) * 4);
}

void caseSieveRedraw(Bench &b)
{
    const std::string name = "1 sieve redraw, 756 organisms";
    const sievefiles::Picture fauna = sievefiles::caricaFauna(b.folder());
    const sievefiles::Picture sand = sievefiles::caricaSfondo(b.folder(), 0);
    if (!fauna.ok() || !sand.ok())
        return b.failed(name, fauna.message + sand.message);

    Velmara v;
    fullSample(v, 1);
    samplecontent::impostaParametri(v);
    v.LarghezzaPx = 529;
    v.AltezzaPx = 530;
    SieveRandom random(12345);
    samplecontent::CaricaContenuto(v, random);

    PictureSurface faunaPic;
    faunaPic.setPicture(fauna.image, true);
    v.ColoreTrasp = faunaPic.Point(2, 2);
    PictureSurface sieve(QSize(v.LarghezzaPx, v.AltezzaPx));
    sieve.Scale(0, v.AltezzaPx, v.LarghezzaPx, 0);

    const SpriteSheet sprites(fauna.image, v);
    const auto redraw = [&] { sievedrawing::CaricaSetaccio(sieve, sand.image, sprites, v); };
    redraw();
    const QImage drawn = sieve.Image().copy();

    PictureSurface slow(QSize(v.LarghezzaPx, v.AltezzaPx));
    slow.Scale(0, v.AltezzaPx, v.LarghezzaPx, 0);
    QImage meshed;
    drawPerPixel(slow, faunaPic, sand.image, v, &meshed);
    const QImage perPixel = slow.Image().copy();

    const std::vector<QRect> boxes = spriteBoxes(sieve, v);
    QImage floorImage(drawn.size(), QImage::Format_RGB32);
    copyFloor(floorImage, meshed, perPixel, boxes);

    if (drawn != perPixel)
        return b.failed(name, QStringLiteral("the drawing differs from the per-pixel way"));
    if (floorImage != drawn)
        return b.failed(name, QStringLiteral("the floor's picture differs from the drawing"));

    const std::vector<Timing> t =
        b.timeTogether({redraw, [&] { copyFloor(floorImage, meshed, perPixel, boxes); }}, {}, 1.5);
    const Timing slowest = b.time([&] { drawPerPixel(slow, faunaPic, sand.image, v); }, {}, 1.5);
    b.atMostTimes(name, t[0], "memcpy floor", t[1], 2.0);
    b.atLeastFaster(name, t[0], "per-pixel Point/PSet", slowest, 25.0);
}

// --- 2: a sieve window opened from the map ---

void caseSieveWindow(Bench &b)
{
    const std::string name = "2 sieve window opened, 756 organisms";
    VelmaraMain &w = b.main();
    fullSample(b.state(), 1);
    const auto closeIt = [&] {
        delete w.setaccioWindow();
        QApplication::processEvents();
    };
    w.MostraSetaccio();
    if (!w.setaccioWindow())
        return b.failed(name, QStringLiteral("no sieve window"));
    closeIt();
    const auto open = [&] {
        w.MostraSetaccio();
        QApplication::processEvents(); // the window's expose and paint come as events
    };
    b.absolute(name, b.time(open, closeIt, 1.5), 5e-3);
}

// --- 3: the map pictures at start and reset ---

void caseFormLoad(Bench &b)
{
    const std::string name = "3 Form_Load, 14 map pictures";
    VelmaraMain &w = b.main();
    if (!b.mainLoaded())
        return b.failed(name, QStringLiteral("the main window did not load"));
    QStringList files{QStringLiteral("bati.bmp"), QStringLiteral("base.bmp")};
    for (int i = 1; i <= Velmara::kNumSpecie; ++i)
        files << QStringLiteral("s%1.bmp").arg(i);
    const auto decode = [&] {
        for (const QString &f : files)
            if (QImage(QDir(b.folder()).filePath(f)).isNull())
                std::fprintf(stderr, "cannot decode %s\n", qPrintable(f));
    };
    b.state().IDVisibili = false;
    const std::vector<Timing> t =
        b.timeTogether({[&] { w.Form_Load(); }, decode}, [] { QApplication::processEvents(); }, 1.5);
    b.atMostTimes(name, t[0], "QImage decoding alone", t[1], 1.3);
}

// --- 4, 5, 7: the map with 100 stations ---

void caseStationNumbers(Bench &b)
{
    VelmaraMain &w = b.main();
    const Timing t = b.time(
        [&] {
            w.MostraID();
            w.MostraID();
        },
        [] { QApplication::processEvents(); });
    b.absolute("4 MostraID, show and hide, 100 stations", t, 0.5e-3);
}

void caseMouseMove(Bench &b)
{
    VelmaraMain &w = b.main();
    if (!b.state().IDVisibili)
        w.MostraID();
    int step = 0;
    const Timing t = b.time(
        [&] {
            // Along the rows of the map, as a hand moves the mouse.
            ++step;
            mouseMove(w, 0, float(20 + step % 470), float(30 + (step / 470) % 450));
        },
        {}, 0.3);
    b.absolute("5 Mappa_MouseMove, 100 stations", t, 5e-6);
    QApplication::processEvents();
}

void casePlacement(Bench &b)
{
    const std::string name = "7 delete and place a station";
    VelmaraMain &w = b.main();
    if (!b.state().IDVisibili)
        w.MostraID();
    const QPoint p = w.map().stationPositions()[49];
    const float x = float(p.x());
    const float y = float(p.y());
    const auto cycle = [&] {
        mouseDown(w, 2, x, y);
        mouseUp(w, 2, x, y);
        mouseDown(w, 1, x, y);
        mouseUp(w, 1, x, y);
    };
    cycle();
    if (w.map().NumStazioni != Velmara::kMaxStazioni)
        return b.failed(name, QStringLiteral("the station count changed"));
    b.absolute(name, b.time(cycle, [] { QApplication::processEvents(); }), 1e-3);
}

// --- 6: the data table's text ---

void caseTableText(Bench &b)
{
    VelmaraMain &w = b.main();
    const Timing t = b.time([&] { (void)tabletext::build(b.state(), w.map().NumStazioni); }, {}, 0.3);
    b.absolute("6 tabelladati text, 100 stations", t, 30e-6);
}

// --- 8: memory after start-up, one full sieve and the gallery ---

void caseMemory(Bench &b)
{
    VelmaraMain &w = b.main();
    fullSample(b.state(), 1);
    w.MostraSetaccio();
    w.MostraTaxa_Click();
    QApplication::processEvents();
    b.atMost("8 peak memory (VmHWM)", vmHwmMb(), 60, "MB");
    delete w.setaccioWindow();
    delete w.taxaWindow();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    memorytuning::keepFreedPictures(); // as the program starts
    QApplication app(argc, argv);
    Bench bench(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(FONDALIS_DATA_FOLDER));

    const auto start = std::chrono::steady_clock::now();
    bench.main();
    // Memory first, before the other cases leave anything behind; the
    // cases that reset the survey before those that need its stations.
    using Case = void (*)(Bench &);
    const Case kCases[] = {caseMemory, caseFormLoad, [](Bench &b) { placeHundredStations(b.main()); },
                           caseStationNumbers, caseMouseMove, caseTableText, casePlacement,
                           caseSieveWindow, caseSieveRedraw, caseAnalisiCommands, caseRapporto, caseClasse,
                           caseAssemblaggi, caseStudioRedraw, caseStudioOpen};
    for (Case c : kCases)
        c(bench);

    const bool allMet = bench.print();
    std::printf("whole run: %.1f s; peak memory at the end %.1f MB\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), vmHwmMb());
    return allMet ? 0 : 1;
}
