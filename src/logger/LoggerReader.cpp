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
        const auto level = fields::number(f[static_cast<size_t>(m_l.levelColumn)], m_l.decimalComma);
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
        s.times.push_back(t);
        s.levels.push_back(*level);
        s.temperatures.push_back(temperature);
        return std::nullopt;
    }

private:
    std::optional<Problem> time(const std::vector<Bytes>& f, qint64& t) const
    {
        const Bytes stamp = f[static_cast<size_t>(m_l.timeColumn)];
        switch (m_l.time) {
        case TimeKind::DateTime: {
            const auto v = fields::dateTime(stamp);
            if (!v) return expected(stamp, "Datum und Uhrzeit (z. B. 2025-06-28 17:30:00)", "a date and time (such as 2025-06-28 17:30:00)");
            t = *v;
            break;
        }
        case TimeKind::DateAndTime: {
            const auto d = fields::date(stamp);
            if (!d) return expected(stamp, "ein Datum (yyyy-MM-dd, yyyy/MM/dd, dd.MM.yyyy oder dd/MM/yyyy)",
                                    "a date (yyyy-MM-dd, yyyy/MM/dd, dd.MM.yyyy or dd/MM/yyyy)");
            const Bytes clockField = f[static_cast<size_t>(m_l.clockColumn)];
            const auto c = fields::clock(clockField);
            if (!c) return expected(clockField, "eine Uhrzeit (HH:mm:ss)", "a time (HH:mm:ss)");
            t = *d + *c;
            break;
        }
        case TimeKind::ElapsedSeconds:
        case TimeKind::ElapsedMinutes: {
            const auto v = fields::number(stamp, m_l.decimalComma);
            const bool minutes = m_l.time == TimeKind::ElapsedMinutes;
            if (!v || std::abs(*v) > 1e9) return expected(stamp, minutes ? "eine Zeit in Minuten" : "eine Zeit in Sekunden",
                                                       minutes ? "a time in minutes" : "a time in seconds");
            t = m_l.elapsedOrigin + std::llround(*v * (minutes ? 60000.0 : 1000.0));
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
    std::vector<Bytes> f;
    while (walk.next(line)) {
        if (walk.number() < layout.firstDataLine || fields::blank(line)) continue;
        fields::split(line, layout.delimiter, f);
        const auto problem = row.read(f, s);
        if (!problem) continue;
        // the logger may still have been writing its last line
        if (walk.unterminated()) break;
        throw Error(walk.number(), problem->german, problem->english);
    }
    if (s.times.empty())
        throw Error(0, QStringLiteral("Die Datei enthält keine Messwerte."), QStringLiteral("The file holds no readings."));
    return s;
}

} // namespace logger
