// Seite 1 of an evaluated record printed into a PDF file, as panel 11 and
// talpex-batch print do it.
#include "BenchProject.h"
#include "data/Ado.h"
#include "evaluation/clsBERECHNEN.h"
#include "graphics/PrinterSurface.h"
#include "pages/ResultPage.h"
#include "platform/MsgBox.h"
#include "shell/BatchPrint.h"

#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

void fillPrintedRecord(ado::Connection& cnn, int readings)
{
    ado::Transaction tx(cnn);
    cnn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (1,'B1','Versuchsfeld Nord',1)"));
    cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,2000,'Typ A',2)"));
    cnn.Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (1,1)"));
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

void BM_PrintPdf(benchmark::State& state)
{
    BenchProject project(true);
    Session& session = project.session;
    fillPrintedRecord(session.cnnX, static_cast<int>(state.range(0)));
    vb::ScopedScriptedUi ui;
    if (clsBERECHNEN calc; !calc.BERECHNUNG()) {
        state.SkipWithError("evaluation failed");
        return;
    }
    std::unique_ptr<ResultPage> page = BatchPrint::resultPage(session, false);
    if (!page) {
        state.SkipWithError("no result page");
        return;
    }
    const QString pdf = project.dir.filePath(QStringLiteral("seite1.pdf"));
    for (auto _ : state) {
        auto printer = gfx::PrinterSurface::pdfPrinter(pdf);
        if (!page->DRUCKEN(*printer) || !ui->boxes().isEmpty()) {
            state.SkipWithError("printing failed");
            break;
        }
    }
    state.counters["pdf_kB"] = static_cast<double>(QFileInfo(pdf).size()) / 1024.0;
}

} // namespace

BENCHMARK(BM_PrintPdf)->Arg(1000)->Unit(benchmark::kMillisecond);
