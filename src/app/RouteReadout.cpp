#include "RouteReadout.h"

#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

QString text(const std::string &s) { return QString::fromStdString(s); }

const QChar kDegree(0x00B0);

} // namespace

float RouteReadout::bearing(float dx, float dy, float d)
{
    if (dy == 0.0f)
        return dx <= 0.0f ? 270.0f : 90.0f;
    if (dx == 0.0f)
        return dy <= 0.0f ? 180.0f : 0.0f;

    // The arctangent of sqrt(1 - t^2) / t is the arctangent of |dx| / dy;
    // the squares and the arctangent run in double precision, t and a stay
    // single, so that the rounded tenths come out as users have seen them.
    const float t = dy / d;
    const double cosine = std::sqrt(std::max(0.0, 1.0 - static_cast<double>(t) * t));
    float a = static_cast<float>(std::atan(cosine / t) * 180.0 / 3.1415926535898);
    if (dy > 0.0f && dx < 0.0f)
        a = 360.0f - a;
    else if (dy < 0.0f && dx > 0.0f)
        a = 360.0f - (180.0f - a);
    else if (dy < 0.0f && dx < 0.0f)
        a = 180.0f - a;
    return a;
}

RouteReadout RouteReadout::at(float X, float Y, ColourValue batiColour, std::optional<RouteReference> reference)
{
    RouteReadout r;
    const float x1 = metres::x(X);
    const float y1 = metres::y(Y);
    r.x = QStringLiteral("x =") + text(numtext::str(x1)) + QStringLiteral(" m");
    r.y = QStringLiteral("y =") + text(numtext::str(y1)) + QStringLiteral(" m");

    // Outside the picture there is nothing to read: the depth a station
    // would take must never come from off the map.
    const std::optional<int> depth = batiColour == -1 ? std::nullopt : mapcolour::ProfonditaDaColore(batiColour);
    if (depth) {
        r.profCursore = static_cast<std::int16_t>(*depth);
        r.prof = QStringLiteral("prof = ") + text(numtext::trimmed(*depth)) + QStringLiteral(" m");
    } else {
        r.prof = QStringLiteral("prof = n.d.");
    }

    if (!reference)
        return r;
    const float dx = x1 - static_cast<float>(metres::x(reference->column));
    const float dy = y1 - static_cast<float>(metres::y(reference->row));
    const float d = static_cast<float>(std::sqrt(static_cast<double>(dy) * dy + static_cast<double>(dx) * dx));
    if (d <= 0.0f)
        return r;
    const float a = bearing(dx, dy, d);

    // Whole metres and tenths of a degree, halves up.
    const double metresShown = std::floor(static_cast<double>(d) + 0.5);
    const double degreesShown = std::floor(static_cast<double>(a * 10.0f) + 0.5) / 10.0;
    r.route = Route{
        QStringLiteral("Da staz.") + text(numtext::str(reference->number)),
        QStringLiteral("d =") + text(numtext::strDouble(metresShown)) + QStringLiteral(" m"),
        QStringLiteral("per ") + text(numtext::strDouble(degreesShown)) + kDegree,
    };
    return r;
}
