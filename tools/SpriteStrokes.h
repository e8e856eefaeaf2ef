#pragma once

#include "SplitMix64.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>

#include <functional>
#include <numbers>
#include <vector>

// The pen-and-brush vocabulary the organisms are drawn with.
namespace fauna {

constexpr double kPi = std::numbers::pi;

// Each organism and pose gets its own stream, so editing one drawing never
// reshuffles the others.
using Rng = SplitMix64;

double smoothstep(double edge0, double edge1, double x);
QPointF polar(double angle, double radius);
QColor shade(const QColor &c, double factor);
QPen pen(const QColor &c, double width);
void strokeLine(QPainter &p, QPointF a, QPointF b, const QColor &c, double width);
void strokePolyline(QPainter &p, const std::vector<QPointF> &points, const QColor &c, double width);
void fillEllipse(QPainter &p, QPointF centre, double rx, double ry, const QColor &c, double angleDeg = 0.0);

// A point along a curve with its direction; the normal is the tangent turned
// a quarter to the left in screen coordinates (downwards for a rightward run).
struct Frame {
    QPointF point;
    QPointF tangent;
    QPointF normal;
};

std::vector<Frame> framesOf(const std::vector<QPointF> &points);
std::vector<QPointF> sampleCurve(const std::function<QPointF(double)> &curve, int samples);
// Closed outline of a body of varying width around a centre line, with
// rounded ends; halfWidth takes the fraction of the length (0 = first point).
QPainterPath ribbon(const std::vector<Frame> &frames, const std::function<double(double)> &halfWidth);
// A tapering stroke built from short pieces; good for arms, legs and
// antennae that thin out towards their tips.
void taperedStroke(QPainter &p, const std::vector<QPointF> &points, const QColor &c, double baseWidth,
                   double tipWidth);
// A limb with a dark rim, so thin legs stay legible on a pale tray.
void outlinedStroke(QPainter &p, const std::vector<QPointF> &points, const QColor &fill, const QColor &rim,
                    double width);
QPainterPath scaledAbout(const QPainterPath &path, QPointF origin, double scale);

} // namespace fauna
