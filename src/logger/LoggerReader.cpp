#include "logger/LoggerReader.h"

#include "logger/LoggerError.h"
#include "logger/LoggerFields.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace logger {

namespace {

QString shown(Bytes b)
{
    const QString t = fields::text(b);
    return t.size() > 40 ? t.left(40) + QStringLiteral("...") : t;
}

// Why a row cannot be read; raised with the line number by the caller.
struct Problem {
    QString german, english;
};

class RowReader {
public:
    explicit RowReader(const Layout& l) : m_l(l), m_needed(l.fieldsNeeded()) {}

    // Reads one row of fields into the series; a problem when it does not fit.
    std::optional<Problem> read(const std::vector<Bytes>& f, Series& s) const
    {
        if (static_cast<int>(f.size()) < m_needed)
            return Problem{QStringLiteral("%1 Felder erwartet, %2 gefunden.").arg(m_needed).arg(f.size()),
                           QStringLiteral("%1 fields expected, %2 found.").arg(m_needed).arg(f.size())};
        qint64 t = 0;
        if (auto p = time(f, t)) return p;
        const Bytes levelField = f[static_cast<size_t>(m_l.levelColumn)];
        if (noValue(levelField)) {
            ++s.skippedRows;
            return std::nullopt;
        }
        const auto level = fields::number(levelField, m_l.decimalComma);
        if (!level) return numberExpected(f, m_l.levelColumn);
        double temperature = std::numeric_limits<double>::quiet_NaN();
        if (m_l.temperatureColumn >= 0) {
            const Bytes b = f[static_cast<size_t>(m_l.temperatureColumn)];
            if (!b.empty()) {
                const auto v = fields::number(b, m_l.decimalComma);
                if (!v) return numberExpected(f, m_l.temperatureColumn);
                temperature = *v;
                s.hasTemperature = true;
            }
        }
        if (!s.times.empty() && t < s.times.back())
            return Problem{QStringLiteral("Die Zeit liegt vor der Zeit der vorigen Messwertzeile."),
                           QStringLiteral("The time is earlier than the time of the reading before.")};
        if (!s.times.empty() && t - s.times.back() > kMsPerDay && !m_l.allowGaps)
            return Problem{QStringLiteral("Mehr als 24 Stunden nach der vorigen Messwertzeile: ein falsch gelesenes Datum "
                                          "oder zwei Versuche in einer Datei? (Lücken erlauben, wenn sie gewollt sind.)"),
                           QStringLiteral("More than 24 hours after the reading before: a misread date or two tests in one "
                                          "file? (Allow gaps when they are meant.)")};
        s.times.push_back(t);
        s.levels.push_back(*level);
        s.temperatures.push_back(temperature);
        return std::nullopt;
    }

private:
    // A blank cell, "NaN" or "-": the logger wrote no value.
    static bool noValue(Bytes b)
    {
        b = fields::trim(b);
        if (b.empty() || b == "-") return true;
        return b.size() == 3 && (b[0] | 0x20) == 'n' && (b[1] | 0x20) == 'a' && (b[2] | 0x20) == 'n';
    }

