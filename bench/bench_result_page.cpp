// Loading and drawing the result page of one record, off screen: the reads,
// the header and footer, the k10 history with its level overlay, the strip
// and the table (the rows that fit), the diagram limits computed afresh.
#include "BenchProject.h"
#include "data/Ado.h"
#include "evaluation/clsBERECHNEN.h"
#include "pagewindows/mdiSEITE1.h"
#include "platform/MsgBox.h"

#include <benchmark/benchmark.h>

namespace {

void fillEvaluatedRecord(BenchProject& project, int readings)
{
    project.addMeasuredRecord(readings);
    clsBERECHNEN calc(project.session);
    calc.BERECHNUNG();
    project.session.cnnX.Execute(
        QStringLiteral("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[GITT],[GITK10]) VALUES (1,1,1,1,1)"));
}

void BM_ResultPage(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    BenchProject project(true);
    fillEvaluatedRecord(project, readings);
    vb::ScopedScriptedUi ui;

    for (auto _ : state) {
        mdiSEITE1 page(project.session);
        page.resize(1280, 860);
        page.Form_Load();
        benchmark::DoNotOptimize(page.picBILD11()->picture());
        if (!ui->boxes().isEmpty() || page.drawer().series().K10.size() != readings - 2) {
            state.SkipWithError("page failed");
            break;
        }
    }
    state.SetComplexityN(readings);
}

} // namespace

BENCHMARK(BM_ResultPage)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
