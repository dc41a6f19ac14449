#include "shell/StartUp.h"

#include "data/DatabaseFile.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "shell/StatusPanels.h"
#include "widgets/GuiUi.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace {
const QString kFrameProgram = QStringLiteral("MORVANT");
const QString kProductTitle = QStringLiteral("Pervatum");
const QString kDevelopmentProject = QStringLiteral("TE0000.00");
} // namespace

StartUp::StartUp(Session& s, StatusPanels& panels) : m_s(s), m_panels(panels), m_copy(s) {}

QString StartUp::title() const { return schema::kProgramTitle; }

void StartUp::message(const QString& german, const QString& english, int style)
{
    vb::MsgBox(m_s.tr(german, english), style == 0 ? vb::vbOKOnly | vb::vbExclamation : style, title());
}

short StartUp::languageOf(const QString& isoName) { return Session::languageOf(isoName); }

QString StartUp::LOCALEINFO(int item)
{
    switch (item) {
    case 14: return vb::sys().decimalSeparator();
    case 89: return vb::sys().localeLanguage();
    default: return QString();
    }
}

QString StartUp::frameProgramPath() const { return m_s.frameRoot() + QLatin1Char('/') + kFrameProgram; }

bool StartUp::load()
{
    vb::SystemService& os = vb::sys();
    // The warning beep stays off for the rest of the run, as the frame family expects.
    if (os.beepOn()) os.setBeep(false);

    QString login = os.loginName().left(254).toUpper();
    m_s.BENUTZER = login.isEmpty() ? QStringLiteral("UNBEK.") : login;
    m_s.SPRACHE = languageOf(LOCALEINFO(89));
    m_s.DEZIMALPUNKT = LOCALEINFO(14);
    vb::SetDecimalSeparator(m_s.DEZIMALPUNKT);
    vb::SetGermanButtons(!m_s.english());

    m_s.developmentMode = m_s.programFolder.contains(QStringLiteral("SOURCE"), Qt::CaseInsensitive);
    if (m_s.developmentMode) {
        m_s.PROJEKTSPFAD = m_s.frameRoot();
        m_s.PROJEKT = kDevelopmentProject;
        m_s.BEARBEITER = m_s.BENUTZER;
    }

    // Before anything is touched: a second instance of this user must leave
    // the frame state and the first instance's working copy alone.
    switch (m_copy.lock()) {
    case WorkingCopy::Lock::Taken: break;
    case WorkingCopy::Lock::HeldByOther:
        message(QStringLiteral("Programm %1 läuft bereits für den Benutzer %2!").arg(title(), m_s.BENUTZER),
                QStringLiteral("Program %1 is already running for user %2!").arg(title(), m_s.BENUTZER));
        if (!m_s.developmentMode) keepRunningRegistration();
        return false;
    case WorkingCopy::Lock::NotWritable:
        workingCopyFailure(QStringLiteral("Access denied"));
        return false;
    }

    if (!m_s.developmentMode) {
        if (!openFrameDatabases()) return endRun();
        if (!registerProgram()) return endRun();
        if (!checkProjectFiles()) return endRun();
        announceOtherUsers();
    }

    m_panels.setProjectPath(m_s.PROJEKTSPFAD);
    m_panels.setText(2, m_s.PROJEKT);
    m_panels.setToolTip(2, m_s.BEARBEITER);
    m_panels.setText(4, title());
    m_panels.setToolTip(4, kProductTitle);

    if (!prepareWorkingCopy()) return endRun();

    vb::OnError onError(title());
    onError([&] { m_panels.DATENSATZANZEIGE(m_s.cnnX); });
    return true;
}

QString StartUp::frameConnection(const QString& file) const
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + m_s.DATENBANKPFAD() + file +
           QStringLiteral(";Persist Security Info=False");
}

