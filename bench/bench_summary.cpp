// The project summary: every record of a project evaluated in memory and
// fitted over its range, as the batch summary and the program's export do it.
#include "BenchProject.h"
#include "data/Ado.h"
#include "evaluation/ProjectSummary.h"

#include <benchmark/benchmark.h>

namespace {

// `records` records of 100 readings each, 10 min apart, every one falling
// at its own rate; record 1 brings the standpipe into the presets.
void fillProject(BenchProject& project, int records)
{
    project.addMeasuredRecord(100);
    ado::Connection& cnn = project.session.cnnX;
    ado::Transaction tx(cnn);
    ado::Recordset e3(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=0"), cnn);
    for (int id = 2; id <= records; ++id) {
        testsupport::addRecord(cnn, id, QStringLiteral("B%1").arg(id, 4, 10, QLatin1Char('0')), false);
        cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1,2000,'Typ A',2)").arg(id));
        const double rate = 1.0 + (id % 13) * 0.25;
        for (int i = 0; i < 100; ++i) {
            e3.AddNew();
            e3.setValue(QStringLiteral("ID"), id);
            e3.setValue(QStringLiteral("I1"), i);
            e3.setValue(QStringLiteral("DET"), i == 0 ? 0.0f : 10.0f);
            e3.setValue(QStringLiteral("TEMP"), 8.0f + (i % 7) * 0.5f);
            e3.setValue(QStringLiteral("HST"), static_cast<float>(2000 - 1800 * std::exp(-rate * i / 100)));
            e3.setValue(QStringLiteral("HKO"), 50.0f);
            e3.Update();
        }
    }
    e3.Close();
    tx.commit();
}

void BM_ProjectSummary(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    BenchProject project(true);
    fillProject(project, records);
    for (auto _ : state) {
        const QVector<RecordSummary> lines = ProjectSummary::evaluateAll(project.session);
        if (lines.size() != records || !lines.last().fit.evaluable) {
            state.SkipWithError("a record was not evaluated");
            break;
        }
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetComplexityN(records);
}

} // namespace

BENCHMARK(BM_ProjectSummary)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
