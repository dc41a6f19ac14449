// Save of a project with 20 records of 1,000 readings: the working copy
// written into the project file in place with SQLite's online backup,
// against the copy through a temporary file and a rename it replaced.
// Start and Save at office scale: 1,000 records of 1,000 readings, the
// working copy taken from the project and written back, the check whether
// others changed the project included.
#include "BenchProject.h"
#include "data/DatabaseFile.h"
#include "platform/FileSystem.h"
#include "shell/WorkingCopy.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

// Records 1..n, each with its E2 row and 1,000 readings.
void addRecords(BenchProject& p, int n)
{
    ado::Connection& cnn = p.session.cnnX;
    ado::Transaction tx(cnn);
    for (int id = 1; id <= n; ++id) {
        p.addRecord(id, QStringLiteral("B%1").arg(id));
        cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1,2000,'Typ A',2)").arg(id));
        cnn.Execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM n WHERE i<999) "
                                   "INSERT INTO [E3] ([ID],[I1],[DATUM],[UHRZEIT],[DET],[TEMP],[HST],[HKO]) "
                                   "SELECT %1,i,37693+i/144,(i%144)/144.0,10,8+(i%7)*0.5,2000-i*1.7,50 FROM n").arg(id));
    }
    tx.commit();
}

struct SavedProject : BenchProject {
    QString project = dir.filePath(QStringLiteral("PROJEKT.mdb"));
    SavedProject()
    {
        addRecords(*this, 20);
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

// The large project where a frame installation keeps it, and a user's working copy of it.
struct LargeProject : BenchProject {
    LargeProject()
    {
        addRecords(*this, 1000);
        session.cnnX.Close();
        session.programFolder = dir.filePath(QStringLiteral("TALPEX"));
        session.BENUTZER = QStringLiteral("BENCH");
        session.PROJEKTSPFAD = dir.filePath(QStringLiteral("PROJEKTE"));
        session.PROJEKT = QStringLiteral("GROSS");
        QDir().mkpath(session.PROJEKTSPFAD + QStringLiteral("/GROSS"));
        QFile::rename(path, session.projectDatabasePath());
    }
    double megabytes() const { return static_cast<double>(QFileInfo(session.projectDatabasePath()).size()) / 1e6; }
    WorkingCopy copy{session};
};

void BM_StartLargeProject(benchmark::State& state)
{
    LargeProject p;
    for (auto _ : state) {
        p.copy.removeLeftovers();
        p.copy.createFromProject();
        p.session.cnnX.OpenFile(p.session.XMDBPFAD());
        schema::upgradeProject(p.session.cnnX);
        p.session.cnnX.Close();
    }
    state.counters["MB"] = p.megabytes();
}

void BM_SaveLargeProject(benchmark::State& state)
{
    LargeProject p;
    p.copy.createFromProject();
    for (auto _ : state) {
        dbfile::FileState found;
        if (!p.copy.saveToProject(p.copy.origin(), found)) state.SkipWithError("the project changed behind the copy");
    }
    state.counters["MB"] = p.megabytes();
}

} // namespace

BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProjectByRename)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartLargeProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLargeProject)->Unit(benchmark::kMillisecond);