void StartUp::keepRunningRegistration()
{
    // The frame program has just written this user's row for the start that
    // is refused; the run that goes on must still be found there by others.
    const QStringList row = m_copy.runningLaunchRow();
    if (row.isEmpty() || m_s.DATENBANKPFAD().isEmpty()) return;
    try {
        m_s.cnnFrame.Open(frameConnection(QStringLiteral("/ARCHIV.mdb")), 30);
        ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]='") + sqlText(m_s.BENUTZER) + QStringLiteral("'"),
                          m_s.cnnFrame);
        if (!rs.Eof()) {
            rs.setValue(QStringLiteral("PROG"), title());
            rs.setValue(QStringLiteral("PROJEKTSPFAD"), row[0]);
            rs.setValue(QStringLiteral("PROJEKT"), row[1]);
            rs.setValue(QStringLiteral("BEARBEITER"), row[2]);
            rs.Update();
        }
        rs.Close();
    } catch (const vb::VBError&) {
        // the refusal has been shown; the row is the frame program's then
    }
    m_s.cnnFrame.Close();
}

bool StartUp::openFrameDatabases()
{
    const QString folder = m_s.DATENBANKPFAD();
    if (folder.isEmpty()) {
        message(QStringLiteral("Der Datenbankpfad des Rahmenprogramms ist nicht eingetragen!\n"
                               "Programm %1 kann nur über das Rahmenprogramm ausgeführt werden!").arg(title()),
                QStringLiteral("The database path of the frame program is not set!\n"
                               "Program %1 can only be run via the frame program!").arg(title()));
        return false;
    }
    for (auto [cnn, file] : {std::pair{&m_s.cnnFrame, QStringLiteral("/ARCHIV.mdb")},
                             std::pair{&m_s.cnnX_V, QStringLiteral("/VORGABE.mdb")}}) {
        try {
            cnn->Open(frameConnection(file), 30);
        } catch (const vb::VBError& e) {
            message(QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden!\n%2").arg(folder + file, e.Description()),
                    QStringLiteral("The database %1 cannot be opened!\n%2").arg(folder + file, e.Description()));
            return false;
        }
    }
    return true;
}

bool StartUp::registerProgram()
{
    try {
        ado::Recordset rs(QStringLiteral("SELECT * FROM [ADMIN] WHERE [BENUTZER]='") + sqlText(m_s.BENUTZER) +
                              QStringLiteral("'"),
                          m_s.cnnFrame);
        if (rs.Eof()) {
            rs.Close();
            message(QStringLiteral("Programm %1 kann nur über das Rahmenprogramm ausgeführt werden!").arg(title()),
                    QStringLiteral("Program %1 can used only via the frame program!").arg(title()));
            return false;
        }
        rs.setValue(QStringLiteral("PROG"), title());
        rs.Update();
        m_registered = true;
        m_s.PROJEKTSPFAD = rs.Value(QStringLiteral("PROJEKTSPFAD")).toString();
        m_s.PROJEKT = rs.Value(QStringLiteral("PROJEKT")).toString();
        m_s.BEARBEITER = rs.Value(QStringLiteral("BEARBEITER")).toString();
        rs.Close();
    } catch (const vb::VBError& e) {
        const QString file = m_s.cnnFrame.path();
        message(QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden!\n%2").arg(file, e.Description()),
                QStringLiteral("The database %1 cannot be opened!\n%2").arg(file, e.Description()));
        return false;
    }
    return true;
}

bool StartUp::sameFolder(const QString& a, const QString& b)
{
    // The same folder reached by a link, another mount or another spelling is
    // one file to the system; a folder not reachable from here only by its name.
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
}

QStringList StartUp::otherUsers() const
{
    // A row stays "TALPEX" also when its run ended without handing back: such a user may still have changes.
    const QString project = m_s.PROJEKTSPFAD + QLatin1Char('/') + m_s.PROJEKT;
    QStringList users;
    ado::Recordset rs(QStringLiteral("SELECT [BENUTZER],[PROJEKTSPFAD],[PROJEKT] FROM [ADMIN] WHERE [PROG]='") + sqlText(title()) +
                          QStringLiteral("' AND [BENUTZER]<>'") + sqlText(m_s.BENUTZER) + QStringLiteral("' ORDER BY [BENUTZER]"),
                      m_s.cnnFrame);
    for (; !rs.Eof(); rs.MoveNext())
        if (sameFolder(rs.Value(1).toString() + QLatin1Char('/') + rs.Value(2).toString(), project))
            users << rs.Value(0).toString();
    return users;
}

