#include "evaluation/VbArithmetic.h"

#include "platform/VBError.h"

#include <QString>
#include <cmath>
#include <limits>

namespace vbmath {

namespace {

[[noreturn]] void overflow() { vb::Raise(vb::errOverflow, QStringLiteral("Overflow")); }

template <typename T> T checked(T r)
{
    if (!std::isfinite(r)) overflow();
    return r;
}

template <typename T> T divide(T a, T b)
{
    if (b == T(0)) {
        if (a == T(0)) overflow();
        vb::Raise(vb::errDivisionByZero, QStringLiteral("Division by zero"));
    }
    return checked(a / b);
}

} // namespace

float add(float a, float b) { return checked(a + b); }
float sub(float a, float b) { return checked(a - b); }
float mul(float a, float b) { return checked(a * b); }
float div(float a, float b) { return divide(a, b); }

double add(double a, double b) { return checked(a + b); }
double sub(double a, double b) { return checked(a - b); }
double mul(double a, double b) { return checked(a * b); }
double div(double a, double b) { return divide(a, b); }

double sq(double x) { return checked(x * x); }

double ln(double x)
{
    if (!(x > 0)) vb::Raise(5, QStringLiteral("Invalid procedure call or argument"));
    return std::log(x);
}

float sng(double x)
{
    if (!std::isfinite(x) || std::fabs(x) > std::numeric_limits<float>::max()) overflow();
    return static_cast<float>(x);
}

QString describe(long number, const QString& own, bool english)
{
    switch (number) {
    case 5: return english ? QStringLiteral("Invalid procedure call or argument") : QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument");
    case 6: return english ? QStringLiteral("Overflow") : QStringLiteral("Überlauf");
    case 11: return english ? QStringLiteral("Division by zero") : QStringLiteral("Division durch Null");
    default: return own;
    }
}

} // namespace vbmath
