#pragma once
// How a logger file is laid out: which lines hold readings, how fields are
// delimited, which columns give the time, the level and the temperature, and
// the level unit the file names. detect() finds it from the first lines:
//   level logger  free preamble lines ("LEVEL", "UNIT: m", ...) up to the
//                 header "Date,Time,ms,LEVEL,TEMPERATURE[,...]"
//   transducer    a header with one time-stamp column ("Date and Time") and
//                 units in parentheses ("Depth (ft)")
//   delimited     comma, semicolon or tab, decimal point or comma, an optional
//                 header; date-time, date + time, or elapsed seconds/minutes/hours
// Lines before a given number are never looked at, and preamble lines that
// hold a date but no readings are passed over.
#include "logger/LevelConversion.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace logger {

enum class Format { Auto, LevelLogger, Transducer, Delimited };
// "auto", "levellogger", "transducer", "delimited"
std::optional<Format> formatFromName(const QString& name);
QString formatName(Format f);

enum class TimeKind {
    DateTime,       // one column "2025-06-28 17:30:00"
    DateAndTime,    // a date column and a time column
    ElapsedSeconds, // seconds since some origin
    ElapsedMinutes,
    ElapsedHours,
};

struct Layout {
    Format format = Format::Delimited;
    char delimiter = ',';
    bool decimalComma = false;
    int headerLine = 0;    // line number of the header (from 1); 0: none
    int firstDataLine = 1; // readings start here (from 1)
    QStringList columns;   // header names; "1", "2", ... without a header
    TimeKind time = TimeKind::DateTime;
    int timeColumn = 0;    // the date-time, the date, or the elapsed time
    int clockColumn = -1;  // the time of day beside a date column
    int msColumn = -1;     // milliseconds added to the time (level logger)
    int levelColumn = -1;
    int temperatureColumn = -1;
    std::optional<Unit> levelUnit;  // as the file names it
    QString unknownUnit;            // a unit the level column names that is not known
    Meaning meaning = Meaning::WaterColumn; // as the level column's name suggests
    // Elapsed times count from here (ms on the Julian-day scale).
    qint64 elapsedOrigin = 0;
    // Dates a/b/yyyy are read month first; dateOrderSeen: a day over 12
    // decided the order (else day first is assumed).
    bool monthFirst = false;
    bool dateOrderSeen = false;
    // Readings more than a day apart are a misread date or two tests in one file.
    bool allowGaps = false;

    int fieldsNeeded() const;
    // The column of a name (exact, else the only one it begins) or of a
    // number counted from 1; -1 when none.
    int column(const QString& nameOrNumber) const;
    // Sets the level column and what its name says about unit and meaning.
    void chooseLevelColumn(int col);
};

// The layout of a file's content, the first skipLines lines left out.
// Format::Auto tries level logger, transducer, then delimited. Throws Error
// when the requested format is not found or no readings can be told apart.
Layout detect(const QByteArray& data, Format wanted = Format::Auto, int skipLines = 0);

// The elapsed-time unit a column's name gives ("Zeit [min]", "t (h)",
// "Stunden"); seconds when it names none.
TimeKind elapsedKindOfName(const QString& name);
bool isElapsed(TimeKind k);

} // namespace logger
