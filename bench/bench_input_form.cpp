// Saving and loading a record through the input form: OK writes the header,
// the parameters and the readings grid column by column; OEFFNEN reads them
// back into a new form and refreshes the grid.
#include "BenchProject.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "input/mdiEINGABE.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/MsgBox.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct FormBench : BenchProject {
    explicit FormBench(int readings) : BenchProject(true)
    {
        session.cnnX.Execute(QStringLiteral(
            "INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'Typ A',100,20,4,0.5,-0.01,0.0001)"));
        form = std::make_unique<mdiEINGABE>(session);
        form->txtKEN()->setText(QStringLiteral("B1"));
        form->txtH()->setText(QStringLiteral("1250"));
        vb::FlexGrid* g = form->msgFLX();
        g->setRows(g->FixedRows() + readings);
        for (int i = 0; i < readings; ++i) {
            const int r = g->FixedRows() + i;
            const int minutes = 10 * i;
            g->setTextMatrix(r, 1, QStringLiteral("%1.03.03").arg(1 + minutes / 1440, 2, 10, QLatin1Char('0')));
            g->setTextMatrix(r, 2, QStringLiteral("%1:%2:00").arg(minutes / 60 % 24, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0')));
            g->setTextMatrix(r, 4, vb::CStr(8.0f + (i % 7) * 0.5f));
            g->setTextMatrix(r, 5, vb::CStr(100.0f + 1500.0f * i / readings));
            g->setTextMatrix(r, 6, vb::CStr(50.0f - (i % 5) * 0.1f));
        }
    }

    vb::ScopedScriptedUi ui;
    std::unique_ptr<mdiEINGABE> form;
};

void BM_InputFormSave(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    FormBench b(readings);
    for (auto _ : state) {
        if (!b.form->OK(1) || !b.ui->boxes().isEmpty()) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.counters["readings/s"] = benchmark::Counter(readings, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_InputFormLoad(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    FormBench b(readings);
    if (!b.form->OK(1)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        mdiEINGABE form(b.session); // a record is opened in a new form
        form.OEFFNEN(1);
        if (form.msgFLX()->Rows() != form.msgFLX()->FixedRows() + readings || !b.ui->boxes().isEmpty()) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.counters["readings/s"] = benchmark::Counter(readings, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_InputFormSave)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InputFormLoad)->Arg(1000)->Unit(benchmark::kMillisecond);
