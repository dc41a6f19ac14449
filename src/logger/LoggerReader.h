#pragma once
// Reads the readings of a logger file by its layout: time stamps, levels and
// temperatures, one entry per row. Blank lines are skipped, and so is a last
// line the logger was still writing (no line break, not complete). A row that
// does not fit raises Error naming its line and what was expected.
#include "logger/LoggerLayout.h"

#include <QByteArray>
#include <vector>

namespace logger {

struct Series {
    std::vector<qint64> times;        // ms on the Julian-day scale, not decreasing
    std::vector<double> levels;       // in the file's unit
    std::vector<double> temperatures; // NaN where the row has none
    bool hasTemperature = false;      // whether any row has one
};

Series read(const QByteArray& data, const Layout& layout);

} // namespace logger
