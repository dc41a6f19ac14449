// End-to-end evaluation of one record: reading E2, E3 and the presets,
// computing, writing A2 (the record's previous results replaced each time).
#include "BenchProject.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "evaluation/clsBERECHNEN.h"
#include "platform/MsgBox.h"

#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

void BM_Evaluate(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    BenchProject project(true);
    project.addMeasuredRecord(readings);
    vb::ScopedScriptedUi ui;

    for (auto _ : state) {
        clsBERECHNEN calc(project.session);
        const bool ok = calc.BERECHNUNG();
        if (!ui->boxes().isEmpty()) {
            state.SkipWithError(ui->boxes().first().text.toStdString().c_str());
            break;
        }
        if (!ok) {
            state.SkipWithError("evaluation failed");
            break;
        }
    }
    state.SetComplexityN(readings);
    state.counters["readings/s"] = benchmark::Counter(readings, benchmark::Counter::kIsIterationInvariantRate);
}

// What BERECHNUNG does to the database, done with plain prepared SQLite
// statements in one transaction: the index column and four reading columns
// read in I1 order, the record's old results deleted, one A2 row per step
// inserted and its four result columns written row by row.
void BM_SqliteBaselineEvaluate(benchmark::State& state)
{
    const int readings = static_cast<int>(state.range(0));
    BenchProject project(true);
    project.addMeasuredRecord(readings);
    sqlite3* db = project.session.cnnX.handle();
    const auto prepare = [db](const char* sql) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        return st;
    };
    sqlite3_stmt* index = prepare("SELECT [I1] FROM [E3] WHERE [ID]=1 ORDER BY [I1]");
    std::array<sqlite3_stmt*, 4> reads{prepare("SELECT [DET],[I1] FROM [E3] WHERE [ID]=1 ORDER BY [I1]"),
                                       prepare("SELECT [TEMP],[I1] FROM [E3] WHERE [ID]=1 ORDER BY [I1]"),
                                       prepare("SELECT [HST],[I1] FROM [E3] WHERE [ID]=1 ORDER BY [I1]"),
                                       prepare("SELECT [HKO],[I1] FROM [E3] WHERE [ID]=1 ORDER BY [I1]")};
    sqlite3_stmt* remove = prepare("DELETE FROM [A2] WHERE [ID]=1");
    sqlite3_stmt* insert = prepare("INSERT INTO [A2] ([ID],[I1]) VALUES (1,?)");
    std::array<sqlite3_stmt*, 4> writes{prepare("UPDATE [A2] SET [PHI]=? WHERE [ID]=1 AND [I1]=?"),
                                        prepare("UPDATE [A2] SET [DETN]=? WHERE [ID]=1 AND [I1]=?"),
                                        prepare("UPDATE [A2] SET [K10]=? WHERE [ID]=1 AND [I1]=?"),
                                        prepare("UPDATE [A2] SET [DEHKO]=? WHERE [ID]=1 AND [I1]=?")};
    const auto run = [](sqlite3_stmt* st) {
        const int rc = sqlite3_step(st);
        sqlite3_reset(st);
        return rc == SQLITE_DONE;
    };
    std::array<QVector<float>, 4> columns;
    for (auto& c : columns) c.resize(readings);
    const int rows = readings - 1; // step width 2: one result row fewer than readings
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        int last = -1;
        while (sqlite3_step(index) == SQLITE_ROW) last = sqlite3_column_int(index, 0);
        sqlite3_reset(index);
        for (size_t c = 0; c < reads.size(); ++c) {
            while (sqlite3_step(reads[c]) == SQLITE_ROW) {
                const int i = sqlite3_column_int(reads[c], 1);
                if (i >= 0 && i <= last) columns[c][i] = static_cast<float>(sqlite3_column_double(reads[c], 0));
            }
            sqlite3_reset(reads[c]);
        }
        bool ok = run(remove);
        for (int i = 0; i < rows; ++i) {
            sqlite3_bind_int(insert, 1, i);
            ok = run(insert) && ok;
        }
        for (size_t c = 0; c < writes.size(); ++c) {
            for (int i = 0; i < rows; ++i) {
                // K10 and DEHKO stay empty in the last row.
                if (c >= 2 && i == rows - 1) sqlite3_bind_null(writes[c], 1);
                else sqlite3_bind_double(writes[c], 1, columns[c][i] * 0.5f);
                sqlite3_bind_int(writes[c], 2, i);
                ok = run(writes[c]) && ok;
            }
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        if (!ok) {
            state.SkipWithError("write failed");
            break;
        }
    }
    for (auto* st : reads) sqlite3_finalize(st);
    for (auto* st : writes) sqlite3_finalize(st);
    sqlite3_finalize(index);
    sqlite3_finalize(remove);
    sqlite3_finalize(insert);
}

} // namespace

BENCHMARK(BM_Evaluate)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_SqliteBaselineEvaluate)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);
