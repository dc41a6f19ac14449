// Save of a project with 20 records of 1,000 readings: the working copy
// written into the project file in place with SQLite's online backup,
// against the copy through a temporary file and a rename it replaced.
#include "BenchProject.h"
#include "data/DatabaseFile.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>

namespace {

struct SavedProject : BenchProject {
    QString project = dir.filePath(QStringLiteral("PROJEKT.mdb"));
    SavedProject()
    {
        ado::Transaction tx(session.cnnX);
        for (int id = 1; id <= 20; ++id) {
            addRecord(id, QStringLiteral("B%1").arg(id));
            session.cnnX.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1,2000,'Typ A',2)").arg(id));
            session.cnnX.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<999) "
                                                "INSERT INTO [E3] ([ID],[I1],[DATUM],[UHRZEIT],[DET],[TEMP],[HST],[HKO]) "
                                                "SELECT %1,i,37693+i/144,(i%144)/144.0,10,8+(i%7)*0.5,2000-i*1.7,50 FROM n").arg(id));
        }
        tx.commit();
        dbfile::copy(path, project);
    }
};

void BM_SaveProject(benchmark::State& state)
{
    SavedProject p;
    for (auto _ : state) dbfile::writeInto(p.path, p.project);
    state.counters["MB"] = static_cast<double>(QFileInfo(p.project).size()) / 1e6;
}

void BM_SaveProjectByRename(benchmark::State& state)
{
    SavedProject p;
    for (auto _ : state) vb::FileSystemObject().CopyFile(p.path, p.project);
}

} // namespace

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProjectByRename)->Unit(benchmark::kMillisecond);
