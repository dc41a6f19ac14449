#include "logger/LevelConversion.h"

#include <array>

namespace logger {

namespace {

// Fresh water at 4 °C under standard gravity: pascals per metre of water.
constexpr double kPascalPerMetre = 999.972 * 9.80665;
constexpr double mmOf(double pascal) { return pascal / kPascalPerMetre * 1000.0; }

struct UnitInfo {
    Unit unit;
    const char* name;
    double mm;
    std::array<const char*, 2> aliases; // further spellings, lower case without blanks
};
constexpr std::array<UnitInfo, 13> kUnits{{
    {Unit::m, "m", 1000.0, {"meter", "metre"}},
    {Unit::cm, "cm", 10.0, {}},
    {Unit::mm, "mm", 1.0, {}},
    {Unit::ft, "ft", 304.8, {"feet", "foot"}},
    {Unit::in, "in", 25.4, {"inch", "inches"}},
    {Unit::mH2O, "m H2O", 1000.0, {"mws", "mwc"}},
    {Unit::cmH2O, "cm H2O", 10.0, {"cmws", "cmwc"}},
    {Unit::mmH2O, "mm H2O", 1.0, {"mmws", "mmwc"}},
    {Unit::bar, "bar", mmOf(1e5), {}},
    {Unit::mbar, "mbar", mmOf(100.0), {}},
    {Unit::hPa, "hPa", mmOf(100.0), {}},
    {Unit::kPa, "kPa", mmOf(1000.0), {}},
    // a pound-force per square inch: 0.45359237 kg at standard gravity on 0.0254² m²
    {Unit::psi, "psi", mmOf(0.45359237 * 9.80665 / (0.0254 * 0.0254)), {}},
}};

const UnitInfo& info(Unit u) { return kUnits[static_cast<size_t>(u)]; }

QString squeezed(const QString& s)
{
    QString out;
    for (QChar c : s)
        if (!c.isSpace()) out += c.toLower();
    return out;
}

} // namespace

double millimetresPer(Unit u) { return info(u).mm; }
QString unitName(Unit u) { return QString::fromLatin1(info(u).name); }

std::optional<Unit> unitFromName(const QString& name)
{
    const QString n = squeezed(name);
    for (const UnitInfo& i : kUnits) {
        if (n == squeezed(QLatin1String(i.name))) return i.unit;
        for (const char* a : i.aliases)
            if (a && n == QLatin1String(a)) return i.unit;
    }
    return std::nullopt;
}

QStringList unitNames()
{
    QStringList names;
    for (const UnitInfo& i : kUnits) names << QString::fromLatin1(i.name);
    return names;
}

} // namespace logger
