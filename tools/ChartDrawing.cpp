#include "SeaModel.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>

#include <iterator>
#include <vector>

namespace seagen {

QRgb mixRgb(QRgb a, QRgb b, float t)
{
    return qRgb(roundInt(mix(qRed(a), qRed(b), t)), roundInt(mix(qGreen(a), qGreen(b), t)),
                roundInt(mix(qBlue(a), qBlue(b), t)));
}

QRgb shadeRgb(QRgb c, float f)
{
    return qRgb(std::clamp(static_cast<int>(qRed(c) * f), 0, 255), std::clamp(static_cast<int>(qGreen(c) * f), 0, 255),
                std::clamp(static_cast<int>(qBlue(c) * f), 0, 255));
}

// Chart convention: the shallows are the bluest, deep water nearly white.
QRgb seaTint(float depth)
{
    struct Stop {
        float depth;
        QRgb colour;
    };
    static const Stop stops[] = {
        {0.0f, qRgb(148, 194, 230)},   {10.0f, qRgb(168, 207, 237)},  {20.0f, qRgb(187, 219, 242)},
        {50.0f, qRgb(211, 232, 248)},  {100.0f, qRgb(229, 241, 251)}, {180.0f, qRgb(243, 248, 254)},
    };
    for (size_t k = 1; k < std::size(stops); ++k) {
        if (depth <= stops[k].depth)
            return mixRgb(stops[k - 1].colour, stops[k].colour, clamp01((depth - stops[k - 1].depth) / (stops[k].depth - stops[k - 1].depth)));
    }
    return stops[std::size(stops) - 1].colour;
}

// Marching squares over pixel centres, as separate segments.
void contourSegments(const std::vector<float> &field, float level, QVector<QLineF> &out)
{
    auto point = [](float x0, float y0, float x1, float y1, float v0, float v1, float lvl) {
        const float t = (lvl - v0) / (v1 - v0);
        return QPointF(x0 + t * (x1 - x0) + 0.5f, y0 + t * (y1 - y0) + 0.5f);
    };
    for (int y = 0; y + 1 < kN; ++y) {
        for (int x = 0; x + 1 < kN; ++x) {
            const float a = field[at(x, y)], b = field[at(x + 1, y)];
            const float c = field[at(x + 1, y + 1)], d = field[at(x, y + 1)];
            const int code = (a > level ? 1 : 0) | (b > level ? 2 : 0) | (c > level ? 4 : 0) | (d > level ? 8 : 0);
            if (code == 0 || code == 15)
                continue;
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            const QPointF top = point(fx, fy, fx + 1, fy, a, b, level);
            const QPointF right = point(fx + 1, fy, fx + 1, fy + 1, b, c, level);
            const QPointF bottom = point(fx, fy + 1, fx + 1, fy + 1, d, c, level);
            const QPointF left = point(fx, fy, fx, fy + 1, a, d, level);
            switch (code) {
            case 1: case 14: out.append(QLineF(left, top)); break;
            case 2: case 13: out.append(QLineF(top, right)); break;
            case 3: case 12: out.append(QLineF(left, right)); break;
            case 4: case 11: out.append(QLineF(right, bottom)); break;
            case 6: case 9: out.append(QLineF(top, bottom)); break;
            case 7: case 8: out.append(QLineF(left, bottom)); break;
            case 5: case 10: {
                const bool centreHigh = (a + b + c + d) * 0.25f > level;
                if ((code == 5) == centreHigh) {
                    out.append(QLineF(left, bottom));
                    out.append(QLineF(top, right));
                } else {
                    out.append(QLineF(left, top));
                    out.append(QLineF(right, bottom));
                }
                break;
            }
            default: break;
            }
        }
    }
}

QImage drawChart(const Model &m)
{
    QImage image(kN, kN, QImage::Format_RGB32);
    const QRgb buff = qRgb(236, 225, 188), green = qRgb(207, 216, 176), sand = qRgb(247, 238, 204);
    const QRgb rock = qRgb(206, 196, 176), riverBlue = qRgb(122, 172, 214), house = qRgb(168, 150, 132);

    // Light from the north-west, as on a relief map.
    const float lx = -0.6f, ly = -0.6f, lz = 0.53f;
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            QRgb c;
            switch (m.kind[i]) {
            case Kind::Sea:
                c = seaTint(m.depth[i]);
                break;
            case Kind::Shore:
                c = mixRgb(sand, rock, m.rocky[i]);
                break;
            case Kind::River:
                c = riverBlue;
                break;
            case Kind::Land:
            default: {
                const float hx = m.landHeight[at(std::min(x + 1, kN - 1), y)] - m.landHeight[at(std::max(x - 1, 0), y)];
                const float hy = m.landHeight[at(x, std::min(y + 1, kN - 1))] - m.landHeight[at(x, std::max(y - 1, 0))];
                const float nx = -hx / 20.0f, ny = -hy / 20.0f;
                const float shade = (nx * lx + ny * ly + lz) / std::sqrt(nx * nx + ny * ny + 1.0f);
                c = shadeRgb(mixRgb(buff, green, m.vegetation[i]), 0.9f + 0.2f * shade);
                c = mixRgb(c, riverBlue, m.riverCover[i]);
                break;
            }
            }
            line[x] = c;
        }
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.setPen(QPen(QColor(184, 170, 146), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF(QList<QPointF>(m.road.begin(), m.road.end())));
    for (const QRectF &r : m.houses)
        painter.fillRect(r, QColor(house));

    // Isobaths every 10 m, a stronger line every 50 m.
    std::vector<float> contourField = m.depth;
    for (int i = 0; i < kPixels; ++i) {
        if (m.kind[i] != Kind::Sea)
            contourField[i] = 0.0f;
    }
    for (int level = 10; level < 180; level += 10) {
        QVector<QLineF> segments;
        contourSegments(contourField, static_cast<float>(level), segments);
        const bool major = level % 50 == 0;
        painter.setPen(QPen(major ? QColor(88, 124, 168) : QColor(124, 156, 192), major ? 1.0 : 0.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLines(segments);
    }

    // Coastline along the edge of the water.
    std::vector<float> wet(kPixels);
    for (int i = 0; i < kPixels; ++i)
        wet[i] = m.kind[i] == Kind::Sea ? 1.0f : 0.0f;
    {
        std::vector<float> soft(kPixels);
        for (int y = 0; y < kN; ++y) {
            for (int x = 0; x < kN; ++x) {
                float sum = 0.0f;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += wet[at(std::clamp(x + dx, 0, kN - 1), std::clamp(y + dy, 0, kN - 1))] * ((dx == 0 ? 2 : 1) * (dy == 0 ? 2 : 1));
                soft[at(x, y)] = sum / 16.0f;
            }
        }
        QVector<QLineF> edge, coast;
        contourSegments(soft, 0.5f, edge);
        // The river opens onto the sea: no shoreline across its mouth.
        for (const QLineF &segment : edge) {
            const QPointF mid = segment.center();
            bool river = false;
            for (int dy = -1; dy <= 1 && !river; ++dy) {
                for (int dx = -1; dx <= 1 && !river; ++dx) {
                    const int x = std::clamp(static_cast<int>(mid.x()) + dx, 0, kN - 1);
                    const int y = std::clamp(static_cast<int>(mid.y()) + dy, 0, kN - 1);
                    river = m.kind[at(x, y)] == Kind::River;
                }
            }
            if (!river)
                coast.append(segment);
        }
        painter.setPen(QPen(QColor(92, 86, 74), 0.9, Qt::SolidLine, Qt::RoundCap));
        painter.drawLines(coast);
    }

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    painter.setFont(font);
    const QColor figures(52, 82, 122);

    // Depth figures where the isobaths cross two lines of sight from the shore.
    auto label = [&](QPointF centre, const QString &text) {
        const QRectF box(centre.x() - 12, centre.y() - 6, 24, 12);
        const QRectF tight = painter.boundingRect(box, Qt::AlignCenter, text).adjusted(-1, 0, 1, 0);
        painter.fillRect(tight, QColor(seaTint(m.depth[at(std::clamp(static_cast<int>(centre.x()), 0, kN - 1),
                                                             std::clamp(static_cast<int>(centre.y()), 0, kN - 1))])));
        painter.setPen(figures);
        painter.drawText(box, Qt::AlignCenter, text);
    };
    for (int column : {28, 486}) {
        int lastRow = -100;
        for (int y = 1; y < kN - 30; ++y) {
            const float d0 = contourField[at(column, y - 1)], d1 = contourField[at(column, y)];
            for (int level : {10, 20, 30, 50, 70, 100, 120, 150}) {
                if (d0 < level && d1 >= level && m.kind[at(column, y - 1)] == Kind::Sea && y - lastRow > 16
                    && (column > 200 || y < 450)) {
                    label(QPointF(column, y), QString::number(level));
                    lastRow = y;
                }
            }
        }
    }

    // A few soundings, in italics as on the charts.
    QFont italic = font;
    italic.setItalic(true);
    italic.setPixelSize(8);
    painter.setFont(italic);
    for (int gy = 0; gy < 8; ++gy) {
        for (int gx = 0; gx < 8; ++gx) {
            const int x = 44 + gx * 60 + ((gy % 2) ? 30 : 0);
            const int y = 40 + gy * 62;
            if (x >= kN - 20 || y >= kN - 10)
                continue;
            const int i = at(x, y);
            if (m.kind[i] != Kind::Sea || m.seaDistance[i] < 14.0f)
                continue;
            if (x < 150 && y > 455)
                continue; // the scale bar's corner
            painter.setPen(figures);
            painter.drawText(QRectF(x - 12, y - 6, 24, 12), Qt::AlignCenter, QString::number(m.fields.depth[i]));
        }
    }

    // Scale bar, 1 km = 100 pixels.
    painter.setFont(font);
    const QRectF panel(8, 466, 128, 36);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 190));
    painter.drawRoundedRect(panel, 3, 3);
    const qreal bx = 20, by = 488;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawRect(QRectF(bx, by, 50, 4));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(bx + 50, by, 50, 4));
    painter.drawLine(QPointF(bx, by - 3), QPointF(bx, by));
    painter.drawLine(QPointF(bx + 50, by - 3), QPointF(bx + 50, by));
    painter.drawLine(QPointF(bx + 100, by - 3), QPointF(bx + 100, by));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawText(QRectF(bx - 20, by - 16, 40, 12), Qt::AlignCenter, QStringLiteral("0"));
    painter.drawText(QRectF(bx + 30, by - 16, 40, 12), Qt::AlignCenter, QStringLiteral("500 m"));
    painter.drawText(QRectF(bx + 80, by - 16, 40, 12), Qt::AlignCenter, QStringLiteral("1 km"));

