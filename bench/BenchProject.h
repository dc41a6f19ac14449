#pragma once
// What every benchmark starts from: a new project database in a temporary
// folder and a session whose working-copy connection is open on it.
#include "common/RecordRows.h"
#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"

#include <QTemporaryDir>
#include <cmath>

struct BenchProject {
    explicit BenchProject(bool developmentMode = false)
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        path = dir.filePath(QStringLiteral("TALPEX.mdb"));
        schema::createProjectDatabase(path);
        session.developmentMode = developmentMode; // presets from the project database
        session.cnnX.OpenFile(path);
    }

    // An active record header row.
    void addRecord(long id, const QString& ken) { testsupport::addRecord(session.cnnX, id, ken, true); }

    // Active record 1 "B1" with standpipe "Typ A" (also added to the presets), n = 2
    // and `readings` readings 10 min apart whose level falls like a real test's.
    void addMeasuredRecord(int readings)
    {
        ado::Connection& cnn = session.cnnX;
        ado::Transaction tx(cnn);
        addRecord(1, QStringLiteral("B1"));
        cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (1,2000,'Typ A',2)"));
        cnn.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) "
                                   "VALUES (0,'Typ A',100,50,4,1,0.1,0.01)"));
        ado::Recordset rs(QStringLiteral("SELECT * FROM [E3] WHERE [ID]=1"), cnn);
        for (int i = 0; i < readings; ++i) {
            rs.AddNew();
            rs.setValue(QStringLiteral("ID"), 1);
            rs.setValue(QStringLiteral("I1"), i);
            rs.setValue(QStringLiteral("DET"), i == 0 ? 0.0f : 10.0f);
            rs.setValue(QStringLiteral("TEMP"), 8.0f + (i % 7) * 0.5f);
            rs.setValue(QStringLiteral("HST"), static_cast<float>(2000 - 1800 * std::exp(-3.0 * i / readings)));
            rs.setValue(QStringLiteral("HKO"), 50.0f);
            rs.Update();
        }
        rs.Close();
        tx.commit();
    }

    QTemporaryDir dir;
    QString path;
    Session session;
};
