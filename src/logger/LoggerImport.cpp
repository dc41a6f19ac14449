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
    Layout layout = detect(data, format);
    m_data = std::move(data);
    m_origin = elapsedOrigin;
    detected(std::move(layout));
}

void LoggerImport::setFormat(Format format) { detected(detect(m_data, format)); }

void LoggerImport::detected(Layout layout)
{
    m_layout = std::move(layout);
    m_layout.elapsedOrigin = m_origin;
    m_series.reset();
    if (m_layout.levelUnit) conversion.unit = *m_layout.levelUnit;
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
    const Series& s = series();
    const std::vector<qsizetype> kept = thinning.select(s.times);
    if (kept.empty())
        throw Error(0, QStringLiteral("Ab der Startzeit bleiben keine Messwerte."),
                    QStringLiteral("No readings remain from the start time on."));
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
        out.push_back({t, minutes, static_cast<float>(s.temperatures[k]), h});
    }
    return out;
}

} // namespace logger
