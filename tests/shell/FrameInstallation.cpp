#include "FrameInstallation.h"

#include "common/TestSupport.h"
#include "data/Ado.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QSettings>

FrameInstallation::FrameInstallation(const QString& programDir) : m_programDir(programDir)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root() + QStringLiteral("/config"));
    QDir().mkpath(programFolder());
    QDir().mkpath(dataFolder());
    QDir().mkpath(projectsFolder() + QStringLiteral("/DEMO"));
    schema::createProjectDatabase(programFolder() + QStringLiteral("/TALPEX.mdb"));
    schema::createFrameDatabase(dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    schema::createPresetsDatabase(dataFolder() + QStringLiteral("/VORGABE.mdb"));
    schema::createProjectDatabase(projectDb());
    setDatabasePath(dataFolder());
    sys->login = QStringLiteral("tester");
    sys->language = QStringLiteral("de");
    sys->decimal = QStringLiteral(",");
    addAdminRow(QStringLiteral("TESTER"), projectsFolder(), QStringLiteral("DEMO"), QStringLiteral("Ing. Berta Test"));
    session.programFolder = programFolder();
}

FrameInstallation::~FrameInstallation()
{
    session.cnnX.Close();
    session.cnnX_V.Close();
    session.cnnFrame.Close();
}

QString FrameInstallation::workingCopy() const
{
    return QDir::cleanPath(programFolder() + QStringLiteral("/..")) + QStringLiteral("/BENUTZER/TESTER/TALPEX.mdb");
}

void FrameInstallation::setDatabasePath(const QString& path)
{
    vb::SaveSetting(QStringLiteral("MORVANT"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"), path);
}

void FrameInstallation::addAdminRow(const QString& user, const QString& projects, const QString& project, const QString& op)
{
    ado::Connection cnn;
    cnn.OpenFile(dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN]"), cnn);
    rs.AddNew();
    rs.setValue(QStringLiteral("BENUTZER"), user);
    rs.setValue(QStringLiteral("PROG"), QStringLiteral("MORVANT"));
    rs.setValue(QStringLiteral("PROJEKTSPFAD"), projects);
    rs.setValue(QStringLiteral("PROJEKT"), project);
    rs.setValue(QStringLiteral("BEARBEITER"), op);
    rs.Update();
}

QVariant FrameInstallation::adminValue(const QString& user, const QString& column)
{
    ado::Connection cnn;
    cnn.OpenFile(dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]='") + sqlText(user) + QStringLiteral("'"), cnn);
    return rs.Eof() ? QVariant() : rs.Value(column);
}

int FrameInstallation::adminRows()
{
    ado::Connection cnn;
    cnn.OpenFile(dataFolder() + QStringLiteral("/ARCHIV.mdb"));
    ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN]"), cnn);
    return static_cast<int>(rs.RecordCount());
}

void FrameInstallation::addRecord(const QString& db, long id, const QString& ken, bool akt, const QString& kom)
{
    ado::Connection cnn;
    cnn.OpenFile(db);
    testsupport::addRecord(cnn, id, ken, akt, kom);
}

bool FrameInstallation::hasRecord(const QString& db, const QString& ken)
{
    ado::Connection cnn;
    cnn.OpenFile(db);
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1] WHERE [KEN]='") + sqlText(ken) + QStringLiteral("'"), cnn);
    return !rs.Eof();
}

void FrameInstallation::createFrameProgram()
{
    QFile f(root() + QStringLiteral("/MORVANT"));
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n");
}
