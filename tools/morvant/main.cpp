// MORVANT stand-in: the least of the family's frame program that lets a user
// start TALPEX. It keeps the frame database ARCHIV.mdb (table ADMIN) and the
// presets database VORGABE.mdb, the information system's database DOLMIR.mdb,
// the per-user setting that names their folder, and the current user's launch
// row; then it starts the program.
//
//   MORVANT [--data DIR] [--projects DIR] [--project NAME] [--operator NAME] [--no-start]
//
// Without options (as TALPEX starts it at exit) it only checks and exits.
#include "data/Ado.h"
#include "data/Schema.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "platform/VBError.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

namespace {

QString absolute(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

void say(const QString& text) { std::fprintf(stdout, "MORVANT: %s\n", qPrintable(text)); }

struct Options {
    QString data, projects, project, operatorName;
    bool given = false; // any option at all
    bool start = true;
};

// The information system DOLMIR, as far as its tables take exports of the
// family's programs: E0 (source of a record), E1 (designation), E4_1 (permeability).
void createInformationSystem(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) vb::Raise(vb::errPathNotFound, QStringLiteral("Cannot create ") + path);
    file.close();
    ado::Connection cnn;
    cnn.OpenFile(path);
    ado::Transaction tx(cnn);
    cnn.Execute(QStringLiteral("CREATE TABLE [E0] ([ID] INTEGER, [DATUM] DATETIME, [QART] SMALLINT, [PROJ] TEXT COLLATE NOCASE, "
                               "[QUELLE] TEXT, [BEARBEITER] TEXT)"));
    cnn.Execute(QStringLiteral("CREATE TABLE [E1] ([ID] INTEGER, [KEN] TEXT COLLATE NOCASE, [KOM] TEXT)"));
    cnn.Execute(QStringLiteral("CREATE TABLE [E4_1] ([ID] INTEGER, [KF] FLOAT4)"));
    for (const char* t : {"E0", "E1", "E4_1"})
        cnn.Execute(QStringLiteral("CREATE INDEX [%1_ID] ON [%1] ([ID])").arg(QString::fromLatin1(t)));
    tx.commit();
}

// Creates or updates the launch row of user; options given override, a new row takes the defaults.
void writeAdminRow(ado::Connection& cnn, const QString& user, const Options& o, const QString& root)
{
    ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]='") + sqlText(user) + QStringLiteral("'"), cnn);
    const bool isNew = rs.Eof();
    if (isNew) {
        rs.AddNew();
        rs.setValue(QStringLiteral("BENUTZER"), user);
    }
    auto put = [&](const char* column, const QString& given, const QString& deflt) {
        const QString name = QString::fromLatin1(column);
        if (!given.isEmpty()) rs.setValue(name, given);
        else if (isNew || rs.Value(name).toString().isEmpty()) rs.setValue(name, deflt);
    };
    put("PROJEKTSPFAD", o.projects.isEmpty() ? QString() : absolute(o.projects), root + QStringLiteral("/PROJEKTE"));
    put("PROJEKT", o.project, QStringLiteral("DEMO"));
    put("BEARBEITER", o.operatorName, vb::sys().loginName());
    rs.setValue(QStringLiteral("PROG"), QStringLiteral("MORVANT"));
    rs.Update();
    rs.Close();
}

int run(const Options& o)
{
    const QString root = absolute(QCoreApplication::applicationDirPath());
    const QString programFolder = root + QStringLiteral("/TALPEX");
    vb::FileSystemObject fso;

    QString data = o.data;
    if (data.isEmpty()) data = vb::GetSetting(QStringLiteral("MORVANT"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"));
    if (data.isEmpty()) data = root + QStringLiteral("/DATEN");
    data = absolute(data);
    QDir().mkpath(data);
    if (!fso.FileExists(data + QStringLiteral("/ARCHIV.mdb"))) schema::createFrameDatabase(data + QStringLiteral("/ARCHIV.mdb"));
    if (!fso.FileExists(data + QStringLiteral("/VORGABE.mdb"))) schema::createPresetsDatabase(data + QStringLiteral("/VORGABE.mdb"));
    if (!fso.FileExists(data + QStringLiteral("/DOLMIR.mdb"))) createInformationSystem(data + QStringLiteral("/DOLMIR.mdb"));
    vb::SaveSetting(QStringLiteral("MORVANT"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"), data);

    QString user = vb::sys().loginName().toUpper();
    if (user.isEmpty()) user = QStringLiteral("UNBEK.");
    ado::Connection frame;
    frame.OpenFile(data + QStringLiteral("/ARCHIV.mdb"));
    writeAdminRow(frame, user, o, root);
    ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]='") + sqlText(user) + QStringLiteral("'"), frame);
    const QString projects = rs.Value(QStringLiteral("PROJEKTSPFAD")).toString();
    const QString project = rs.Value(QStringLiteral("PROJEKT")).toString();
    rs.Close();
    frame.Close();

    // A new project starts as a copy of the empty database.
    const QString folder = projects + QLatin1Char('/') + project;
    QDir().mkpath(folder);
    const QString database = folder + QStringLiteral("/TALPEX.mdb");
    const QString empty = programFolder + QStringLiteral("/TALPEX.mdb");
    if (!fso.FileExists(database) && fso.FileExists(empty)) fso.CopyFile(empty, database, false);

    say(QStringLiteral("user %1, project %2 in %3, databases in %4").arg(user, project, projects, data));
    if (!o.given || !o.start) return 0;
    const QString program = programFolder + QStringLiteral("/TALPEX");
    if (!QProcess::startDetached(program, {})) {
        say(QStringLiteral("cannot start ") + program);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("MORVANT"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Frame program stand-in: prepares the launch context and starts TALPEX."));
    parser.addHelpOption();
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Folder of ARCHIV.mdb and VORGABE.mdb (default ROOT/DATEN)."), QStringLiteral("DIR"));
    const QCommandLineOption projects(QStringLiteral("projects"), QStringLiteral("Project directory (default ROOT/PROJEKTE)."), QStringLiteral("DIR"));
    const QCommandLineOption project(QStringLiteral("project"), QStringLiteral("Project name (default DEMO)."), QStringLiteral("NAME"));
    const QCommandLineOption op(QStringLiteral("operator"), QStringLiteral("Operator name (default the login name)."), QStringLiteral("NAME"));
    const QCommandLineOption noStart(QStringLiteral("no-start"), QStringLiteral("Prepare only, do not start TALPEX."));
    parser.addOptions({data, projects, project, op, noStart});
    parser.process(app);

    Options o;
    o.data = parser.value(data);
    o.projects = parser.value(projects);
    o.project = parser.value(project);
    o.operatorName = parser.value(op);
    o.start = !parser.isSet(noStart);
    o.given = parser.optionNames().size() > 0;
    try {
        return run(o);
    } catch (const vb::VBError& e) {
        std::fprintf(stderr, "MORVANT: %s\n", qPrintable(e.Description()));
        return 1;
    }
}
