#include "batch/BatchImport.h"

#include "batch/BatchArguments.h"
#include "batch/BatchRun.h"
#include "data/Ado.h"
#include "evaluation/EvaluationRows.h"
#include "logger/LoggerError.h"
#include "logger/LoggerFields.h"
#include "platform/Convert.h"
#include "platform/VBError.h"
#include "data/Schema.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>
#include <cmath>
#include <optional>
#include <sqlite3.h>

namespace {

const QString kRecord = QStringLiteral("--record"), kFile = QStringLiteral("--file"), kFormat = QStringLiteral("--format"),
              kLevelColumn = QStringLiteral("--level-column"), kUnit = QStringLiteral("--unit"),
              kMeaning = QStringLiteral("--meaning"), kSensorDepth = QStringLiteral("--sensor-depth"),
              kOffset = QStringLiteral("--offset"), kEvery = QStringLiteral("--every"),
              kInterval = QStringLiteral("--interval"), kPerDecade = QStringLiteral("--per-decade"),
              kStart = QStringLiteral("--start"), kTemperature = QStringLiteral("--temperature"),
              kTemperatureColumn = QStringLiteral("--temperature-column"), kElapsedUnit = QStringLiteral("--elapsed-unit"),
              kSkipLines = QStringLiteral("--skip-lines"), kAllowGaps = QStringLiteral("--allow-gaps");

struct Problem {
    QString text;
};

double number(const BatchArguments& a, const QString& option, double min)
{
    bool ok = false;
    const double v = a.value(option).toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < min)
        throw Problem{QStringLiteral("%1 needs a number%2, not '%3'")
                          .arg(option, min > 0 ? QStringLiteral(" above 0") : QString(), a.value(option))};
    return v;
}

int whole(const BatchArguments& a, const QString& option, int min = 1)
{
    bool ok = false;
    const int v = a.value(option).toInt(&ok);
    if (!ok || v < min)
        throw Problem{QStringLiteral("%1 needs a whole number from %2, not '%3'").arg(option).arg(min).arg(a.value(option))};
    return v;
}

int columnOf(const BatchArguments& a, const QString& option, const logger::LoggerImport& imp)
{
    const int col = imp.layout().column(a.value(option));
    if (col < 0)
        throw Problem{QStringLiteral("no column '%1' in the file; its columns: %2")
                          .arg(a.value(option), imp.layout().columns.join(QStringLiteral(", ")))};
    return col;
}

// Applies the options to the import; the file is open.
void configure(const BatchArguments& a, logger::LoggerImport& imp)
{
    if (a.has(kSkipLines)) imp.setSkipLines(whole(a, kSkipLines, 0));
    if (a.has(kElapsedUnit)) {
        const QString u = a.value(kElapsedUnit);
        if (u == QLatin1String("s")) imp.setElapsedUnit(logger::TimeKind::ElapsedSeconds);
        else if (u == QLatin1String("min")) imp.setElapsedUnit(logger::TimeKind::ElapsedMinutes);
        else if (u == QLatin1String("h")) imp.setElapsedUnit(logger::TimeKind::ElapsedHours);
        else throw Problem{QStringLiteral("--elapsed-unit is s, min or h, not '%1'").arg(u)};
    }
    imp.setAllowGaps(a.has(kAllowGaps));
    if (a.has(kLevelColumn)) imp.setLevelColumn(columnOf(a, kLevelColumn, imp));
    if (a.has(kTemperatureColumn)) imp.setTemperatureColumn(columnOf(a, kTemperatureColumn, imp));
    if (a.has(kTemperature)) imp.waterTemperature = number(a, kTemperature, -50);
    if (a.has(kUnit)) {
        const auto u = logger::unitFromName(a.value(kUnit));
        if (!u) throw Problem{QStringLiteral("unknown unit '%1' (%2)").arg(a.value(kUnit), logger::unitNames().join(QLatin1Char('|')))};
        imp.conversion.unit = *u;
        imp.unitChosen = true;
    }
    if (a.has(kMeaning)) {
        const QString m = a.value(kMeaning);
        if (m == QLatin1String("depth")) imp.conversion.meaning = logger::Meaning::DepthToWater;
        else if (m == QLatin1String("column")) imp.conversion.meaning = logger::Meaning::WaterColumn;
        else throw Problem{QStringLiteral("--meaning is depth or column, not '%1'").arg(m)};
    }
    if (a.has(kSensorDepth)) imp.conversion.sensorDepth = number(a, kSensorDepth, 0);
    if (a.has(kOffset)) imp.conversion.offset = number(a, kOffset, -1e9);

    if (int(a.has(kEvery)) + int(a.has(kInterval)) + int(a.has(kPerDecade)) > 1)
        throw Problem{QStringLiteral("give only one of --every, --interval and --per-decade")};
    logger::Thinning& t = imp.thinning;
    if (a.has(kEvery)) {
        t.mode = logger::Thinning::EveryNth;
        t.every = whole(a, kEvery);
    } else if (a.has(kInterval)) {
        t.mode = logger::Thinning::Interval;
        t.minutes = number(a, kInterval, 1e-9);
    } else if (a.has(kPerDecade)) {
        t.mode = logger::Thinning::PerDecade;
        t.perDecade = whole(a, kPerDecade);
    }
    if (a.has(kStart)) {
        const QDateTime start = QDateTime::fromString(a.value(kStart), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!start.isValid()) throw Problem{QStringLiteral("--start needs \"yyyy-MM-dd HH:mm:ss\", not '%1'").arg(a.value(kStart))};
        t.start = logger::fields::fromDateTime(start.date(), start.time());
    }
}

