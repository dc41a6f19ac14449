#include "logger/LoggerLayout.h"

#include "logger/LoggerError.h"
#include "logger/LoggerFields.h"

#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <array>
#include <vector>

namespace logger {

namespace {

// Enough lines for any preamble; detection never reads the whole file.
constexpr int kSampleLines = 400;
constexpr std::array<char, 3> kDelimiters{'\t', ';', ','};

// The first lines, those to skip left empty so that line numbers stay.
std::vector<Bytes> sampleLines(const QByteArray& data, int skipLines)
{
    std::vector<Bytes> lines;
    Lines walk(Bytes(data.constData(), static_cast<size_t>(data.size())));
    Bytes line;
    while (static_cast<int>(lines.size()) < kSampleLines + std::max(0, skipLines) && walk.next(line))
        lines.push_back(walk.number() <= skipLines ? Bytes() : line);
    return lines;
}

// The fields of a row without the empty ones a trailing delimiter leaves.
size_t filledWidth(const std::vector<Bytes>& f)
{
    size_t n = f.size();
    while (n > 0 && f[n - 1].empty()) --n;
    return n;
}

QStringList namesOf(Bytes line, char delimiter)
{
    std::vector<Bytes> f;
    fields::split(line, delimiter, f);
    QStringList names;
    for (Bytes b : f) names << fields::text(b);
    return names;
}

int indexOf(const QStringList& names, const std::function<bool(const QString&)>& matches)
{
    for (int i = 0; i < names.size(); ++i)
        if (matches(names[i].toLower())) return i;
    return -1;
}

// "Depth (ft)", "Level [m]", "Pressure (bar)": the text in the closing brackets.
QString bracketedOfName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("[(\\[]\\s*([^)\\]]*?)\\s*[)\\]]\\s*$"));
    const auto m = re.match(name);
    return m.hasMatch() ? m.captured(1) : QString();
}

Meaning meaningOfName(const QString& name)
{
    const QString n = name.toLower();
    const bool depth = n.contains(QLatin1String("to water")) || n.contains(QLatin1String("dtw"))
        || n.contains(QLatin1String("abstich"));
    return depth ? Meaning::DepthToWater : Meaning::WaterColumn;
}

// "Temp", "Wassertemperatur", "T [°C]", "°C": a temperature, also as "T" alone.
bool isTemperature(const QString& lowerName)
{
    static const QRegularExpression t(QStringLiteral("(^|[^\\p{L}])t($|[^\\p{L}])"));
    return lowerName.contains(QLatin1String("temp")) || lowerName.contains(QStringLiteral("°c"))
        || t.match(lowerName).hasMatch();
}

// Whether the readings write a decimal comma: a field such as "96,68" in the first data lines.
bool decimalCommaIn(const std::vector<Bytes>& lines, int firstDataLine, char delimiter)
{
    if (delimiter == ',') return false;
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d*,\\d+$"));
    std::vector<Bytes> f;
    const size_t end = std::min(lines.size(), static_cast<size_t>(firstDataLine - 1 + 20));
    for (size_t i = static_cast<size_t>(firstDataLine - 1); i < end; ++i) {
        fields::split(lines[i], delimiter, f);
        for (Bytes b : f)
            if (re.match(fields::text(b)).hasMatch()) return true;
    }
    return false;
}

// The level column a user most likely wants: a level or depth, else a
// pressure, else the first number that is not the temperature.
int defaultLevelColumn(const QStringList& names, const std::vector<Bytes>& data, bool decimalComma,
                       const std::vector<int>& timeColumns)
{
    std::vector<int> numeric;
    for (int c = 0; c < static_cast<int>(data.size()); ++c)
        if (std::find(timeColumns.begin(), timeColumns.end(), c) == timeColumns.end()
            && fields::number(data[static_cast<size_t>(c)], decimalComma))
            numeric.push_back(c);
    const auto named = [&](std::initializer_list<const char*> words) {
        for (int c : numeric) {
            const QString n = names.value(c).toLower();
            for (const char* w : words)
                if (n.contains(QLatin1String(w))) return c;
        }
        return -1;
    };
    if (int c = named({"level", "depth", "water", "pegel", "wasser", "stand", "abstich", "tiefe"}); c >= 0) return c;
    if (int c = named({"pressure", "druck"}); c >= 0) return c;
    for (int c : numeric)
        if (!isTemperature(names.value(c).toLower())) return c;
    return -1;
}

