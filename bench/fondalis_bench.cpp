// Measures what a user waits for: loading the pictures at start and reset,
// the cursor readout on every mouse move, placing a station, showing the
// station numbers, the sieve of a full sample, the gallery and the table.
// Prints the median of repeated runs against each target and exits
// non-zero when a target is missed.
#include "ColourConversion.h"
#include "PictureSurface.h"
#include "SampleContent.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SieveRandom.h"
#include "SurveyMap.h"
#include "TableText.h"
#include "TaxaGallery.h"
#include "Velmara.h"

#include <QGuiApplication>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Result {
    const char *name;
    double medianMs;
    double targetMs;
};

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A survey of 100 stations on a grid over the open sea of the area.
void placeHundredStations(SurveyMap &map)
{
    for (int y = 8; y < SurveyMap::kSide - 8 && map.NumStazioni < 100; y += 12)
        for (int x = 8; x < SurveyMap::kSide - 8 && map.NumStazioni < 100; x += 12) {
            map.readCursor(float(x), float(y));
            map.leftClick(float(x), float(y));
        }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(FONDALIS_DATA_FOLDER);

    std::vector<Result> results;
    Velmara v;
    SurveyMap map(v);

    QString failure;
    results.push_back({"load the 14 map pictures", medianMs(15, [&] { failure = map.loadImages(folder); }), 150.0});
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(failure));
        return 2;
    }

    int move = 0;
    results.push_back({"cursor readout, one mouse move", medianMs(20001, [&] {
                           ++move;
                           map.readCursor(float(move % 512), float((move / 512) % 512));
                       }),
                       0.05});

    placeHundredStations(map);
    std::printf("stations placed: %d\n", map.NumStazioni);
    results.push_back({"station numbers shown and hidden (100)", medianMs(101, [&] {
                           map.MostraID();
                           map.MostraID();
                       }),
                       10.0});

    results.push_back({"left click on a station (hit test)", medianMs(2001, [&] {
                           const QPoint p = map.stationPositions()[50];
                           map.leftClick(float(p.x() + 1), float(p.y()));
                       }),
                       0.1});

    results.push_back(
        {"table text, 100 stations", medianMs(201, [&] { (void)tabletext::build(v, map.NumStazioni); }), 5.0});

    // The richest possible sample: 63 of every species.
    v.StazSel = 1;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        v.Conteggi[1][sp] = 63;
    samplecontent::impostaParametri(v);
    v.LarghezzaPx = 529;
    v.AltezzaPx = 530;
    SieveRandom random(12345);
    results.push_back({"sample content, 756 organisms",
                       medianMs(201, [&] { samplecontent::CaricaContenuto(v, random); }), 1.0});

    const sievefiles::Picture fauna = sievefiles::caricaFauna(folder);
    const sievefiles::Picture sand = sievefiles::caricaSfondo(folder, 0);
    if (!fauna.ok() || !sand.ok()) {
        std::fprintf(stderr, "%s%s\n", qPrintable(fauna.message), qPrintable(sand.message));
        return 2;
    }
    v.ColoreTrasp = colour::fromQRgb(fauna.image.pixel(2, 2));
    PictureSurface sieve(QSize(v.LarghezzaPx, v.AltezzaPx));
    sieve.Scale(0, v.AltezzaPx, v.LarghezzaPx, 0);
    results.push_back({"sieve redraw, 756 organisms", medianMs(101, [&] {
                           sievedrawing::CaricaSetaccio(sieve, sand.image, fauna.image, v);
                       }),
                       3.0});
    results.push_back({"background change: read the JPEG and redraw", medianMs(31, [&] {
                           const sievefiles::Picture background = sievefiles::caricaSfondo(folder, 3);
                           sievedrawing::CaricaSetaccio(sieve, background.image, fauna.image, v);
                       }),
                       15.0});

    PictureSurface gallery(QSize(313, 369));
    results.push_back({"taxa gallery", medianMs(101, [&] {
                           gallery.Cls();
                           taxagallery::disegnaTaxa(gallery, fauna.image, v.ColoreTrasp, 313, 369);
                       }),
                       10.0});

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double peakMb = usage.ru_maxrss / 1024.0;

    bool allMet = true;
    std::printf("%-46s %12s %12s\n", "what", "median ms", "target ms");
    for (const Result &r : results) {
        const bool met = r.medianMs <= r.targetMs;
        allMet = allMet && met;
        std::printf("%-46s %12.4f %12.4f  %s\n", r.name, r.medianMs, r.targetMs, met ? "ok" : "MISSED");
    }
    const bool memoryMet = peakMb <= 150.0;
    std::printf("%-46s %12.1f %12.1f  %s\n", "peak memory, MB", peakMb, 150.0, memoryMet ? "ok" : "MISSED");
    return allMet && memoryMet ? 0 : 1;
}