QString describe(const logger::LoggerImport& imp)
{
    const logger::Layout& l = imp.layout();
    const logger::Conversion& c = imp.conversion;
    const QString meaning = c.meaning == logger::Meaning::DepthToWater
        ? QStringLiteral("depth to water + %1 mm").arg(c.offset)
        : QStringLiteral("water column above a sensor at %1 mm").arg(c.sensorDepth);
    return QStringLiteral("%1 file, level column '%2' in %3 as %4")
        .arg(logger::formatName(l.format), l.columns.value(l.levelColumn), logger::unitName(c.unit), meaning);
}

} // namespace

QString BatchImport::usage()
{
    return QStringLiteral(
        "usage: talpex-batch import PROJECT_DB --record KEN --file LOGFILE [--format auto|levellogger|transducer|delimited]\n"
        "         [--skip-lines N] [--level-column NAME|NUMBER] [--unit UNIT] [--meaning depth|column]\n"
        "         [--sensor-depth MM] [--offset MM] [--temperature-column NAME|NUMBER | --temperature C]\n"
        "         [--elapsed-unit s|min|h] [--allow-gaps] [--every N | --interval MIN | --per-decade K]\n"
        "         [--start \"yyyy-MM-dd HH:mm:ss\"]\n"
        "       UNIT: ")
        + logger::unitNames().join(QLatin1Char('|')).remove(QLatin1Char(' ')) + QLatin1Char('\n');
}

void BatchImport::store(ado::Connection& cnn, long id, const std::vector<logger::Reading>& readings)
{
    ado::Transaction tx(cnn);
    cnn.Execute(QStringLiteral("DELETE FROM [E3] WHERE [ID]=%1").arg(id));
    const QString sql = QStringLiteral("INSERT INTO [E3] ([ID],[I1],[DATUM],[UHRZEIT],[DET],[TEMP],[HST]) VALUES (?,?,?,?,?,?,?)");
    sqlite3_stmt* st = cnn.prepareCached(sql);
    // The input form keeps a time difference as the text of a single: the
    // same value goes here. A log has few distinct steps, so each is converted once.
    QHash<float, double> minutes;
    const QDate zeroDate(1899, 12, 30);
    for (size_t i = 0; i < readings.size(); ++i) {
        const logger::Reading& r = readings[i];
        auto m = minutes.find(r.minutes);
        if (m == minutes.end()) m = minutes.insert(r.minutes, static_cast<float>(vb::ParseNumber(vb::CStr(r.minutes)).value_or(0)));
        sqlite3_bind_int64(st, 1, id);
        sqlite3_bind_int64(st, 2, static_cast<qint64>(i));
        sqlite3_bind_double(st, 3, vb::DateToSerial(vb::MakeDateTime(logger::fields::toDate(r.time))));
        sqlite3_bind_double(st, 4, vb::DateToSerial(vb::MakeDateTime(zeroDate, logger::fields::toTime(r.time))));
        sqlite3_bind_double(st, 5, *m);
        if (std::isnan(r.temperature)) sqlite3_bind_null(st, 6);
        else sqlite3_bind_double(st, 6, r.temperature);
        sqlite3_bind_double(st, 7, r.hPrime);
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        if (rc != SQLITE_DONE) cnn.raise(rc, sql);
    }
    // results computed from the old readings must not pass for results of the new
    EvaluationRows::markNotEvaluated(cnn, static_cast<qint32>(id));
    cnn.Execute(QStringLiteral("DELETE FROM [A2] WHERE [ID]=%1").arg(id));
    tx.commit();
}