    std::optional<Problem> time(const std::vector<Bytes>& f, qint64& t) const
    {
        const Bytes stamp = f[static_cast<size_t>(m_l.timeColumn)];
        const fields::DateOrder order = m_l.monthFirst ? fields::DateOrder::MonthFirst : fields::DateOrder::DayFirst;
        switch (m_l.time) {
        case TimeKind::DateTime: {
            const auto v = fields::dateTime(stamp, order);
            if (!v) return expected(stamp, "Datum und Uhrzeit (z. B. 2025-06-28 17:30:00)", "a date and time (such as 2025-06-28 17:30:00)");
            t = *v;
            break;
        }
        case TimeKind::DateAndTime: {
            const auto d = fields::date(stamp, order);
            if (!d) return m_l.monthFirst ? expected(stamp, "ein Datum wie die Zeilen davor (MM/dd/yyyy)",
                                                     "a date as in the lines before (MM/dd/yyyy)")
                                          : expected(stamp, "ein Datum (yyyy-MM-dd, yyyy/MM/dd, dd.MM.yyyy oder dd/MM/yyyy)",
                                                     "a date (yyyy-MM-dd, yyyy/MM/dd, dd.MM.yyyy or dd/MM/yyyy)");
            const Bytes clockField = f[static_cast<size_t>(m_l.clockColumn)];
            const auto c = fields::clock(clockField);
            if (!c) return expected(clockField, "eine Uhrzeit (HH:mm:ss)", "a time (HH:mm:ss)");
            t = *d + *c;
            break;
        }
        case TimeKind::ElapsedSeconds:
        case TimeKind::ElapsedMinutes:
        case TimeKind::ElapsedHours: {
            const auto v = fields::number(stamp, m_l.decimalComma);
            const bool minutes = m_l.time == TimeKind::ElapsedMinutes, hours = m_l.time == TimeKind::ElapsedHours;
            if (!v || std::abs(*v) > 1e9)
                return hours     ? expected(stamp, "eine Zeit in Stunden", "a time in hours")
                       : minutes ? expected(stamp, "eine Zeit in Minuten", "a time in minutes")
                                 : expected(stamp, "eine Zeit in Sekunden", "a time in seconds");
            t = m_l.elapsedOrigin + std::llround(*v * (hours ? 3'600'000.0 : minutes ? 60000.0 : 1000.0));
            break;
        }
        }
        if (m_l.msColumn >= 0) {
            const Bytes b = f[static_cast<size_t>(m_l.msColumn)];
            const auto ms = b.empty() ? std::optional<double>(0) : fields::number(b, m_l.decimalComma);
            if (!ms || *ms < 0 || *ms >= 1000) return expected(b, "Millisekunden (0 bis 999)", "milliseconds (0 to 999)");
            t += std::llround(*ms);
        }
        return std::nullopt;
    }

    static Problem expected(Bytes found, const char* german, const char* english)
    {
        return {QStringLiteral("Erwartet wird %1, gefunden: \"%2\".").arg(QString::fromUtf8(german), shown(found)),
                QStringLiteral("Expected %1, found \"%2\".").arg(QString::fromUtf8(english), shown(found))};
    }

    Problem numberExpected(const std::vector<Bytes>& f, int col) const
    {
        const QString name = m_l.columns.value(col, QString::number(col + 1));
        const Bytes found = f[static_cast<size_t>(col)];
        return {QStringLiteral("Zahl in Spalte \"%1\" erwartet, gefunden: \"%2\".").arg(name, shown(found)),
                QStringLiteral("Expected a number in column \"%1\", found \"%2\".").arg(name, shown(found))};
    }

    const Layout& m_l;
    const int m_needed;
};

// Whether a last line has every field of the line before, and each number
// as many decimals: "11.2,4" where "45.31" was cut reads, but is no reading.
bool asCompleteAs(const std::vector<Bytes>& last, const std::vector<Bytes>& before, bool decimalComma)
{
    if (before.empty()) return true;
    if (last.size() < before.size()) return false;
    for (size_t c = 0; c < before.size(); ++c) {
        const auto d = fields::decimals(before[c], decimalComma);
        if (d && fields::decimals(last[c], decimalComma) != d) return false;
    }
    return true;
}

} // namespace

Series read(const QByteArray& data, const Layout& layout)
{
    if (layout.levelColumn < 0)
        throw Error(0, QStringLiteral("Keine Spalte für den Wasserstand gewählt."), QStringLiteral("No level column chosen."));
    const Bytes all(data.constData(), static_cast<size_t>(data.size()));
    Series s;
    const auto lineCount = static_cast<size_t>(std::count(all.begin(), all.end(), '\n')) + 1;
    s.times.reserve(lineCount);
    s.levels.reserve(lineCount);
    s.temperatures.reserve(lineCount);

    const RowReader row(layout);
    Lines walk(all);
    Bytes line;
    std::vector<Bytes> f, before;
    while (walk.next(line)) {
        if (walk.number() < layout.firstDataLine || fields::blank(line)) continue;
        fields::split(line, layout.delimiter, f);
        // the logger, or a copy, may have stopped inside the last line
        if (walk.unterminated() && !asCompleteAs(f, before, layout.decimalComma)) {
            s.droppedLastLine = walk.number();
            break;
        }
        const auto problem = row.read(f, s);
        if (problem) throw Error(walk.number(), problem->german, problem->english);
        std::swap(f, before);
    }
    if (s.times.empty())
        throw Error(0, QStringLiteral("Die Datei enthält keine Messwerte."), QStringLiteral("The file holds no readings."));
    return s;
}

} // namespace logger
