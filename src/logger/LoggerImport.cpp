#include "logger/LoggerImport.h"

#include "logger/LoggerError.h"
#include "logger/LoggerFields.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <charconv>
#include <cmath>

namespace logger {

QString dateText(qint64 time) { return fields::toDate(time).toString(QStringLiteral("dd.MM.yyyy")); }
QString timeText(qint64 time) { return fields::toTime(time).toString(QStringLiteral("HH:mm:ss")); }

QString numberText(float v)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, res.ptr - buf);
}

void LoggerImport::open(const QString& path, Format format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(0, QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.").arg(path),
                    QStringLiteral("Cannot read the file \"%1\".").arg(path));
    QByteArray data = file.readAll();
    const QDate written = QFileInfo(file).lastModified().date();
    load(std::move(data), format, fields::fromDateTime(written, QTime(0, 0)));
}

void LoggerImport::load(QByteArray data, Format format, qint64 elapsedOrigin)
{
    Layout layout = detect(data, format, m_skipLines);
    m_data = std::move(data);
    m_origin = elapsedOrigin;
    m_format = format;
    detected(std::move(layout));
}

void LoggerImport::setFormat(Format format)
{
    detected(detect(m_data, format, m_skipLines));
    m_format = format;
}

void LoggerImport::setSkipLines(int lines)
{
    const int before = m_skipLines;
    m_skipLines = std::max(0, lines);
    if (!isOpen()) return;
    try {
        detected(detect(m_data, m_format, m_skipLines));
    } catch (const Error&) {
        m_skipLines = before;
        throw;
    }
}

void LoggerImport::setElapsedUnit(std::optional<TimeKind> kind)
{
    m_elapsed = kind;
    if (isOpen()) detected(m_layout);
}

void LoggerImport::setAllowGaps(bool allow)
{
    m_allowGaps = allow;
    m_layout.allowGaps = allow;
    m_series.reset();
}

void LoggerImport::detected(Layout layout)
{
    m_layout = std::move(layout);
    m_layout.elapsedOrigin = m_origin;
    m_layout.allowGaps = m_allowGaps;
    if (isElapsed(m_layout.time))
        m_layout.time = m_elapsed ? *m_elapsed
            : m_layout.headerLine > 0 ? elapsedKindOfName(m_layout.columns.value(m_layout.timeColumn))
                                      : TimeKind::ElapsedSeconds;
    m_series.reset();
    if (m_layout.levelUnit) conversion.unit = *m_layout.levelUnit;
    if (m_layout.levelUnit || !m_layout.unknownUnit.isEmpty()) unitChosen = false;
    conversion.meaning = m_layout.meaning;
}

void LoggerImport::setLevelColumn(int col)
{
    if (col == m_layout.levelColumn) return;
    m_layout.chooseLevelColumn(col);
    detected(m_layout);
}

void LoggerImport::setTemperatureColumn(int col)
{
    if (col == m_layout.temperatureColumn) return;
    m_layout.temperatureColumn = col;
    m_series.reset();
}

QStringList LoggerImport::preview(int lines) const
{
    QStringList out;
    Lines walk(Bytes(m_data.constData(), static_cast<size_t>(m_data.size())));
    Bytes line;
    while (out.size() < lines && walk.next(line)) out << fields::text(line);
    return out;
}

const Series& LoggerImport::series()
{
    if (!m_series) m_series = read(m_data, m_layout);
    return *m_series;
}

