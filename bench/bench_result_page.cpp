// Loading and drawing the result page of one record, off screen: the reads,
// the header and footer, the k10 history with its level overlay, the strip
// and the table (the rows that fit), the diagram limits computed afresh.
#include "BenchProject.h"
#include "data/Ado.h"
#include "evaluation/clsBERECHNEN.h"
#include "pages/mdiSEITE1.h"
#include "platform/MsgBox.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

void fillEvaluatedRecord(ado::Connection& cnn, int readings)
{
    {
        ado::Transaction tx(cnn);
        cnn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (1,'SR-B3','Baufeld Nord',1)"));
        cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,2000,'Typ A',2)"));
        cnn.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'Typ A',100,50,4,1,0.1,0.01)"));
        ado::Recordset rs(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=1"), cnn);
        for (int i = 0; i < readings; ++i) {
            rs.AddNew();
            rs.setValue(QStringLiteral("ID"), 1);
            rs.setValue(QStringLiteral("I1"), i);
            rs.setValue(QStringLiteral("DET"), i == 0 ? 0.0f : 10.0f);
            rs.setValue(QStringLiteral("TEMP"), 8.0f + (i % 7) * 0.5f);
            rs.setValue(QStringLiteral("HST"), static_cast<float>(2000 - 1800 * std::exp(-3.0 * i / readings)));
            rs.setValue(QStringLiteral("HKO"), 50.0f);
            rs.Update();
        }
        rs.Close();
        tx.commit();
    }
    clsBERECHNEN calc;
    calc.BERECHNUNG();
    cnn.Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[GITT],[GITK10]) VALUES (1,1,1,1,1)"));
}

void BM_ResultPage(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    BenchProject project(true);
    fillEvaluatedRecord(project.session.cnnX, readings);
    vb::ScopedScriptedUi ui;

    for (auto _ : state) {
        mdiSEITE1 page(project.session);
        page.resize(1280, 860);
        page.Form_Load();
        benchmark::DoNotOptimize(page.picBILD11()->picture());
        if (!ui->boxes().isEmpty() || page.series().K10.size() != readings - 2) {
            state.SkipWithError("page failed");
            break;
        }
    }
    state.SetComplexityN(readings);
}

} // namespace

BENCHMARK(BM_ResultPage)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
