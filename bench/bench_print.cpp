// Seite 1 of an evaluated record printed into a PDF file, as panel 11 and
// talpex-batch print do it.
#include "BenchProject.h"
#include "data/Ado.h"
#include "evaluation/clsBERECHNEN.h"
#include "graphics/PrinterSurface.h"
#include "pages/PageDrawer.h"
#include "platform/MsgBox.h"
#include "batch/BatchPrint.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {


void BM_PrintPdf(benchmark::State& state)
{
    BenchProject project(true);
    Session& session = project.session;
    project.addMeasuredRecord(static_cast<int>(state.range(0)));
    session.cnnX.Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (1,1)"));
    vb::ScopedScriptedUi ui;
    if (clsBERECHNEN calc(session); !calc.BERECHNUNG()) {
        state.SkipWithError("evaluation failed");
        return;
    }
    std::unique_ptr<PageDrawer> page = BatchPrint::resultPage(session, false);
    if (!page) {
        state.SkipWithError("no result page");
        return;
    }
    const QString pdf = project.dir.filePath(QStringLiteral("seite1.pdf"));
    for (auto _ : state) {
        auto printer = gfx::PrinterSurface::pdfWriter(pdf);
        if (!page->print(*printer) || !ui->boxes().isEmpty()) {
            state.SkipWithError("printing failed");
            break;
        }
    }
    state.counters["pdf_kB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
}

} // namespace

BENCHMARK(BM_PrintPdf)->Arg(1000)->Unit(benchmark::kMillisecond);