std::vector<Reading> LoggerImport::readings()
{
    if (conversion.meaning == Meaning::WaterColumn && !(conversion.sensorDepth > 0))
        throw Error(0, QStringLiteral("Für die Wassersäule über dem Sensor fehlt die Tiefe des Sensors unter Rohroberkante."),
                    QStringLiteral("A water column above the sensor needs the sensor depth below the pipe top."));
    if (!m_layout.unknownUnit.isEmpty() && !unitChosen) {
        const QString column = m_layout.columns.value(m_layout.levelColumn);
        throw Error(m_layout.headerLine,
                    QStringLiteral("Die Einheit \"%1\" der Spalte \"%2\" ist unbekannt: bitte die Einheit wählen (%3).")
                        .arg(m_layout.unknownUnit, column, unitNames().join(QStringLiteral(", "))),
                    QStringLiteral("The unit \"%1\" of the column \"%2\" is not known: please choose the unit (%3).")
                        .arg(m_layout.unknownUnit, column, unitNames().join(QStringLiteral(", "))));
    }
    const Series& s = series();
    if (!s.hasTemperature && !waterTemperature)
        throw Error(0,
                    QStringLiteral("Die Datei enthält keine Temperaturen: bitte eine Temperaturspalte wählen oder die "
                                   "Wassertemperatur [°C] angeben, sonst rechnet die Auswertung mit 0 °C."),
                    QStringLiteral("The file holds no temperatures: please choose a temperature column or give the water "
                                   "temperature [°C], else the evaluation computes with 0 °C."));
    const std::vector<qsizetype> kept = thinning.select(s.times);
    if (kept.empty())
        throw Error(0, QStringLiteral("Ab der Startzeit bleiben keine Messwerte."),
                    QStringLiteral("No readings remain from the start time on."));
    if (kept.size() < 2)
        throw Error(0, QStringLiteral("Es bleibt nur ein Messwert: ein Versuch braucht mindestens zwei."),
                    QStringLiteral("Only one reading remains: a test needs at least two."));
    if (kept.size() > static_cast<size_t>(kMaxReadings))
        throw Error(0,
                    QStringLiteral("Es blieben %1 Messwerte, ein Datensatz fasst höchstens %2: bitte stärker ausdünnen.")
                        .arg(kept.size()).arg(kMaxReadings),
                    QStringLiteral("%1 readings would remain, a record holds at most %2: please thin more.")
                        .arg(kept.size()).arg(kMaxReadings));
    std::vector<Reading> out;
    out.reserve(kept.size());
    for (qsizetype i : kept) {
        const auto k = static_cast<size_t>(i);
        const qint64 t = wholeSecond(s.times[k]);
        // minutes as the input form computes them from the whole seconds of two times
        const float minutes = out.empty() ? 0.0f : static_cast<float>(static_cast<double>((t - out.back().time) / 1000)) / 60.0f;
        const float h = static_cast<float>(conversion.hPrime(s.levels[k]));
        if (!std::isfinite(h))
            throw Error(0, QStringLiteral("Ein Wasserstand liegt außerhalb des Zahlenbereichs."),
                        QStringLiteral("A level is out of range."));
        if (pipeH && h >= *pipeH) throw headNotAbove(out.size() + 1, t, h);
        const double temperature = std::isnan(s.temperatures[k]) && waterTemperature ? *waterTemperature : s.temperatures[k];
        out.push_back({t, minutes, static_cast<float>(temperature), h});
    }
    return out;
}

Error LoggerImport::headNotAbove(size_t reading, qint64 time, float h) const
{
    const bool column = conversion.meaning == Meaning::WaterColumn;
    const QString at = dateText(time) + QLatin1Char(' ') + timeText(time);
    return Error(0,
                 QStringLiteral("Messwert %1 (%2): h' = %3 mm liegt nicht über der Unterkante des Stahlzylinders "
                                "(H = %4 mm). Bitte %5 prüfen.")
                     .arg(reading).arg(at, numberText(h), numberText(static_cast<float>(*pipeH)),
                          column ? QStringLiteral("die Sensortiefe und die Bedeutung (Wassersäule über dem Sensor)")
                                 : QStringLiteral("den Offset und die Bedeutung (Abstich)")),
                 QStringLiteral("Reading %1 (%2): h' = %3 mm is not above the lower edge of the steel cylinder "
                                "(H = %4 mm). Please check %5.")
                     .arg(reading).arg(at, numberText(h), numberText(static_cast<float>(*pipeH)),
                          column ? QStringLiteral("the sensor depth and the meaning (water column above the sensor)")
                                 : QStringLiteral("the offset and the meaning (depth to water)")));
}

QStringList LoggerImport::notes(bool english)
{
    const Series& s = series();
    const auto say = [english](const QString& german, const QString& eng) { return english ? eng : german; };
    QStringList out;
    if (s.skippedRows > 0)
        out << say(QStringLiteral("%1 Zeilen ohne Messwert übersprungen.").arg(s.skippedRows),
                   QStringLiteral("%1 rows without a level skipped.").arg(s.skippedRows));
    if (s.droppedLastLine > 0)
        out << say(QStringLiteral("Die letzte Zeile (%1) ist abgeschnitten und wurde nicht übernommen.").arg(s.droppedLastLine),
                   QStringLiteral("The last line (%1) is cut off and was left out.").arg(s.droppedLastLine));
    if (m_layout.monthFirst)
        out << say(QStringLiteral("Datumsangaben als Monat/Tag/Jahr gelesen."), QStringLiteral("Dates read as month/day/year."));
    return out;
}

} // namespace logger
