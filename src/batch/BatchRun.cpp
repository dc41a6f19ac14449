#include "batch/BatchRun.h"

#include "data/Ado.h"
#include "data/DatabaseFile.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/System.h"
#include "platform/VBError.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

void openCopy(const QString& source, const QString& copy, ado::Connection& cnn)
{
    if (!QFileInfo(source).isFile()) vb::Raise(vb::errFileNotFound, QStringLiteral("file not found"));
    dbfile::copy(source, copy);
    cnn.OpenFile(copy);
}

} // namespace

BatchRun::BatchRun(QTextStream& out, QTextStream& err, QString usage)
    : m_out(out), m_err(err), m_usage(std::move(usage))
{
    auto ui = std::make_unique<vb::ConsoleUi>();
    m_ui = ui.get();
    m_previousUi = vb::setUi(std::move(ui));
}

BatchRun::~BatchRun()
{
    m_session.reset(); // its connections close before the copies go
    vb::setUi(std::move(m_previousUi));
}

bool BatchRun::help(const QStringList& args)
{
    if (args.size() != 2 || (args[1] != QLatin1String("--help") && args[1] != QLatin1String("-h"))) return false;
    m_out << m_usage;
    m_out.flush();
    return true;
}

int BatchRun::fail(int code, const QString& text)
{
    m_err << "talpex-batch: " << text << '\n';
    m_err.flush();
    return code;
}

int BatchRun::badArguments(const QString& problem)
{
    m_err << "talpex-batch: " << problem << '\n' << m_usage;
    m_err.flush();
    return BadArguments;
}

int BatchRun::open(const QString& project, const std::optional<QString>& presets)
{
    if (!m_tmp.isValid()) return fail(BadArguments, QStringLiteral("cannot create a temporary folder"));
    m_session = std::make_unique<Session>();
    Session& s = *m_session;
    s.SPRACHE = Session::languageOf(vb::sys().localeLanguage());
    s.DEZIMALPUNKT = vb::sys().decimalSeparator();
    vb::SetDecimalSeparator(s.DEZIMALPUNKT);
    const QDir projectDir = QFileInfo(project).absoluteDir();
    s.PROJEKT = projectDir.dirName();
    s.PROJEKTSPFAD = QFileInfo(projectDir.absolutePath()).absolutePath();
    s.BEARBEITER = vb::sys().loginName();
    std::optional<QString> presetsFile = presets;
    if (!presetsFile) {
        const QString frameFolder = s.DATENBANKPFAD();
        const QString frame = frameFolder + QStringLiteral("/VORGABE.mdb");
        if (!frameFolder.isEmpty() && QFileInfo(frame).isFile()) presetsFile = frame;
    }
    s.developmentMode = !presetsFile;
    m_presets = presetsFile ? QStringLiteral("the presets '%1'").arg(*presetsFile)
                            : QStringLiteral("the presets of '%1'").arg(project);

    try {
        openCopy(project, m_tmp.filePath(schema::kProgramTitle + QStringLiteral(".mdb")), s.cnnX);
        schema::upgradeProject(s.cnnX); // the copy only; the project file stays as it is
    } catch (const vb::VBError& e) {
        return fail(BadArguments, QStringLiteral("cannot open project database '%1': %2").arg(project, e.Description()));
    }
    if (presetsFile) {
        try {
            openCopy(*presetsFile, m_tmp.filePath(QStringLiteral("VORGABE.mdb")), s.cnnX_V);
        } catch (const vb::VBError& e) {
            return fail(BadArguments, QStringLiteral("cannot open presets database '%1': %2").arg(*presetsFile, e.Description()));
        }
    }
    return Success;
}

int BatchRun::requireStandpipe(qint32 id, const QString& ken)
{
    Session& s = *m_session;
    try {
        QString type;
        {
            ado::Recordset e2(QStringLiteral("SELECT [STRO] FROM [E2] WHERE [ID]=%1").arg(id), s.cnnX);
            if (!e2.Eof()) type = e2.Value(0).toString();
        }
        if (type.isEmpty()) return fail(BadArguments, QStringLiteral("record '%1' has no standpipe type").arg(ken));
        ado::Connection& presets = s.developmentMode ? s.cnnX : s.cnnX_V;
        ado::Recordset v1(QStringLiteral("SELECT [STRO] FROM [%1] WHERE [STRO]='%2'").arg(schema::kPresetsTable, sqlText(type)), presets);
        if (v1.Eof())
            return fail(BadArguments, QStringLiteral("the standpipe type '%1' of record '%2' is not in %3").arg(type, ken, m_presets));
    } catch (const vb::VBError& e) {
        return fail(BadArguments, QStringLiteral("cannot read the standpipe type of '%1': %2").arg(ken, e.Description()));
    }
    return Success;
}

int BatchRun::boxes() const { return m_ui->shown(); }

long BatchRun::findRecord(ado::Connection& cnn, const QString& ken)
{
    ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [KEN]='") + sqlText(ken) + QLatin1Char('\''), cnn);
    for (; !rs.Eof(); rs.MoveNext())
        if (rs.Value(0).toLongLong() > 0) return rs.Value(0).toInt();
    return 0;
}
