#pragma once
// Reads the readings of a logger file by its layout: time stamps, levels and
// temperatures, one entry per row. Blank lines are skipped, and so are rows
// whose level is blank, "NaN" or "-" (counted). A last line without a line
// end is kept only when it is as complete as the line before it. A row that
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
    int skippedRows = 0;              // rows without a level
    int droppedLastLine = 0;          // the line number of a cut-off last line left out; 0: none
};

Series read(const QByteArray& data, const Layout& layout);

} // namespace logger
