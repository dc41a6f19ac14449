#pragma once
// One logger file on its way into a record: the file's content and detected
// layout, the conversion to h' and the thinning, and the readings that result.
// The import dialog and the batch command both drive it; neither holds any of
// these rules itself.
#include "logger/LevelConversion.h"
#include "logger/LoggerError.h"
#include "logger/LoggerLayout.h"
#include "logger/LoggerReader.h"
#include "logger/Thinning.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace logger {

// The most readings a record holds (its row numbers are 16-bit).
constexpr int kMaxReadings = 32767;

struct Reading {
    qint64 time;       // a whole second, ms on the Julian-day scale
    float minutes;     // since the reading before; 0 for the first
    float temperature; // NaN: none
    float hPrime;      // mm below the top of the pipe
};

// The texts a reading's cells hold: date dd.MM.yyyy, time HH:mm:ss, and a
// single as the shortest text that reads back as the same single.
QString dateText(qint64 time);
QString timeText(qint64 time);
QString numberText(float v);

class LoggerImport {
public:
    // Reads the file and detects its layout. Elapsed times count from
    // midnight of the day the file was last written. Throws Error.
    void open(const QString& path, Format format = Format::Auto);
    // The same for content at hand.
    void load(QByteArray data, Format format, qint64 elapsedOrigin);
    // Detects the layout again as the given format; throws Error.
    void setFormat(Format format);
    // Leaves the first lines out and detects the layout again; throws Error.
    void setSkipLines(int lines);
    int skipLines() const { return m_skipLines; }
    // The unit of an elapsed time; none: as the column's name says.
    void setElapsedUnit(std::optional<TimeKind> kind);
    void setAllowGaps(bool allow);

    bool isOpen() const { return !m_data.isEmpty(); }
    const Layout& layout() const { return m_layout; }
    // Chooses the level column; its name's unit and meaning become the conversion's.
    void setLevelColumn(int col);
    void setTemperatureColumn(int col); // -1: none
    // The first lines of the file as text, for a look at them.
    QStringList preview(int lines) const;

    Conversion conversion;
    // The unit was chosen by the user: a unit the file names but nobody knows
    // is then no reason to refuse.
    bool unitChosen = false;
    Thinning thinning;
    // °C for every reading the file gives no temperature; none: such a file is refused.
    std::optional<double> waterTemperature;
    // H of the record (mm): a head h' >= H cannot be right. None: not checked.
    std::optional<double> pipeH;

    // The rows of the file (read once per layout); throws Error.
    const Series& series();
    // The readings for the record; throws Error when fewer than two remain,
    // when more remain than a record holds, when the conversion lacks the
    // sensor depth or the unit, when there is no temperature, or when a head
    // is not above the cylinder's edge.
    std::vector<Reading> readings();
    // What the reading left out or decided, in a sentence each: rows without
    // a level, a cut-off last line, month-first dates. Reads the series.
    QStringList notes(bool english);

private:
    void detected(Layout layout);
    Error headNotAbove(size_t reading, qint64 time, float h) const;

    QByteArray m_data;
    Layout m_layout;
    Format m_format = Format::Auto;
    int m_skipLines = 0;
    std::optional<TimeKind> m_elapsed;
    bool m_allowGaps = false;
    qint64 m_origin = 0;
    std::optional<Series> m_series;
};

} // namespace logger
