// Copying one record of n readings, with its results, into another project.
#include "BenchProject.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "exchange/RecordCopy.h"

#include <QDate>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

void fillRecord(ado::Connection& cnn, int n)
{
    ado::Transaction tx(cnn);
    cnn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (1,'B1','Schurf 1',1)"));
    cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,1250,'SR 300/20',2)"));
    cnn.Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU],[BILD14AN],[GITT],[GITK10]) VALUES (1,0,-1,0,0)"));
    cnn.Execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY]) VALUES (1,11,1,1)"));
    ado::Recordset e3(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=1"), cnn);
    ado::Recordset a2(QStringLiteral("SELECT * FROM [A2] WHERE [ID]=1"), cnn);
    for (int i = 0; i < n; ++i) {
        e3.AddNew();
        e3.setValue(QStringLiteral("ID"), 1);
        e3.setValue(QStringLiteral("I1"), i);
        e3.setValue(QStringLiteral("DATUM"), QDate(2002, 5, 14));
        e3.setValue(QStringLiteral("DET"), 10);
        e3.setValue(QStringLiteral("TEMP"), 11.5);
        e3.setValue(QStringLiteral("HST"), 300.0 + i * 0.01);
        e3.Update();
        a2.AddNew();
        a2.setValue(QStringLiteral("ID"), 1);
        a2.setValue(QStringLiteral("I1"), i);
        a2.setValue(QStringLiteral("PHI"), 900.0 - i * 0.01);
        a2.setValue(QStringLiteral("DETN"), 10.0);
        a2.setValue(QStringLiteral("K10"), 1.0e-8);
        a2.Update();
    }
    tx.commit();
}

// A second, empty project file to copy into.
struct EmptyProject {
    QTemporaryDir dir;
    ado::Connection cnn;
    EmptyProject()
    {
        const QString path = dir.filePath(QStringLiteral("TALPEX.mdb"));
        schema::createProjectDatabase(path);
        cnn.OpenFile(path);
    }
};

void BM_CopyRecord(benchmark::State& state)
{
    BenchProject source;
    fillRecord(source.session.cnnX, static_cast<int>(state.range(0)));
    EmptyProject target;
    ado::Connection& cnn = target.cnn;
    RecordCopy copy(source.session, source.session.cnnX, cnn);
    for (auto _ : state) benchmark::DoNotOptimize(copy.copyRecord(1));
}
BENCHMARK(BM_CopyRecord)->Arg(32767)->Unit(benchmark::kMillisecond);


// The same copy with plain prepared SQLite statements: per pass one target
// transaction that finds the next free ID and inserts every row of the six
// record tables under it, values handed over as the engine holds them.
void BM_SqliteBaselineCopy(benchmark::State& state)
{
    BenchProject source;
    fillRecord(source.session.cnnX, static_cast<int>(state.range(0)));
    EmptyProject target;
    ado::Connection& cnn = target.cnn;
    sqlite3* from = source.session.cnnX.handle();
    sqlite3* into = cnn.handle();
    struct Table {
        sqlite3_stmt* select = nullptr;
        sqlite3_stmt* insert = nullptr;
        sqlite3_stmt* max = nullptr;
        int idColumn = 0;
    };
    QVector<Table> tables;
    for (const QString& name : schema::kRecordTables) {
        Table t;
        sqlite3_prepare_v2(from, QStringLiteral("SELECT * FROM [%1] WHERE [ID]=1").arg(name).toUtf8().constData(), -1,
                           &t.select, nullptr);
        const int columns = sqlite3_column_count(t.select);
        QStringList marks;
        for (int i = 0; i < columns; ++i) {
            marks << QStringLiteral("?");
            if (qstrcmp(sqlite3_column_name(t.select, i), "ID") == 0) t.idColumn = i;
        }
        sqlite3_prepare_v2(into, QStringLiteral("INSERT INTO [%1] VALUES (%2)").arg(name, marks.join(QLatin1Char(','))).toUtf8().constData(),
                           -1, &t.insert, nullptr);
        sqlite3_prepare_v2(into, QStringLiteral("SELECT MAX([ID]) FROM [%1]").arg(name).toUtf8().constData(), -1, &t.max,
                           nullptr);
        tables.append(t);
    }
    for (auto _ : state) {
        sqlite3_exec(into, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_int64 newId = 1;
        for (const Table& t : tables) {
            if (sqlite3_step(t.max) == SQLITE_ROW) newId = std::max(newId, sqlite3_column_int64(t.max, 0) + 1);
            sqlite3_reset(t.max);
        }
        bool ok = true;
        for (const Table& t : tables) {
            const int columns = sqlite3_column_count(t.select);
            while (sqlite3_step(t.select) == SQLITE_ROW) {
                for (int i = 0; i < columns; ++i) {
                    if (i == t.idColumn) sqlite3_bind_int64(t.insert, i + 1, newId);
                    else sqlite3_bind_value(t.insert, i + 1, sqlite3_column_value(t.select, i));
                }
                ok = sqlite3_step(t.insert) == SQLITE_DONE && ok;
                sqlite3_reset(t.insert);
            }
            sqlite3_reset(t.select);
        }
        sqlite3_exec(into, "COMMIT", nullptr, nullptr, nullptr);
        if (!ok) {
            state.SkipWithError("copy failed");
            break;
        }
    }
    for (const Table& t : tables) {
        sqlite3_finalize(t.select);
        sqlite3_finalize(t.insert);
        sqlite3_finalize(t.max);
    }
}
BENCHMARK(BM_SqliteBaselineCopy)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace
