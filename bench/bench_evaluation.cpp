// End-to-end evaluation of one record: reading E2, E3 and the presets,
// computing, writing A2 (the record's previous results replaced each time).
#include "BenchProject.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "evaluation/clsBERECHNEN.h"
#include "platform/MsgBox.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void fillRecord(ado::Connection& cnn, int readings)
{
    ado::Transaction tx(cnn);
    testsupport::addRecord(cnn, 1, QStringLiteral("B1"), true);
    cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,2000,'Typ A',2)"));
    cnn.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'Typ A',100,50,4,1,0.1,0.01)"));
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=1"), cnn);
    for (int i = 0; i < readings; ++i) {
        rs.AddNew();
        rs.setValue(QStringLiteral("ID"), 1);
        rs.setValue(QStringLiteral("I1"), i);
        rs.setValue(QStringLiteral("DET"), i == 0 ? 0.0f : 10.0f);
        rs.setValue(QStringLiteral("TEMP"), 8.0f + (i % 7) * 0.5f);
        rs.setValue(QStringLiteral("HST"), 100.0f + 1500.0f * i / readings);
        rs.setValue(QStringLiteral("HKO"), 50.0f - (i % 5) * 0.1f);
        rs.Update();
    }
    rs.Close();
    tx.commit();
}

void BM_Evaluate(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    BenchProject project(true);
    Session& session = project.session;
    fillRecord(session.cnnX, readings);
    vb::ScopedScriptedUi ui;

    for (auto _ : state) {
        clsBERECHNEN calc;
        if (!calc.BERECHNUNG() || !ui->boxes().isEmpty()) {
            state.SkipWithError("evaluation failed");
            break;
        }
    }
    state.SetComplexityN(readings);
    state.counters["readings/s"] = benchmark::Counter(readings, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_Evaluate)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
