// The multiple-evaluation page loaded and drawn on its offscreen picture boxes
// for records x readings: every record's results read with its own key, the
// limits found from all curves, both diagrams, header and footer.
#include "BenchProject.h"
#include "data/Ado.h"
#include "pagewindows/mdiMSEITE1.h"
#include "platform/MsgBox.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

void addRecord(ado::Connection& cnn, int id, int readings)
{
    cnn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[AKT]) VALUES (%1,'KB-%1',1)").arg(id));
    cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1,500,'A',1)").arg(id));
    ado::Recordset e3(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=-1"), cnn);
    ado::Recordset a2(QStringLiteral("SELECT * FROM [A2] WHERE [ID]=-1"), cnn);
    for (int i = 0; i < readings; ++i) {
        e3.AddNew();
        e3.setValue(QStringLiteral("ID"), id);
        e3.setValue(QStringLiteral("I1"), i);
        e3.setValue(QStringLiteral("DET"), i == 0 ? 0.f : 15.f);
        e3.setValue(QStringLiteral("TEMP"), 10.f);
        e3.setValue(QStringLiteral("HST"), 100.f + i * 0.1f);
        e3.Update();
        a2.AddNew();
        a2.setValue(QStringLiteral("ID"), id);
        a2.setValue(QStringLiteral("I1"), i);
        a2.setValue(QStringLiteral("PHI"), 400.f - i * 0.1f);
        a2.setValue(QStringLiteral("DETN"), 15.f);
        if (i < readings - 1)
            a2.setValue(QStringLiteral("K10"), static_cast<float>(id * 1e-7 * std::exp(-1.0 * i / readings)));
        a2.Update();
    }
}

void BM_MultiPage(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    const int readings = static_cast<int>(state.range(1));
    BenchProject project;
    ado::Connection& cnn = project.session.cnnX;
    {
        ado::Transaction tx(cnn);
        for (int id = 1; id <= records; ++id) addRecord(cnn, id, readings);
        cnn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (0,'M','Mehrfachauswertung',0)"));
        cnn.Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (0,1)"));
        cnn.Execute(QStringLiteral("INSERT INTO [M1] ([IDM],[KOM],[BESCHR11],[GITT],[GITK10]) VALUES (1,'Bench',1,1,1)"));
        tx.commit();
    }
    vb::ScopedScriptedUi ui;
    for (auto _ : state) {
        mdiMSEITE1 page(project.session);
        page.Form_Load();
        benchmark::DoNotOptimize(page.picBILD110()->picture().constBits());
    }
    state.SetComplexityN(static_cast<int64_t>(records) * readings);
    if (!ui->boxes().isEmpty()) state.SkipWithError("a message box was shown");
}

} // namespace

BENCHMARK(BM_MultiPage)->Args({20, 1000})->Args({5, 1000})->Args({20, 250})->Unit(benchmark::kMillisecond);
