// Copying one record of n readings, with its results, into another project.
#include "BenchProject.h"
#include "data/Ado.h"
#include "exchange/RecordCopy.h"

#include <QDate>
#include <benchmark/benchmark.h>

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

void BM_CopyRecord(benchmark::State& state)
{
    BenchProject source;
    fillRecord(source.session.cnnX, static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("TALPEX.mdb"));
    schema::createProjectDatabase(target);
    ado::Connection cnn;
    cnn.OpenFile(target);
    RecordCopy copy(source.session, source.session.cnnX, cnn);
    for (auto _ : state) benchmark::DoNotOptimize(copy.copyRecord(1));
}
BENCHMARK(BM_CopyRecord)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace
