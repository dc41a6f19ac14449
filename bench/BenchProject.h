#pragma once
// What every benchmark starts from: a new project database in a temporary
// folder and a session whose working-copy connection is open on it.
#include "common/RecordRows.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"

#include <QTemporaryDir>

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

    QTemporaryDir dir;
    QString path;
    Session session;
};