// A layout whose column names stand in line `header` (0-based), readings below it.
Layout headed(Format format, char d, size_t header, const QStringList& names, const std::vector<Bytes>& lines)
{
    Layout l;
    l.format = format;
    l.delimiter = d;
    l.headerLine = static_cast<int>(header) + 1;
    l.firstDataLine = l.headerLine + 1;
    l.columns = names;
    l.temperatureColumn = indexOf(names, isTemperature);
    l.decimalComma = decimalCommaIn(lines, l.firstDataLine, d);
    return l;
}

std::optional<Layout> levelLogger(const std::vector<Bytes>& lines)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        for (char d : kDelimiters) {
            const QStringList names = namesOf(lines[i], d);
            if (names.size() < 4) continue;
            const auto is = [&](int c, const char* w) { return names[c].compare(QLatin1String(w), Qt::CaseInsensitive) == 0; };
            const int level = indexOf(names, [](const QString& n) { return n == QLatin1String("level"); });
            if (!is(0, "date") || !is(1, "time") || !is(2, "ms") || level < 0) continue;
            Layout l = headed(Format::LevelLogger, d, i, names, lines);
            l.time = TimeKind::DateAndTime;
            l.timeColumn = 0;
            l.clockColumn = 1;
            l.msColumn = 2;
            l.levelColumn = level;
            // the preamble names the unit under the channel's name: "LEVEL", then "UNIT: m"
            bool inLevel = false;
            for (size_t p = 0; p < i; ++p) {
                const QString t = fields::text(lines[p]).trimmed();
                if (t.startsWith(QLatin1String("unit:"), Qt::CaseInsensitive)) {
                    if (inLevel) {
                        l.levelUnit = unitFromName(t.mid(5));
                        l.unknownUnit = l.levelUnit ? QString() : t.mid(5).trimmed();
                    }
                } else if (!t.isEmpty() && !t.contains(QLatin1Char(':'))) {
                    inLevel = t.compare(QLatin1String("level"), Qt::CaseInsensitive) == 0;
                }
            }
            return l;
        }
    }
    return std::nullopt;
}

std::optional<Layout> transducer(const std::vector<Bytes>& lines)
{
    std::vector<Bytes> data;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        for (char d : kDelimiters) {
            const QStringList names = namesOf(lines[i], d);
            if (names.size() < 2) continue;
            const int stamp = indexOf(names, [](const QString& n) {
                return n.contains(QLatin1String("date")) && n.contains(QLatin1String("time"));
            });
            if (stamp < 0) continue;
            size_t next = i + 1;
            while (next < lines.size() && fields::blank(lines[next])) ++next;
            if (next == lines.size()) continue;
            fields::split(lines[next], d, data);
            if (static_cast<int>(data.size()) <= stamp
                || !fields::dateTime(data[static_cast<size_t>(stamp)], fields::DateOrder::Either))
                continue;
            Layout l = headed(Format::Transducer, d, i, names, lines);
            l.time = TimeKind::DateTime;
            l.timeColumn = stamp;
            l.chooseLevelColumn(defaultLevelColumn(names, data, l.decimalComma, {stamp}));
            return l;
        }
    }
    return std::nullopt;
}

// The time columns of a row of readings; false when the row has none.
bool timeColumnsOf(const std::vector<Bytes>& f, bool decimalComma, Layout& l)
{
    if (f.size() < 2) return false;
    for (size_t c = 0; c < f.size(); ++c) {
        if (fields::dateTime(f[c], fields::DateOrder::Either)) {
            l.time = TimeKind::DateTime;
            l.timeColumn = static_cast<int>(c);
            return true;
        }
        if (fields::date(f[c], fields::DateOrder::Either)) {
            if (c + 1 >= f.size() || !fields::clock(f[c + 1])) return false;
            l.time = TimeKind::DateAndTime;
            l.timeColumn = static_cast<int>(c);
            l.clockColumn = static_cast<int>(c) + 1;
            return true;
        }
    }
    if (!fields::number(f[0], decimalComma)) return false;
    l.time = TimeKind::ElapsedSeconds;
    l.timeColumn = 0;
    return true;
}

