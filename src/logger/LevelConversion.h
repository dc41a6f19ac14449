#pragma once
// From a logger's level value to h', the distance of the water level below
// the top of the standpipe in millimetres. A logger either measures the depth
// to the water (h' grows as the water falls) or the water column above its
// sensor (h' = sensor depth below the pipe top minus the column). Pressures
// count as a column of fresh water at 4 °C.
#include <QString>
#include <QStringList>
#include <optional>

namespace logger {

enum class Unit { m, cm, mm, ft, in, mH2O, cmH2O, mmH2O, bar, mbar, hPa, kPa, psi };
enum class Meaning { DepthToWater, WaterColumn };

// Millimetres of water per unit.
double millimetresPer(Unit u);
QString unitName(Unit u);
// The names field files write: "m", "ft" or "feet", "m H2O", "mH2O" or "mWS",
// "cmH2O", "bar", "hPa", ...; any case, blanks between number and water ignored.
std::optional<Unit> unitFromName(const QString& name);
// The names of every unit in the order of the enumeration.
QStringList unitNames();

struct Conversion {
    Meaning meaning = Meaning::WaterColumn;
    Unit unit = Unit::m;
    double sensorDepth = 0; // mm below the pipe top, for a water column
    double offset = 0;      // mm added to a depth to water

    double hPrime(double value) const
    {
        const double mm = value * millimetresPer(unit);
        return meaning == Meaning::DepthToWater ? mm + offset : sensorDepth - mm;
    }
};

} // namespace logger