    // The light on the point: a black dot and the magenta flare of the charts.
    {
        // On solid ground a little back from the tip.
        QPoint spot = m.fields.headlandTip;
        for (int back = 0; back < 14 && spot.y() > 0; ++back) {
            if (m.kind[at(spot.x(), spot.y())] == Kind::Land && back >= 4)
                break;
            spot.ry() -= 1;
        }
        const QPointF light(spot.x() + 0.5, spot.y() + 0.5);
        painter.save();
        painter.translate(light);
        painter.rotate(-35.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(196, 64, 160, 210));
        QPolygonF flare;
        flare << QPointF(0, 0) << QPointF(-2.6, -7) << QPointF(0, -10) << QPointF(2.6, -7);
        painter.drawPolygon(flare);
        painter.restore();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 30, 30));
        painter.drawEllipse(light, 1.6, 1.6);
    }

    // North arrow.
    const qreal ax = 488, ay = 20;
    QFont bold = font;
    bold.setPixelSize(12);
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(QRectF(ax - 10, ay - 14, 20, 14), Qt::AlignCenter, QStringLiteral("N"));
    const QPointF tip(ax, ay + 2), leftFoot(ax - 7, ay + 30), notch(ax, ay + 24), rightFoot(ax + 7, ay + 30);
    painter.setPen(QPen(QColor(40, 40, 40), 1.0));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawPolygon(QPolygonF({tip, leftFoot, notch}));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({tip, notch, rightFoot}));
    painter.end();

    // The program reads every pure red pixel of the chart as a station mark.
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFF0000)
                line[x] = qRgb(254, 0, 0);
        }
    }
    return image;
}

} // namespace seagen
