#pragma once
// Floating-point arithmetic as the VB runtime does it: Single and Double
// operations that raise a run-time error where VB raises one, instead of the
// silent inf and NaN of IEEE arithmetic. So a result that reaches the database
// is always a finite number.
//
//   x / 0 with x <> 0  -> 11 "Division by zero"
//   0 / 0              -> 6  "Overflow"
//   a result beyond the type's range (also on assigning a Double to a Single)
//                      -> 6  "Overflow"
//   Log(x) with x <= 0 -> 5  "Invalid procedure call or argument"
//
// The float overloads compute in single precision (one rounding per
// operation, as VB's Single), the double overloads in double precision.

#include <QString>

namespace vbmath {

// The text of one of the run-time errors above in the session's language;
// other errors keep their own text.
QString describe(long number, const QString& own, bool english);

float add(float a, float b);
float sub(float a, float b);
float mul(float a, float b);
float div(float a, float b);

double add(double a, double b);
double sub(double a, double b);
double mul(double a, double b);
double div(double a, double b);

// x ^ 2: VB's power operator always works in Double.
double sq(double x);
// VB's Log: the natural logarithm.
double ln(double x);
// CSng: a Double assigned to a Single.
float sng(double x);

} // namespace vbmath
