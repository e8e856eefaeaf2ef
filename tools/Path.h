#pragma once

#include "FieldMath.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <utility>
#include <vector>

namespace seagen {

// A polyline with the distance to it and where along it the nearest point is.
class Path {
public:
    explicit Path(std::vector<QPointF> points) : points_(std::move(points))
    {
        bounds_ = QPolygonF(QList<QPointF>(points_.begin(), points_.end())).boundingRect();
        cumulative_.push_back(0.0f);
        for (size_t i = 1; i < points_.size(); ++i)
            cumulative_.push_back(cumulative_.back() + static_cast<float>(QLineF(points_[i - 1], points_[i]).length()));
    }

    struct Nearest {
        float distance;
        float along; // 0 at the first point, 1 at the last
    };

    Nearest nearest(float x, float y) const
    {
        float best = 1e30f;
        float bestAlong = 0.0f;
        for (size_t i = 1; i < points_.size(); ++i) {
            const float ax = static_cast<float>(points_[i - 1].x());
            const float ay = static_cast<float>(points_[i - 1].y());
            const float bx = static_cast<float>(points_[i].x()) - ax;
            const float by = static_cast<float>(points_[i].y()) - ay;
            const float px = x - ax;
            const float py = y - ay;
            const float len2 = bx * bx + by * by;
            const float t = len2 > 0.0f ? std::clamp((px * bx + py * by) / len2, 0.0f, 1.0f) : 0.0f;
            const float ex = px - t * bx;
            const float ey = py - t * by;
            const float d2 = ex * ex + ey * ey;
            if (d2 < best) {
                best = d2;
                bestAlong = cumulative_[i - 1] + t * (cumulative_[i] - cumulative_[i - 1]);
            }
        }
        return {std::sqrt(best), cumulative_.back() > 0.0f ? bestAlong / cumulative_.back() : 0.0f};
    }

    // Whether a point may lie within `margin` of the path: a cheap test that
    // spares the full search where a field has faded to nothing.
    bool maybeWithin(float x, float y, float margin) const
    {
        return x >= bounds_.left() - margin && x <= bounds_.right() + margin && y >= bounds_.top() - margin
               && y <= bounds_.bottom() + margin;
    }

private:
    std::vector<QPointF> points_;
    QRectF bounds_;
    std::vector<float> cumulative_;
};

} // namespace seagen
