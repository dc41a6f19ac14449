#include "logger/LevelConversion.h"

#include <array>

namespace logger {

namespace {

struct UnitInfo {
    Unit unit;
    const char* name;
    double mm;
};
// Pressures as fresh water at about 4 °C.
constexpr std::array<UnitInfo, 7> kUnits{{
    {Unit::m, "m", 1000.0},
    {Unit::cm, "cm", 10.0},
    {Unit::mm, "mm", 1.0},
    {Unit::ft, "ft", 304.8},
    {Unit::kPa, "kPa", 101.97},
    {Unit::psi, "psi", 703.07},
    {Unit::mbar, "mbar", 10.197},
}};

const UnitInfo& info(Unit u) { return kUnits[static_cast<size_t>(u)]; }

} // namespace

double millimetresPer(Unit u) { return info(u).mm; }
QString unitName(Unit u) { return QString::fromLatin1(info(u).name); }

std::optional<Unit> unitFromName(const QString& name)
{
    const QString n = name.trimmed();
    if (n.compare(QLatin1String("feet"), Qt::CaseInsensitive) == 0) return Unit::ft;
    for (const UnitInfo& i : kUnits)
        if (n.compare(QLatin1String(i.name), Qt::CaseInsensitive) == 0) return i.unit;
    return std::nullopt;
}

QStringList unitNames()
{
    QStringList names;
    for (const UnitInfo& i : kUnits) names << QString::fromLatin1(i.name);
    return names;
}

} // namespace logger
