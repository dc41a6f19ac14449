// MORVANT stand-in: the least of the family's frame program that lets a user
// start TALPEX. It keeps the frame database ARCHIV.mdb (table ADMIN) and the
// presets database VORGABE.mdb, the information system's database DOLMIR.mdb,
// the per-user setting that names their folder, and the current user's launch
// row; then it starts the program.
//
//   MORVANT [--user] [--data DIR] [--projects DIR] [--project NAME] [--operator NAME] [--demo] [--no-start]
//
// Without options (as TALPEX starts it at exit) it only checks and exits.
// With --user (the installed package's `talpex`) the frame installation is the
// user's own under $XDG_DATA_HOME/talpex, made on the first start: the program
// files stay read-only where the package put them.
#include "DemoData.h"
#include "data/Ado.h"
#include "data/DatabaseFile.h"
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
#include <QStandardPaths>
#include <cstdio>

namespace {

QString absolute(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

void say(const QString& text) { std::fprintf(stdout, "MORVANT: %s\n", qPrintable(text)); }

struct Options {
    QString data, projects, project, operatorName;
    bool given = false; // any option at all
    bool start = true;
    bool user = false;  // the user's own installation instead of the one beside the stand-in
    bool demo = false;  // add the demo projects
};

const QString kDemoProject = QStringLiteral("DEMO");
const QString kSecondDemoProject = QStringLiteral("DEMO2");

// A project is a folder below the project directory: a name must not lead out of it.
bool isProjectName(const QString& name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// A new project starts as a copy of the empty database; an existing one stays as it is.
QString ensureProject(const QString& projects, const QString& name, const QString& empty)
{
    const QString folder = projects + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    const QString database = folder + QStringLiteral("/TALPEX.mdb");
    if (!QFileInfo::exists(database) && QFileInfo::exists(empty)) dbfile::copy(empty, database);
    return database;
}

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
void writeAdminRow(ado::Connection& cnn, const QString& user, const Options& o, const QString& root,
                   const QString& firstProject)
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
    put("PROJEKT", o.project, firstProject);
    put("BEARBEITER", o.operatorName, vb::sys().loginName());
    rs.setValue(QStringLiteral("PROG"), QStringLiteral("MORVANT"));
    rs.Update();
    rs.Close();
}

int run(const Options& o)
{
    const QString own = absolute(QCoreApplication::applicationDirPath());
    const QString programFolder = own + QStringLiteral("/TALPEX");
    const QString root =
        o.user ? absolute(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/talpex")) : own;
    vb::FileSystemObject fso;

    QString data = o.data;
    if (data.isEmpty() && !o.user)
        data = vb::GetSetting(QStringLiteral("MORVANT"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"));
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
    writeAdminRow(frame, user, o, root, o.user ? QStringLiteral("PROJEKT1") : kDemoProject);
    ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]='") + sqlText(user) + QStringLiteral("'"), frame);
    const QString projects = rs.Value(QStringLiteral("PROJEKTSPFAD")).toString();
    const QString project = rs.Value(QStringLiteral("PROJEKT")).toString();
    rs.Close();
    frame.Close();

    const QString empty = programFolder + QStringLiteral("/TALPEX.mdb");
    ensureProject(projects, project, empty);
    if (o.demo)
        addDemoData(data + QStringLiteral("/VORGABE.mdb"), ensureProject(projects, kDemoProject, empty),
                    ensureProject(projects, kSecondDemoProject, empty));

    say(QStringLiteral("user %1, project %2 in %3, databases in %4").arg(user, project, projects, data));
    if (!o.given || !o.start) return 0;
    const QString program = programFolder + QStringLiteral("/TALPEX");
    QProcess talpex;
    talpex.setProgram(program);
    if (o.user) {
        // the working copies go below the user's frame folder (read by the program's session)
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TALPEX_FRAME_ROOT"), root);
        talpex.setProcessEnvironment(env);
    }
    if (!talpex.startDetached()) {
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
    QCoreApplication::setApplicationVersion(QStringLiteral(TALPEX_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Frame program stand-in: prepares the launch context and starts TALPEX."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Folder of ARCHIV.mdb and VORGABE.mdb (default ROOT/DATEN)."), QStringLiteral("DIR"));
    const QCommandLineOption projects(QStringLiteral("projects"), QStringLiteral("Project directory (default ROOT/PROJEKTE)."), QStringLiteral("DIR"));
    const QCommandLineOption project(QStringLiteral("project"),
                                     QStringLiteral("Project name (default the last one used; the first time DEMO, PROJEKT1 with --user)."),
                                     QStringLiteral("NAME"));
    const QCommandLineOption op(QStringLiteral("operator"), QStringLiteral("Operator name (default the login name)."), QStringLiteral("NAME"));
    const QCommandLineOption noStart(QStringLiteral("no-start"), QStringLiteral("Prepare only, do not start TALPEX."));
    const QCommandLineOption user(QStringLiteral("user"),
                                  QStringLiteral("The user's own installation in $XDG_DATA_HOME/talpex (ROOT above), made when missing."));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Add the demo projects DEMO and DEMO2 and open DEMO."));
    parser.addOptions({user, data, projects, project, op, demo, noStart});
    parser.process(app);

    Options o;
    o.data = parser.value(data);
    o.projects = parser.value(projects);
    o.project = parser.value(project);
    o.operatorName = parser.value(op);
    o.start = !parser.isSet(noStart);
    o.user = parser.isSet(user);
    o.demo = parser.isSet(demo);
    if (o.demo && o.project.isEmpty()) o.project = kDemoProject;
    if (parser.isSet(project) && !isProjectName(o.project)) {
        std::fprintf(stderr, "MORVANT: \"%s\" is no project name (a folder name without / or \\).\n", qPrintable(o.project));
        return 2;
    }
    o.given = parser.optionNames().size() > 0;
    try {
        return run(o);
    } catch (const vb::VBError& e) {
        std::fprintf(stderr, "MORVANT: %s\n", qPrintable(e.Description()));
        return 1;
    }
}
