#include "SpriteStrokes.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace fauna {

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

QPointF polar(double angle, double radius) { return {radius * std::cos(angle), radius * std::sin(angle)}; }

QColor shade(const QColor &c, double factor)
{
    return QColor(std::clamp(int(c.red() * factor), 0, 255), std::clamp(int(c.green() * factor), 0, 255),
                  std::clamp(int(c.blue() * factor), 0, 255));
}

QPen pen(const QColor &c, double width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void strokeLine(QPainter &p, QPointF a, QPointF b, const QColor &c, double width)
{
    p.setPen(pen(c, width));
    p.drawLine(a, b);
}

void strokePolyline(QPainter &p, const std::vector<QPointF> &points, const QColor &c, double width)
{
    p.setPen(pen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.data(), int(points.size()));
}

void fillEllipse(QPainter &p, QPointF centre, double rx, double ry, const QColor &c, double angleDeg)
{
    p.save();
    p.translate(centre);
    p.rotate(angleDeg);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(0, 0), rx, ry);
    p.restore();
}

std::vector<Frame> framesOf(const std::vector<QPointF> &points)
{
    std::vector<Frame> frames(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const QPointF a = points[i == 0 ? 0 : i - 1];
        const QPointF b = points[std::min(i + 1, points.size() - 1)];
        QPointF t = b - a;
        const double length = std::hypot(t.x(), t.y());
        t = length > 0 ? t / length : QPointF(1, 0);
        frames[i] = {points[i], t, QPointF(-t.y(), t.x())};
    }
    return frames;
}

std::vector<QPointF> sampleCurve(const std::function<QPointF(double)> &curve, int samples)
{
    std::vector<QPointF> points;
    points.reserve(samples + 1);
    for (int i = 0; i <= samples; ++i)
        points.push_back(curve(double(i) / samples));
    return points;
}

QPainterPath ribbon(const std::vector<Frame> &frames, const std::function<double(double)> &halfWidth)
{
    const size_t n = frames.size();
    const auto at = [&](size_t i) { return double(i) / double(n - 1); };
    QPainterPath path;
    for (size_t i = 0; i < n; ++i) {
        const QPointF q = frames[i].point + frames[i].normal * halfWidth(at(i));
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    const Frame &last = frames.back();
    const double endWidth = halfWidth(1.0);
    path.quadTo(last.point + last.tangent * endWidth * 1.4 + last.normal * endWidth,
                last.point + last.tangent * endWidth * 1.2);
    path.quadTo(last.point + last.tangent * endWidth * 1.4 - last.normal * endWidth,
                last.point - last.normal * endWidth);
    for (size_t i = n; i-- > 0;)
        path.lineTo(frames[i].point - frames[i].normal * halfWidth(at(i)));
    const Frame &first = frames.front();
    const double startWidth = halfWidth(0.0);
    path.quadTo(first.point - first.tangent * startWidth * 1.4 - first.normal * startWidth,
                first.point - first.tangent * startWidth * 1.2);
    path.quadTo(first.point - first.tangent * startWidth * 1.4 + first.normal * startWidth,
                first.point + first.normal * startWidth);
    path.closeSubpath();
    return path;
}

void taperedStroke(QPainter &p, const std::vector<QPointF> &points, const QColor &c, double baseWidth,
                   double tipWidth)
{
    const size_t n = points.size();
    for (size_t i = 1; i < n; ++i) {
        const double t = double(i) / double(n - 1);
        strokeLine(p, points[i - 1], points[i], c, baseWidth + (tipWidth - baseWidth) * t);
    }
}

void outlinedStroke(QPainter &p, const std::vector<QPointF> &points, const QColor &fill, const QColor &rim,
                    double width)
{
    strokePolyline(p, points, rim, width + 1.1);
    strokePolyline(p, points, fill, width);
}

QPainterPath scaledAbout(const QPainterPath &path, QPointF origin, double scale)
{
    QTransform t;
    t.translate(origin.x(), origin.y());
    t.scale(scale, scale);
    t.translate(-origin.x(), -origin.y());
    return t.map(path);
}

} // namespace fauna