Layout delimited(const std::vector<Bytes>& lines)
{
    std::vector<size_t> filled;
    for (size_t i = 0; i < lines.size(); ++i)
        if (!fields::blank(lines[i])) filled.push_back(i);
    if (filled.empty()) throw Error(0, QStringLiteral("Die Datei ist leer."), QStringLiteral("The file is empty."));
    // the delimiter of the last lines, which are readings, not preamble
    const size_t tail = std::min<size_t>(filled.size(), 20);
    char delimiter = 0;
    bool found = false;
    for (char d : kDelimiters) {
        size_t with = 0;
        for (size_t k = filled.size() - tail; k < filled.size(); ++k)
            if (lines[filled[k]].find(d) != Bytes::npos) ++with;
        if (tail > 0 && with * 5 >= tail * 4) {
            delimiter = d;
            found = true;
            break;
        }
    }
    if (!found)
        throw Error(0, QStringLiteral("Kein Trennzeichen gefunden (Komma, Semikolon oder Tabulator erwartet)."),
                    QStringLiteral("No delimiter found (comma, semicolon or tab expected)."));

    std::vector<Bytes> f;
    std::optional<Error> noLevel;
    for (size_t k = 0; k < filled.size(); ++k) {
        const size_t i = filled[k];
        Layout l;
        l.delimiter = delimiter;
        l.format = Format::Delimited;
        l.firstDataLine = static_cast<int>(i) + 1;
        l.decimalComma = decimalCommaIn(lines, l.firstDataLine, l.delimiter);
        fields::split(lines[i], l.delimiter, f);
        if (!timeColumnsOf(f, l.decimalComma, l)) continue;
        // a header directly above with as many fields that is no reading itself
        std::vector<Bytes> above;
        if (k > 0) fields::split(lines[filled[k - 1]], l.delimiter, above);
        Layout probe;
        if (filledWidth(above) == filledWidth(f) && filledWidth(f) > 0 && !timeColumnsOf(above, l.decimalComma, probe)) {
            l.headerLine = static_cast<int>(filled[k - 1]) + 1;
            l.columns = namesOf(lines[filled[k - 1]], l.delimiter);
        }
        for (auto c = static_cast<size_t>(l.columns.size()) + 1; c <= f.size(); ++c) l.columns << QString::number(c);
        if (l.time == TimeKind::ElapsedSeconds) l.time = elapsedKindOfName(l.columns[l.timeColumn]);
        std::vector<int> timeCols{l.timeColumn};
        if (l.clockColumn >= 0) timeCols.push_back(l.clockColumn);
        // "t [s]" is a time, not a temperature
        l.temperatureColumn = indexOf(l.columns, [&](const QString& n) {
            return isTemperature(n) && n != l.columns[l.timeColumn].toLower()
                && (l.clockColumn < 0 || n != l.columns[l.clockColumn].toLower());
        });
        const int level = defaultLevelColumn(l.columns, f, l.decimalComma, timeCols);
        // a preamble line such as "Messbeginn;28.06.2025;10:00:00" is no reading
        if (level < 0) {
            if (!noLevel)
                noLevel = Error(l.firstDataLine, QStringLiteral("Keine Spalte mit Messwerten neben der Zeit gefunden."),
                                QStringLiteral("No column of levels found beside the time."));
            continue;
        }
        l.chooseLevelColumn(level);
        return l;
    }
    if (noLevel) throw *noLevel;
    throw Error(0,
                QStringLiteral("Keine Messwertzeilen gefunden: erwartet werden Zeilen mit Datum und Uhrzeit "
                               "(oder verstrichener Zeit) und Messwerten."),
                QStringLiteral("No readings found: expected lines with a date and time (or an elapsed time) "
                               "and values."));
}

