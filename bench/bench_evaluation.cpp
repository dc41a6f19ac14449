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

void BM_Evaluate(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    BenchProject project(true);
    project.addMeasuredRecord(readings);
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
