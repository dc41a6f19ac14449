// Logger files: reading a level logger's export of a million lines, and
// thinning and storing a record's worth of readings, as the batch import does.
#include "BenchProject.h"
#include "common/LoggerFiles.h"
#include "batch/BatchImport.h"
#include "logger/LoggerImport.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

testsupport::FallingHeadLog logOf(qint64 lines)
{
    testsupport::FallingHeadLog log;
    log.before = 0;
    log.seconds = static_cast<int>(lines) - 1;
    log.rate = 1e-6;
    return log;
}

void BM_LoggerRead(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("levellogger.csv"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(logOf(state.range(0)).levelLogger());
    }
    for (auto _ : state) {
        logger::LoggerImport imp;
        imp.open(path);
        if (imp.series().times.size() != static_cast<size_t>(state.range(0))) state.SkipWithError("rows missing");
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoggerRead)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LoggerImport(benchmark::State& state)
{
    BenchProject project;
    project.addRecord(1, QStringLiteral("B1"));
    logger::LoggerImport imp;
    imp.load(logOf(state.range(0)).levelLogger(), logger::Format::Auto, 0);
    imp.conversion.sensorDepth = 2500;
    imp.series(); // read once, outside the measurement
    for (auto _ : state) {
        const std::vector<logger::Reading> readings = imp.readings();
        BatchImport::store(project.session.cnnX, 1, readings);
        if (readings.size() != static_cast<size_t>(state.range(0))) state.SkipWithError("readings missing");
    }
    state.counters["readings/s"] = benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoggerImport)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace
