#include "graphics/Interpolation.h"

#include "platform/MsgBox.h"

#include <cmath>

namespace gfx {

std::optional<double> interpolate(double x1, double x2, double x, double y1, double y2)
{
    if (x2 == x1) return std::nullopt;
    return y2 - (y2 - y1) * (x2 - x) / (x2 - x1);
}

float LININT(float x1, float x2, float x, float y1, float y2)
{
    const auto y = interpolate(x1, x2, x, y1, y2);
    if (!y) {
        vb::MsgBox(QStringLiteral("Division durch Null!"), vb::vbOKOnly, QStringLiteral("LININT"));
        return 0;
    }
    return static_cast<float>(*y);
}

float RICHTUNGSWINKEL(float x1, float y1, float x2, float y2)
{
    constexpr double pi = 3.14159265358979323846;
    const double dx = static_cast<double>(x2) - x1;
    const double dy = static_cast<double>(y2) - y1;
    if (dx == 0) {
        if (dy > 0) return static_cast<float>(pi / 2);
        if (dy < 0) return 4.712389f;
        return 0;
    }
    double a = std::atan(dy / dx);
    if (dx < 0) a += pi;
    else if (dy < 0) a += 2 * pi;
    return static_cast<float>(a);
}

} // namespace gfx