void StartUp::announceOtherUsers()
{
    QStringList users;
    try {
        users = otherUsers();
    } catch (const vb::VBError&) {
        return; // only a hint: the start goes on without it
    }
    if (users.isEmpty()) return;
    const QString names = users.join(QStringLiteral(", "));
    message(QStringLiteral("Projekt %1 ist auch bei %2 %3 geöffnet.\nWer zuletzt speichert, wird gefragt, bevor er die Änderungen "
                           "des anderen überschreibt.")
                .arg(m_s.PROJEKT, users.size() > 1 ? QStringLiteral("den Benutzern") : QStringLiteral("Benutzer"), names),
            QStringLiteral("Project %1 is also open for %2 %3.\nWhoever saves last is asked before overwriting the other's changes.")
                .arg(m_s.PROJEKT, users.size() > 1 ? QStringLiteral("users") : QStringLiteral("user"), names),
            vb::vbOKOnly | vb::vbInformation);
}

bool StartUp::checkProjectFiles()
{
    if (!m_s.fso.FolderExists(m_s.PROJEKTSPFAD + QLatin1Char('/') + m_s.PROJEKT)) {
        message(QStringLiteral("Projektsverzeichnis %1 existiert nicht!").arg(m_s.PROJEKT),
                QStringLiteral("Project directory %1 dosn't exist!").arg(m_s.PROJEKT));
        return false;
    }
    if (!m_s.fso.FileExists(m_s.emptyDatabasePath())) {
        message(QStringLiteral("Die leere Datenbank %1.mdb existiert nicht!\nOrvalis muß neu installiert werden!").arg(title()),
                QStringLiteral("The empty database %1.mdb dosn't exist!\nOrvalis has to be installed again!").arg(title()));
        return false;
    }
    return true;
}

bool StartUp::prepareWorkingCopy()
{
    const QString project = m_s.projectDatabasePath();
    m_copy.removeLeftovers();
    bool createNow = !m_copy.exists();
    if (!createNow) {
        // A leftover copy marks an interrupted run.
        const int answer = vb::MsgBox(
            m_s.tr(QStringLiteral("Programm wurde während der Ausführung unterbrochen!\n"
                                  "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?"),
                   QStringLiteral("Program was interuped during the execution!\n"
                                  "Do you want to save the changes till the interuption?")),
            vb::vbYesNo | vb::vbQuestion, title());
        createNow = answer != vb::vbYes;
        // Kept: SQLite rolls back what the killed run left unfinished before the copy is used.
        if (!createNow) {
            try {
                dbfile::settle(m_s.XMDBPFAD());
                m_copy.keepInterrupted();
            } catch (const vb::VBError& e) {
                workingCopyFailure(e.Description());
                return false;
            }
        }
    }
    if (createNow) {
        if (!m_s.fso.FileExists(project)) {
            message(QStringLiteral("Die Projektdatenbank %1 existiert nicht!").arg(project),
                    QStringLiteral("The project database %1 doesn't exist!").arg(project));
            return false;
        }
        try {
            m_copy.createFromProject();
        } catch (const vb::VBError& e) {
            // A project file that is no database is the project's fault, not the copy's.
            if (e.Number() == vb::errCannotOpenDatabase)
                message(QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden!\n%2").arg(project, e.Description()),
                        QStringLiteral("The database %1 cannot be opened!\n%2").arg(project, e.Description()));
            else
                workingCopyFailure(e.Description());
            return false;
        }
    }
    // Kept edits of an interrupted run are not in the project yet: closing must offer to save them.
    m_s.GEAENDERT = !createNow;
    return openWorkingCopy(createNow);
}

