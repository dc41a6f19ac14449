#pragma once
// A frame installation in a temporary folder, as the frame program leaves it
// for one user: program folder with the empty database, frame and presets
// databases, a project with its database, the per-user setting and the ADMIN
// row. Settings go to a private folder; the system service is scripted.
#include "common/TestSupport.h"
#include "data/Session.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <QString>
#include <QVariant>

class FrameInstallation {
public:
    // programDir: the program folder's name below the root ("TALPEX", or a path with "SOURCE").
    explicit FrameInstallation(const QString& programDir = QStringLiteral("TALPEX"));
    ~FrameInstallation();

    QString root() const { return m_dir.path(); }
    QString programFolder() const { return root() + QLatin1Char('/') + m_programDir; }
    QString dataFolder() const { return root() + QStringLiteral("/DATEN"); }
    QString projectsFolder() const { return root() + QStringLiteral("/PROJEKTE"); }
    QString projectDb() const { return projectsFolder() + QStringLiteral("/DEMO/TALPEX.mdb"); }
    QString workingCopy() const;

    void setDatabasePath(const QString& path);
    void addAdminRow(const QString& user, const QString& projects, const QString& project, const QString& op);
    QVariant adminValue(const QString& user, const QString& column);
    int adminRows();
    // Adds a record (E1 row) to a database file.
    static void addRecord(const QString& db, long id, const QString& ken, bool akt, const QString& kom = QString());
    static bool hasRecord(const QString& db, const QString& ken);
    void createFrameProgram(); // an executable stand-in file ROOT/MORVANT

    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    Session session;

private:
    testsupport::TempDir m_dir;
    QString m_programDir;
};
