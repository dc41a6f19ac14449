#pragma once
// Linear interpolation between two points, shared by the drawing toolkit
// (clipping) and the evaluation.
#include <optional>

namespace gfx {

// y at x on the line through (x1, y1) and (x2, y2): y2 - (y2 - y1)(x2 - x)/(x2 - x1).
// When x2 equals x1 it says "Division durch Null!" (title "LININT") and gives 0.
float LININT(float x1, float x2, float x, float y1, float y2);

// The same without a message: nullopt when x2 equals x1 (for use while drawing).
std::optional<double> interpolate(double x1, double x2, double x, double y1, double y2);

// Direction angle of the vector from point 1 to point 2 in radians, in [0, 2 pi);
// 0 for a zero vector.
float RICHTUNGSWINKEL(float x1, float y1, float x2, float y2);

} // namespace gfx
