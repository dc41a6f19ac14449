#pragma once
// From a logger's level value to h', the distance of the water level below
// the top of the standpipe in millimetres. A logger either measures the depth
// to the water (h' grows as the water falls) or the water column above its
// sensor (h' = sensor depth below the pipe top minus the column). Pressures
// count as a column of fresh water.
#include <QString>
#include <QStringList>
#include <optional>

namespace logger {

enum class Unit { m, cm, mm, ft, kPa, psi, mbar };
enum class Meaning { DepthToWater, WaterColumn };

// Millimetres of water per unit.
double millimetresPer(Unit u);
QString unitName(Unit u);
// "m", "cm", "mm", "ft" (also "feet"), "kPa", "psi", "mbar"; any case.
std::optional<Unit> unitFromName(const QString& name);
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
