#include "StationOverlay.h"

#include "ColourConversion.h"
#include "NumberText.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies the part of rect that lies on both pictures, row by row.
void copyRect(const PictureSurface &from, PictureSurface &to, const QRect &rect)
{
    const QRect r = rect.intersected(from.Image().rect()).intersected(to.Image().rect());
    if (r.isEmpty())
        return;
    const QImage &source = from.Image();
    QImage &target = to.pixels();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y)) + r.left();
        auto *out = reinterpret_cast<QRgb *>(target.scanLine(y)) + r.left();
        std::memcpy(out, in, sizeof(QRgb) * static_cast<size_t>(r.width()));
    }
    to.markChanged(r);
}

void fillRect(PictureSurface &surface, const QRect &rect, ColourValue c)
{
    const QRect r = rect.intersected(surface.Image().rect());
    const QRgb rgb = colour::toQRgb(c);
    QImage &image = surface.pixels();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(row + r.left(), row + r.right() + 1, rgb);
    }
    surface.markChanged(r);
}

QString labelText(int number) { return QString::number(number); }

} // namespace

StationOverlay::StationOverlay(PictureSurface &mappa, PictureSurface &buffer)
    : mappa_(mappa)
    , buffer_(buffer)
    , labelSaves_(mappa.size())
{
}

QRect StationOverlay::markerBlock(float X, float Y)
{
    return QRect(QPoint(rounding::halfEvenInt(X - 2.0f), rounding::halfEvenInt(Y - 2.0f)),
                 QPoint(rounding::halfEvenInt(X + 2.0f), rounding::halfEvenInt(Y + 2.0f)));
}

bool StationOverlay::touchesMarker(float X, float Y) const
{
    const QRect block = markerBlock(X, Y);
    for (int i = block.left(); i <= block.right(); ++i) {
        for (int j = block.top(); j <= block.bottom(); ++j) {
            if (mappa_.Point(i, j) == mapcolour::kPureRed)
                return true;
        }
    }
    return false;
}

void StationOverlay::drawMarker(float X, float Y)
{
    const QRect block = markerBlock(X, Y);
    copyRect(mappa_, buffer_, block);
    fillRect(mappa_, block, mapcolour::kPureRed);
}

void StationOverlay::eraseMarker(float X, float Y)
{
    const QRect block = markerBlock(X, Y);
    copyRect(buffer_, mappa_, block);
    fillRect(buffer_, block, mapcolour::kWhite);
}

QRect StationOverlay::labelRect(int number, int column, int row) const
{
    const QString s = labelText(number);
    const float height = mappa_.TextHeight(s);
    const int lx = column + 4;
    const float ly = static_cast<float>(row) - height / 2.0f;
    return QRect(QPoint(lx, rounding::halfEvenInt(ly)),
                 QPoint(rounding::halfEvenInt(static_cast<float>(lx) + mappa_.TextWidth(s)),
                        rounding::halfEvenInt(ly + height)));
}

void StationOverlay::showLabels(const std::vector<QPoint> &stations)
{
    savedLabels_.clear();
    // Every save is taken before any label is printed, so each one holds
    // the map without labels, however the labels overlap.
    for (size_t i = 0; i < stations.size(); ++i) {
        const QRect onMap = labelRect(static_cast<int>(i) + 1, stations[i].x(), stations[i].y())
                                .intersected(mappa_.Image().rect());
        copyRect(mappa_, labelSaves_, onMap);
        savedLabels_.push_back(onMap);
    }
    std::vector<PictureSurface::Caption> labels;
    labels.reserve(stations.size());
    for (size_t i = 0; i < stations.size(); ++i) {
        QString s = labelText(static_cast<int>(i) + 1);
        const float y = static_cast<float>(stations[i].y()) - mappa_.TextHeight(s) / 2.0f;
        labels.push_back({static_cast<float>(stations[i].x() + 4), y, std::move(s)});
    }
    mappa_.PrintAll(labels);
    // A label over another station's marker must not hide it from the hit
    // test; what lies under the marker was saved above as pure red anyway.
    for (const QPoint &p : stations)
        fillRect(mappa_, markerBlock(static_cast<float>(p.x()), static_cast<float>(p.y())), mapcolour::kPureRed);
}

void StationOverlay::hideLabels()
{
    for (auto it = savedLabels_.rbegin(); it != savedLabels_.rend(); ++it)
        copyRect(labelSaves_, mappa_, *it);
    savedLabels_.clear();
}