int BatchImport::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    BatchRun run(out, err, usage());
    if (run.help(args)) return Success;
    const auto fail = [&run](const QString& text) { return run.fail(Failed, text); };
    BatchArguments a;
    if (const QString e = BatchArguments::parse(args, QStringLiteral("import"),
                                                {kRecord, kFile, kFormat, kLevelColumn, kUnit, kMeaning, kSensorDepth,
                                                 kOffset, kEvery, kInterval, kPerDecade, kStart, kTemperature,
                                                 kTemperatureColumn, kElapsedUnit, kSkipLines},
                                                a, {kAllowGaps});
        !e.isEmpty())
        return run.badArguments(e);
    if (!a.has(kRecord) || a.value(kRecord).isEmpty()) return fail(QStringLiteral("--record KEN is missing"));
    if (!a.has(kFile)) return fail(QStringLiteral("--file LOGFILE is missing"));
    const auto format = logger::formatFromName(a.value(kFormat));
    if (a.has(kFormat) && !format) return fail(QStringLiteral("unknown format '%1'").arg(a.value(kFormat)));

    logger::LoggerImport imp;
    try {
        imp.open(a.value(kFile), format.value_or(logger::Format::Auto));
        configure(a, imp);
    } catch (const logger::Error& e) {
        return fail(QStringLiteral("%1: %2").arg(a.value(kFile), e.text(true)));
    } catch (const Problem& p) {
        return fail(p.text);
    }

    if (!QFileInfo(a.project).isFile()) return fail(QStringLiteral("project database '%1' not found").arg(a.project));
    ado::Connection cnn;
    // an older file is brought up to date together with the readings, or not at all
    std::optional<ado::Transaction> tx;
    try {
        cnn.OpenFile(a.project);
        tx.emplace(cnn);
        schema::upgradeProject(cnn);
    } catch (const vb::VBError& e) {
        return fail(QStringLiteral("cannot open project database '%1': %2").arg(a.project, e.Description()));
    }
    std::vector<logger::Reading> readings;
    try {
        const long id = BatchRun::findRecord(cnn, a.value(kRecord));
        if (id == 0) return fail(QStringLiteral("no record '%1' in '%2'").arg(a.value(kRecord), a.project));
        ado::Recordset e2(QStringLiteral("SELECT [H] FROM [E2] WHERE [ID]=%1").arg(id), cnn);
        if (!e2.Eof() && e2.Value(0).toDouble() > 0) imp.pipeH = e2.Value(0).toDouble();
        try {
            readings = imp.readings();
        } catch (const logger::Error& e) {
            return fail(QStringLiteral("%1: %2").arg(a.value(kFile), e.text(true)));
        }
        store(cnn, id, readings);
        tx->commit();
    } catch (const vb::VBError& e) {
        return fail(QStringLiteral("cannot store the readings in '%1': %2").arg(a.project, e.Description()));
    }
    for (const QString& note : imp.notes(true)) out << note << '\n';
    out << "stored " << readings.size() << " readings in record '" << a.value(kRecord) << "' (" << describe(imp) << ")\n";
    out.flush();
    return Success;
}