// Day or month first, for the whole file: a first number over 12 is a day,
// a second one over 12 a day behind the month.
void decideDateOrder(const QByteArray& data, Layout& l)
{
    if (isElapsed(l.time)) return;
    Lines walk(Bytes(data.constData(), static_cast<size_t>(data.size())));
    Bytes line;
    std::vector<Bytes> f;
    const auto column = static_cast<size_t>(l.timeColumn);
    while (walk.next(line)) {
        if (walk.number() < l.firstDataLine) continue;
        fields::split(line, l.delimiter, f);
        if (f.size() <= column) continue;
        const Bytes stamp = fields::trim(f[column]);
        const auto dm = fields::slashedDayMonth(stamp.substr(0, stamp.find_first_of(" T")));
        if (!dm) {
            if (walk.number() == l.firstDataLine) return; // no dates with slashes and the year last
            continue;
        }
        if (dm->first > 12 || dm->second > 12) {
            l.monthFirst = dm->second > 12;
            l.dateOrderSeen = true;
            return;
        }
    }
}

Layout detectIn(const std::vector<Bytes>& lines, Format wanted)
{
    if (wanted == Format::Auto || wanted == Format::LevelLogger) {
        if (auto l = levelLogger(lines)) return *l;
        if (wanted == Format::LevelLogger)
            throw Error(0, QStringLiteral("Keine Kopfzeile \"Date,Time,ms,LEVEL,TEMPERATURE\" gefunden."),
                        QStringLiteral("No header line \"Date,Time,ms,LEVEL,TEMPERATURE\" found."));
    }
    if (wanted == Format::Auto || wanted == Format::Transducer) {
        if (auto l = transducer(lines)) return *l;
        if (wanted == Format::Transducer)
            throw Error(0, QStringLiteral("Keine Kopfzeile mit einer Spalte für Datum und Uhrzeit gefunden (z. B. \"Date and Time\")."),
                        QStringLiteral("No header line with a date and time column found (such as \"Date and Time\")."));
    }
    return delimited(lines);
}


} // namespace

std::optional<Format> formatFromName(const QString& name)
{
    for (Format f : {Format::Auto, Format::LevelLogger, Format::Transducer, Format::Delimited})
        if (name.compare(formatName(f), Qt::CaseInsensitive) == 0) return f;
    return std::nullopt;
}

QString formatName(Format f)
{
    switch (f) {
    case Format::Auto: return QStringLiteral("auto");
    case Format::LevelLogger: return QStringLiteral("levellogger");
    case Format::Transducer: return QStringLiteral("transducer");
    case Format::Delimited: return QStringLiteral("delimited");
    }
    return QString();
}

int Layout::fieldsNeeded() const
{
    return 1 + std::max({timeColumn, clockColumn, msColumn, levelColumn, temperatureColumn});
}

int Layout::column(const QString& nameOrNumber) const
{
    bool isNumber = false;
    const int n = nameOrNumber.trimmed().toInt(&isNumber);
    if (isNumber) return n >= 1 && n <= columns.size() ? n - 1 : -1;
    const QString want = nameOrNumber.trimmed();
    for (int c = 0; c < columns.size(); ++c)
        if (columns[c].compare(want, Qt::CaseInsensitive) == 0) return c;
    int match = -1;
    for (int c = 0; c < columns.size(); ++c) {
        if (!columns[c].startsWith(want, Qt::CaseInsensitive)) continue;
        if (match >= 0) return -1; // ambiguous
        match = c;
    }
    return match;
}

void Layout::chooseLevelColumn(int col)
{
    levelColumn = col;
    if (col < 0 || col >= columns.size()) return;
    // the column's own unit, not the one of a column chosen before
    const QString bracketed = bracketedOfName(columns[col]);
    levelUnit = bracketed.isEmpty() ? std::nullopt : unitFromName(bracketed);
    unknownUnit = levelUnit ? QString() : bracketed;
    meaning = meaningOfName(columns[col]);
}

TimeKind elapsedKindOfName(const QString& name)
{
    const QString n = name.toLower();
    static const QRegularExpression hours(QStringLiteral("(^|[^\\p{L}])h($|[^\\p{L}])|hour|stunde"));
    if (n.contains(QLatin1String("min"))) return TimeKind::ElapsedMinutes;
    if (hours.match(n).hasMatch()) return TimeKind::ElapsedHours;
    return TimeKind::ElapsedSeconds;
}

bool isElapsed(TimeKind k) { return k != TimeKind::DateTime && k != TimeKind::DateAndTime; }

Layout detect(const QByteArray& data, Format wanted, int skipLines)
{
    Layout l = detectIn(sampleLines(data, skipLines), wanted);
    decideDateOrder(data, l);
    return l;
}

} // namespace logger
