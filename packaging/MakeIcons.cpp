// Draws an application icon once for every size the menus ask for: the
// program's, the black ring with a diagonal cross of the window icon, or
// the studio's, drawn by the studio's own function. Each size has its own
// line widths on whole pixels: a big picture scaled down would blur the thin
// lines into grey at 16 and 32 pixels.
#include "StudioIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace {

struct IconSize {
    int size;
    int margin; // transparent pixels around the ring
    int ring;   // ring width
    int cross;  // cross width
    int inset;  // pixels from the ring's inner edge to the cross's ends
};

constexpr IconSize kSizes[] = {
    {16, 0, 0, 0, 0}, {32, 1, 2, 2, 3}, {48, 2, 3, 3, 5}, {64, 2, 4, 4, 6}, {128, 4, 8, 7, 12}, {256, 8, 14, 13, 24},
};

// At small sizes a 45-degree line is a clean staircase only when drawn pixel
// by pixel; smoothing would turn every step grey.
void stairCross(QImage &image, int from, int to, int width)
{
    const int n = image.width();
    for (int i = from; i <= to; ++i) {
        for (int j = 0; j < width; ++j) {
            const int y = i - width / 2 + j;
            if (y < from || y > to)
                continue;
            image.setPixel(i, y, qRgba(0, 0, 0, 255));
            image.setPixel(n - 1 - i, y, qRgba(0, 0, 0, 255));
        }
    }
}

// At 16 pixels even a smoothed ring turns into grey dots: drawn by hand.
constexpr const char *kPixels16[16] = {
    ".....######.....", "...##......##...", "..#..........#..", ".#............#.",
    ".#..#......#..#.", "#....#....#....#", "#.....#..#.....#", "#......##......#",
    "#......##......#", "#.....#..#.....#", "#....#....#....#", ".#..#......#..#.",
    ".#............#.", "..#..........#..", "...##......##...", ".....######.....",
};

QImage drawIcon16()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (kPixels16[y][x] == '#')
                image.setPixel(x, y, qRgba(0, 0, 0, 255));
    return image;
}

QImage drawIcon(const IconSize &s)
{
    if (s.size == 16)
        return drawIcon16();
    QImage image(s.size, s.size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The ring as the area between two circles on whole pixels, so that its
    // left, right, top and bottom edges are sharp.
    const double outer = s.size / 2.0 - s.margin;
    const double inner = outer - s.ring;
    const QPointF centre(s.size / 2.0, s.size / 2.0);
    QPainterPath ring;
    ring.addEllipse(centre, outer, outer);
    ring.addEllipse(centre, inner, inner);
    painter.fillPath(ring, Qt::black);

    // The cross's ends stay clear of the ring.
    const int half = static_cast<int>(std::floor(inner / std::sqrt(2.0))) - s.inset / 2;
    const int from = s.size / 2 - half, to = s.size / 2 - 1 + half;
    if (s.size == 32) {
        painter.end();
        stairCross(image, from, to, s.cross);
        return image;
    }
    painter.setPen(QPen(Qt::black, s.cross, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(from, from), QPointF(to + 1, to + 1));
    painter.drawLine(QPointF(to + 1, from), QPointF(from, to + 1));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool studio = argc == 4 && QByteArray(argv[3]) == "studio";
    if (argc != 3 && !studio) {
        std::fprintf(stderr, "usage: fondalis-icons FOLDER NAME [studio]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    for (const IconSize &s : kSizes) {
        const QString path = folder.filePath(QStringLiteral("%1-%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(s.size));
        const QImage icon = studio ? studioicon::image(s.size) : drawIcon(s);
        if (!icon.save(path, "PNG")) {
            std::fprintf(stderr, "fondalis-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
