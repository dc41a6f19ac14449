// One grid column of readings written to E3 and read back through clsDATEN
// (grid and array transfers), against the same rows through plain prepared
// SQLite statements in one transaction.
#include "BenchProject.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "widgets/ControlData.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/MsgBox.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

struct Project : BenchProject {
    Session& s = session;
    Project()
    {
        addRecord(1, QStringLiteral("B"));
    }
};

void BM_DataColumn(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    Project p;
    vb::ScopedScriptedUi ui;
    vb::FlexGrid grid;
    grid.setCols(3);
    grid.setRows(n + 1);
    QVector<float> values(n);
    for (int i = 0; i < n; ++i) {
        grid.setTextMatrix(i + 1, 1, QString::number(i));
        grid.setTextMatrix(i + 1, 2, vb::CStr(static_cast<float>(i) * 0.5f));
        values[i] = static_cast<float>(i) * 0.25f;
    }
    ControlData d(p.s);
    d.setETABELLE(QStringLiteral("E3"));
    if (!d.DFTFM(QStringLiteral("I1"), &grid, QStringLiteral("1"), {{"I1"}})) state.SkipWithError("index column");
    vb::FlexGrid back;
    back.setCols(3);
    QVector<float> read(n);
    for (auto _ : state) {
        bool ok = d.DFTFM(QStringLiteral("HST"), &grid, QStringLiteral("2"), {{"I1"}});
        ok = ok && d.DTFFM(QStringLiteral("HST"), &back, QStringLiteral("2"), {{"I1"}});
        ok = ok && d.DVTSF(QStringLiteral("HKO"), values, {{"I1"}});
        ok = ok && d.DTVSF(QStringLiteral("HKO"), read, {{"I1"}});
        if (!ok || !ui->boxes().isEmpty()) state.SkipWithError("transfer failed");
        benchmark::DoNotOptimize(read.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The same work without the transfer layer: per pass one transaction that
// writes the column's rows and one read back, for the grid pass and the array pass.
void BM_SqliteBaselineColumn(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    Project p;
    sqlite3* db = p.s.cnnX.handle();
    p.s.cnnX.Execute(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM c WHERE x < %1) "
                                         "INSERT INTO [E3] ([ID],[I1]) SELECT 1, x FROM c").arg(n - 1));
    sqlite3_stmt* upd = nullptr;
    sqlite3_stmt* sel = nullptr;
    sqlite3_prepare_v2(db, "UPDATE [E3] SET [HST]=? WHERE [ID]=1 AND [I1]=?", -1, &upd, nullptr);
    sqlite3_prepare_v2(db, "SELECT [HST] FROM [E3] WHERE [ID]=1 ORDER BY [I1]", -1, &sel, nullptr);
    QStringList text(n);
    for (int i = 0; i < n; ++i) text[i] = vb::CStr(static_cast<float>(i) * 0.5f);
    QVector<float> read(n);
    for (auto _ : state) {
        for (int pass = 0; pass < 2; ++pass) {
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            for (int i = 0; i < n; ++i) {
                const double v = pass == 0 ? *vb::ParseNumber(text[i]) : i * 0.25;
                sqlite3_bind_double(upd, 1, v);
                sqlite3_bind_int(upd, 2, i);
                sqlite3_step(upd);
                sqlite3_reset(upd);
            }
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            int i = 0;
            while (sqlite3_step(sel) == SQLITE_ROW && i < n) read[i++] = static_cast<float>(sqlite3_column_double(sel, 0));
            sqlite3_reset(sel);
        }
        benchmark::DoNotOptimize(read.data());
    }
    sqlite3_finalize(upd);
    sqlite3_finalize(sel);
    state.SetItemsProcessed(state.iterations() * n);
}

} // namespace

BENCHMARK(BM_DataColumn)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteBaselineColumn)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