void StartUp::workingCopyFailure(const QString& reason)
{
    const QString copy = m_s.XMDBPFAD();
    message(QStringLiteral("Die Arbeitskopie %1 kann nicht angelegt werden!\n%2").arg(copy, reason),
            QStringLiteral("The working copy %1 cannot be created!\n%2").arg(copy, reason));
}

bool StartUp::openWorkingCopy(bool createdNow)
{
    const QString copy = m_s.XMDBPFAD();
    try {
        m_s.cnnX.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + copy +
                          QStringLiteral(";Persist Security Info=False"),
                      30);
        // a project of an older program gains what this one stores; a newer one is refused
        schema::upgradeProject(m_s.cnnX);
        // Without a presets database the presets live in the working copy.
        if (m_s.developmentMode) m_s.cnnX_V.OpenFile(copy, 30);
    } catch (const vb::VBError& e) {
        const QString shown = createdNow ? m_s.projectDatabasePath() : copy;
        message(QStringLiteral("Die Datenbank %1 kann nicht geöffnet werden!\n%2").arg(shown, e.Description()),
                QStringLiteral("The database %1 cannot be opened!\n%2").arg(shown, e.Description()));
        m_s.cnnX.Close();
        m_s.cnnX_V.Close();
        // A copy made just now holds nothing of value; kept edits stay for a later run.
        if (createdNow) {
            try {
                m_copy.remove();
            } catch (const vb::VBError&) {
            }
        }
        m_s.GEAENDERT = false;
        return false;
    }
    return true;
}

void StartUp::resetAdmin()
{
    ado::Recordset rs(QStringLiteral("SELECT [PROG] FROM [ADMIN] WHERE [BENUTZER]='") + sqlText(m_s.BENUTZER) +
                          QStringLiteral("'"),
                      m_s.cnnFrame);
    if (!rs.Eof()) {
        rs.setValue(QStringLiteral("PROG"), kFrameProgram);
        rs.Update();
    }
    rs.Close();
    m_registered = false;
}

void StartUp::closeFrameConnections()
{
    m_s.cnnFrame.Close();
    m_s.cnnX_V.Close();
}

bool StartUp::endRun()
{
    if (m_registered) {
        try {
            resetAdmin();
        } catch (const vb::VBError&) {
        }
    }
    closeFrameConnections();
    m_copy.unlock();
    return false;
}

bool StartUp::queryUnload(int unloadMode, const QString& quitCaption, const std::function<void()>& save)
{
    const bool asked = unloadMode == vbFormControlMenu || unloadMode == vbFormCode;
    if (asked && m_s.GEAENDERT) {
        const int answer = vb::MsgBox(m_s.tr(QStringLiteral("Sollen die Änderungen in Projekt %1 gespeichert werden?"),
                                             QStringLiteral("Do you want to save changes to project %1?"))
                                          .arg(m_s.PROJEKT),
                                      vb::vbYesNoCancel | vb::vbQuestion, quitCaption);
        if (answer == vb::vbCancel) return false;
        if (answer == vb::vbYes) {
            save();
            // A failed save must not lead to deleting the only copy of the edits.
            if (m_s.GEAENDERT) return false;
        }
    }
    m_startFrame = unloadMode == vbFormControlMenu || m_s.RUECKKEHR;
    // Closing without the question (the desktop session ends) must not throw
    // unsaved edits away: the kept copy is offered again at the next start.
    m_keepCopy = !asked && m_s.GEAENDERT;
    return true;
}

void StartUp::unload()
{
    vb::OnError onError(title());
    if (!m_s.developmentMode) {
        if (!onError([&] { resetAdmin(); })) return;
        closeFrameConnections();
    } else {
        m_s.cnnX_V.Close();
    }
    m_s.cnnX.Close();
    if (!m_keepCopy && !onError([&] { m_copy.remove(); })) return;
    m_copy.unlock();
    // Last, so the frame program finds the family in its resting state.
    if (m_startFrame && m_s.fso.FileExists(frameProgramPath())) vb::sys().startProgram(frameProgramPath());
}
