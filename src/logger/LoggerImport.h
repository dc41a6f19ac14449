#pragma once
// One logger file on its way into a record: the file's content and detected
// layout, the conversion to h' and the thinning, and the readings that result.
// The import dialog and the batch command both drive it; neither holds any of
// these rules itself.
#include "logger/LevelConversion.h"
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

    bool isOpen() const { return !m_data.isEmpty(); }
    const Layout& layout() const { return m_layout; }
    // Chooses the level column; its name's unit and meaning become the conversion's.
    void setLevelColumn(int col);
    void setTemperatureColumn(int col); // -1: none
    // The first lines of the file as text, for a look at them.
    QStringList preview(int lines) const;

    Conversion conversion;
    Thinning thinning;

    // The rows of the file (read once per layout); throws Error.
    const Series& series();
    // The readings for the record; throws Error when none remain, when more
    // remain than a record holds, or when the conversion lacks the sensor depth.
    std::vector<Reading> readings();

private:
    void detected(Layout layout);

    QByteArray m_data;
    Layout m_layout;
    qint64 m_origin = 0;
    std::optional<Series> m_series;
};

} // namespace logger
