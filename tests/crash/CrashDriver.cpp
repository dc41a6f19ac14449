// The child process of the crash harness: runs one operation of the program
// on the frame installation the harness prepared, through the program's own
// classes with scripted message boxes, and says "go" on stdout right before
// the part that the harness may kill. Leaves with _Exit so that the files
// stay as a running program has them.
//
//   talpex_crash_driver writer ROOT                  a writer killed inside its transaction
//   talpex_crash_driver save|input|evaluate|compact ROOT
//   talpex_crash_driver start ROOT yes|no            the start after a killed run
//   talpex_crash_driver shared-a|shared-b ROOT yes|no one of two users of one project
//   talpex_crash_driver user ROOT LOGIN RECORD       a user of one project led line by line
//   talpex_crash_driver hold ROOT RECORD             another process's write transaction
//   talpex_crash_driver paste-readings|paste-presets|dbfile ROOT N SEED
//   talpex_crash_driver markup - N SEED
#include "CrashCommon.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "exchange/RecordCopy.h"
#include "evaluation/clsBERECHNEN.h"
#include "graphics/MarkupText.h"
#include "graphics/RecordingSurface.h"
#include "input/frmVVORGABEN.h"
#include "input/mdiEINGABE.h"
#include "widgets/FlexGrid.h"
#include "platform/MsgBox.h"
#include "platform/System.h"
#include "shell/Commands.h"
#include "shell/EingabeForm.h"
#include "shell/InputMode.h"
#include "shell/RecordCommands.h"
#include "shell/StartUp.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sqlite3.h>
#include <unistd.h>

namespace {

int g_first = 0; // inputs before this one are drawn but not tried

void say(const char* line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void fail(const QString& why)
{
    std::fprintf(stderr, "driver: %s\n", why.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(2);
}

// The boxes shown since the last clear, for a failure report.
QString shownBoxes(vb::ScriptedUi& ui)
{
    QStringList texts;
    for (const auto& b : ui.boxes()) texts << b.title + QStringLiteral(": ") + b.text;
    return texts.join(QStringLiteral(" | "));
}

bool refusedSomething(vb::ScriptedUi& ui)
{
    // TALPEX_CRASH_BOXES=1 lists every box, to judge whether the messages are clear.
    if (qEnvironmentVariableIsSet("TALPEX_CRASH_BOXES"))
        for (const auto& b : ui.boxes())
            std::fprintf(stderr, "box: %s: %s\n", qPrintable(b.title), qPrintable(QString(b.text).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    for (const auto& b : ui.boxes())
        if (b.icon() != vb::vbQuestion) return true;
    return false;
}

// A writer that has changed pages in the file and is killed before its commit.
int writer(const crash::Paths& p)
{
    sqlite3* h = nullptr;
    sqlite3_open(QFile::encodeName(p.workingCopy()).constData(), &h);
    if (sqlite3_exec(h, "PRAGMA cache_size=2; BEGIN; UPDATE E3 SET DET=DET+900000; DELETE FROM E1 WHERE ID=4;", nullptr,
                     nullptr, nullptr) != SQLITE_OK)
        fail(QStringLiteral("writer: ") + QString::fromUtf8(sqlite3_errmsg(h)));
    say("go");
    for (;;) pause();
}

class Program {
public:
    explicit Program(const crash::Paths& p)
    {
        crash::useSettingsOf(p.root);
        session.programFolder = p.programFolder();
        Commands::clear();
        RecordCommands::registerAll();
        // The selection dialog confirms what it preselects: the active record.
        Commands::setDialog(QStringLiteral("frmAUSWAHL"), [this](frmMAIN& owner) {
            auto* dlg = new frmAUSWAHL(session, &owner);
            QTimer::singleShot(0, dlg, [dlg] { dlg->cmdOK()->click(); });
            return dlg;
        });
    }
    ~Program() { Commands::clear(); }

    frmMAIN& start()
    {
        main = std::make_unique<frmMAIN>(session);
        if (!main->load()) fail(QStringLiteral("start-up failed: ") + shownBoxes(*ui));
        return *main;
    }
    mdiEINGABE* inputForm()
    {
        auto* form = dynamic_cast<EingabeForm*>(InputMode::of(*main).form());
        return form ? form->form() : nullptr;
    }
    mdiEINGABE& openActiveRecord()
    {
        main->menuItem(QStringLiteral("mnuOEFFNEN"))->trigger();
        mdiEINGABE* form = inputForm();
        if (!form) fail(QStringLiteral("Open showed no form: ") + shownBoxes(*ui));
        return *form;
    }
    void closeMain()
    {
        if (!main) return;
        for (int i = 0; i < 4; ++i) ui->answer(vb::vbNo);
        main->closeAs(vbFormCode);
        main.reset();
    }

    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    Session session;
    std::unique_ptr<frmMAIN> main;
};

// An operation after a start that keeps the edits of the run before.
int operation(const crash::Paths& p, const QString& op)
{
    Program prog(p);
    prog.ui->answer(vb::vbYes);
    frmMAIN& main = prog.start();
    prog.ui->clear();
    if (op == QLatin1String("save")) {
        say("go");
        main.menuItem(QStringLiteral("mnuSPEICHERN"))->trigger();
    } else if (op == QLatin1String("input")) {
        mdiEINGABE& form = prog.openActiveRecord();
        if (form.readingCount() < 2000) fail(QStringLiteral("the record shows %1 readings").arg(form.readingCount()));
        form.txtKEN()->setText(QStringLiteral("NEU"));
        form.txtKOM()->setText(QStringLiteral("gespeichert"));
        say("go");
        main.stbMAIN_PanelClick(8);
        if (prog.inputForm()) fail(QStringLiteral("panel 8 kept the form: ") + shownBoxes(*prog.ui));
    } else if (op == QLatin1String("evaluate")) {
        say("go");
        if (!clsBERECHNEN(prog.session).BERECHNUNG()) fail(QStringLiteral("BERECHNUNG failed: ") + shownBoxes(*prog.ui));
    } else if (op == QLatin1String("compact")) {
        say("go");
        main.menuItem(QStringLiteral("mnuKOMPRIMIEREN"))->trigger();
        prog.ui->clear(); // the report
    } else {
        fail(QStringLiteral("unknown operation ") + op);
    }
    if (!prog.ui->boxes().isEmpty()) fail(QStringLiteral("unexpected boxes: ") + shownBoxes(*prog.ui));
    say("done");
    std::_Exit(0);
}

// A shared record added to the user's working copy, as an edit of its run.
void addOwnRecord(Session& s, long id, int k)
{
    ado::Transaction tx(s.cnnX);
    for (const QString& sql : crash::sharedRecord(id, k)) s.cnnX.Execute(sql);
    tx.commit();
    s.GEAENDERT = true;
}

QByteArray readLine()
{
    char line[64];
    if (!std::fgets(line, sizeof line, stdin)) fail(QStringLiteral("the harness is gone"));
    return QByteArray(line).trimmed();
}

// Says "asked" the moment Save asks whether to overwrite what others changed;
// with readsAnswer, answers as the harness's next line says (yes, no or cancel).
class SharedUi : public vb::ScriptedUi {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override
    {
        if (prompt.startsWith(QStringLiteral("Das Projekt wurde seit dem Öffnen"))) {
            say("asked");
            const QByteArray a = readsAnswer ? readLine() : QByteArray();
            if (readsAnswer) answer(a == "yes" ? vb::vbYes : a == "no" ? vb::vbNo : vb::vbCancel);
        }
        return vb::ScriptedUi::msgBox(prompt, style, title);
    }
    bool readsAnswer = false;
};

// One of two users of one project: starts, says "ready" and does its part on
// a line from the harness. The first adds record A and saves; the second
// exports record X of another project into the project, adds record B and
// saves, answering the question whether to overwrite with yes or no.
int sharedUser(const crash::Paths& p, bool first, bool yes)
{
    Program prog(p);
    prog.sys->login = first ? QStringLiteral("tester") : QStringLiteral("zweiter");
    auto* ui = new SharedUi;
    vb::setUi(std::unique_ptr<vb::UiService>(ui));
    frmMAIN& main = prog.start();
    say("ready");
    char go[8];
    if (!std::fgets(go, sizeof go, stdin)) fail(QStringLiteral("no go"));
    Session& s = prog.session;
    if (!first) {
        ado::Connection source, target;
        source.OpenFile(p.sourceDb());
        target.OpenFile(s.projectDatabasePath());
        RecordCopy(s, source, target).copyRecord(1);
        say("exported");
    }
    addOwnRecord(s, first ? 20 : 21, first ? 2 : 3);
    ui->clear();
    ui->answer(yes ? vb::vbYes : vb::vbNo);
    main.menuItem(QStringLiteral("mnuSPEICHERN"))->trigger();
    if (s.GEAENDERT) fail(QStringLiteral("Save failed: ") + shownBoxes(*ui));
    say("saved");
    std::_Exit(0);
}

// A user of the shared project: starts (keeping an interrupted run's edits),
// says "ready" and follows lines: "add" adds its record to the working copy
// ("added"), "save" runs Save and says where the edits went: "saved" into
// the project, "beside" it, or "kept" in the working copy.
int scriptedUser(const crash::Paths& p, const QString& login, int record)
{
    Program prog(p);
    prog.sys->login = login;
    auto* ui = new SharedUi;
    ui->readsAnswer = true;
    vb::setUi(std::unique_ptr<vb::UiService>(ui));
    ui->answer(vb::vbYes);
    frmMAIN& main = prog.start();
    ui->clear();
    say("ready");
    Session& s = prog.session;
    for (;;) {
        const QByteArray command = readLine();
        if (command == "add") {
            addOwnRecord(s, 18 + record, record);
            say("added");
        } else if (command == "save") {
            ui->clear();
            main.menuItem(QStringLiteral("mnuSPEICHERN"))->trigger();
            bool beside = false;
            for (const auto& b : ui->boxes()) beside |= b.text.startsWith(QStringLiteral("Ihre Fassung wurde als"));
            if (s.GEAENDERT) std::fprintf(stderr, "driver: Save kept the edits: %s\n", qPrintable(shownBoxes(*ui)));
            say(s.GEAENDERT ? "kept" : beside ? "beside" : "saved");
        } else {
            fail(QStringLiteral("unknown command ") + QString::fromUtf8(command));
        }
    }
}

// Another process writing a record straight into the project: holds its
// write transaction ("holding") until a line comes, then commits ("committed").
int holder(const crash::Paths& p, int record)
{
    sqlite3* h = nullptr;
    sqlite3_open(QFile::encodeName(p.projectDb()).constData(), &h);
    sqlite3_busy_timeout(h, 60000);
    const auto exec = [h](const QByteArray& sql, const char* what) {
        if (sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) fail(what + QString::fromUtf8(sqlite3_errmsg(h)));
    };
    exec("BEGIN IMMEDIATE;" + crash::sharedRecord(30 + record, record).join(QLatin1Char(';')).toUtf8(), "hold: ");
    say("holding");
    readLine();
    exec("COMMIT", "commit: ");
    say("committed");
    std::_Exit(0);
}

int startAfterKill(const crash::Paths& p, bool yes)
{
    Program prog(p);
    prog.ui->answer(yes ? vb::vbYes : vb::vbNo);
    say("go");
    prog.start();
    say("done");
    std::_Exit(0);
}

struct Tally {
    int inputs = 0, refused = 0, stored = 0, faults = 0;
    void report() const
    {
        std::printf("result %d %d %d %d\n", inputs, refused, stored, faults);
        std::fflush(stdout);
    }
};

// The input that is tried next, so a crash can be traced to it.
void announce(int i, const QString& text)
{
    QString shown = text.left(200);
    shown.replace(QLatin1Char('\t'), QStringLiteral("\\t")).replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    std::printf("input %d %s\n", i, shown.toUtf8().constData());
    std::fflush(stdout);
}

// A random block of a grid's cells below the fixed ones.
void selectRandomBlock(vb::FlexGrid& g, crash::Random& rnd)
{
    const int r0 = g.FixedRows() + rnd.below(g.Rows() - g.FixedRows());
    const int c0 = g.FixedCols() + rnd.below(g.Cols() - g.FixedCols());
    g.setRow(r0);
    g.setCol(c0);
    g.setRowSel(std::min(g.Rows() - 1, r0 + rnd.below(rnd.chance(10) ? 40 : 4)));
    g.setColSel(std::min(g.Cols() - 1, c0 + rnd.below(4)));
}

int pasteReadings(const crash::Paths& p, int n, quint64 seed)
{
    Program prog(p);
    prog.start();
    crash::Random rnd(seed);
    Tally t;
    mdiEINGABE* form = &prog.openActiveRecord();
    for (int i = 0; i < n; ++i) {
        const QString text = rnd.pasteBlock();
        announce(i, text);
        ++t.inputs;
        const QString before = crash::digest(p.workingCopy());
        prog.ui->clear();
        QApplication::clipboard()->setText(text);
        selectRandomBlock(*form->msgFLX(), rnd);
        form->cmdE()->click();
        for (int k = 0; k < 4; ++k) prog.ui->answer(vb::vbYes); // overwrite; OK on failure boxes
        prog.main->stbMAIN_PanelClick(8);
        if (prog.inputForm()) {
            ++t.refused;
            if (!refusedSomething(*prog.ui)) {
                ++t.faults;
                std::fprintf(stderr, "input %d: not stored and no message\n", i);
            }
            if (crash::digest(p.workingCopy()) != before) {
                ++t.faults;
                std::fprintf(stderr, "input %d: refused but the working copy changed\n", i);
            }
            // Start the next input from the stored record again.
            prog.main->stbMAIN_PanelClick(9);
        } else {
            ++t.stored;
        }
        prog.ui->clear();
        form = &prog.openActiveRecord();
    }
    t.report();
    std::_Exit(0);
}

int pastePresets(const crash::Paths& p, int n, quint64 seed)
{
    Program prog(p);
    prog.start();
    crash::Random rnd(seed);
    Tally t;
    auto dlg = std::make_unique<frmVVORGABEN>(prog.session, prog.main.get());
    dlg->show();
    for (int i = 0; i < n; ++i) {
        const QString text = rnd.pasteBlock();
        announce(i, text);
        ++t.inputs;
        const QString before = crash::digest(p.presetsDb());
        prog.ui->clear();
        QApplication::clipboard()->setText(text);
        selectRandomBlock(*dlg->msgFLX(), rnd);
        dlg->cmdE()->click();
        for (int k = 0; k < 4; ++k) prog.ui->answer(vb::vbOK);
        dlg->cmdOK()->click();
        if (dlg->isVisible()) {
            ++t.refused;
            if (!refusedSomething(*prog.ui)) {
                ++t.faults;
                std::fprintf(stderr, "input %d: not stored and no message\n", i);
            }
            if (crash::digest(p.presetsDb()) != before) {
                ++t.faults;
                std::fprintf(stderr, "input %d: refused but the presets changed\n", i);
            }
            dlg->cmdABBRECHEN()->click();
        } else {
            ++t.stored;
        }
        dlg = std::make_unique<frmVVORGABEN>(prog.session, prog.main.get());
        dlg->show();
    }
    t.report();
    std::_Exit(0);
}

int markup(int n, quint64 seed)
{
    crash::Random rnd(seed);
    Tally t;
    gfx::RecordingSurface surface;
    gfx::MarkupText text(&surface);
    for (int i = 0; i < n; ++i) {
        QString s = rnd.markup();
        const int size = rnd.below(40) - 5, angle = rnd.below(720) - 360, h = rnd.below(3), v = rnd.below(3);
        const bool flat = rnd.chance(50), bounded = rnd.chance(50);
        if (i < g_first) continue;
        announce(i, s);
        ++t.inputs;
        text.setFont(QString(), static_cast<short>(size), 0, 0, 0, 0);
        text.draw(QPointF(100, 100), s, flat ? 0.0 : angle, static_cast<short>(h), static_cast<short>(v),
                  bounded ? std::optional<QRectF>(QRectF(0, 0, 297, 210)) : std::nullopt);
        QString number = s;
        gfx::TextMarkup::convertNumber(number);
        gfx::TextMarkup::parse(number);
        ++t.stored;
    }
    t.report();
    std::_Exit(0);
}

// Random bytes, or a real project database with random bytes written over
// parts of it, as the project database at start-up and then at Open.
int dbFile(const crash::Paths& p, int n, quint64 seed)
{
    crash::Random rnd(seed);
    Tally t;
    QFile base(p.projectDb());
    if (!base.open(QIODevice::ReadOnly)) fail(QStringLiteral("no project database"));
    const QByteArray good = base.readAll();
    base.close();
    for (int i = 0; i < n; ++i) {
        QByteArray bytes = good;
        if (rnd.chance(30)) {
            bytes = rnd.bytes(rnd.below(100000));
            if (rnd.chance(50)) bytes.replace(0, std::min<qsizetype>(16, bytes.size()), "SQLite format 3\0");
        } else {
            const int spots = 1 + rnd.below(8);
            for (int k = 0; k < spots; ++k) {
                // The first 100 bytes hold the header; past it lie the schema and the tables.
                const int at = 100 + rnd.below(static_cast<int>(bytes.size()) - 100);
                const QByteArray noise = rnd.bytes(1 + rnd.below(64));
                bytes.replace(at, std::min<qsizetype>(noise.size(), bytes.size() - at), noise.left(bytes.size() - at));
            }
        }
        if (i < g_first) continue;
        announce(i, QStringLiteral("%1 bytes").arg(bytes.size()));
        ++t.inputs;
        for (const QString& f : {p.workingCopy(), p.workingCopy() + QStringLiteral("-journal")}) QFile::remove(f);
        QFile out(p.projectDb());
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes);
        out.close();
        Program prog(p);
        for (int k = 0; k < 8; ++k) prog.ui->answer(vb::vbOK);
        prog.main = std::make_unique<frmMAIN>(prog.session);
        if (!prog.main->load()) {
            prog.main.reset();
            ++t.refused;
            if (prog.ui->boxes().isEmpty()) {
                ++t.faults;
                std::fprintf(stderr, "input %d: start-up ended without a message\n", i);
            }
        } else {
            // A user who meets a warning at Open stops there (Cancel); OK would choose again.
            prog.ui->clear();
            for (int k = 0; k < 8; ++k) prog.ui->answer(vb::vbCancel);
            prog.main->menuItem(QStringLiteral("mnuOEFFNEN"))->trigger();
            (prog.inputForm() ? t.stored : t.refused)++;
            if (!prog.inputForm() && !refusedSomething(*prog.ui)) {
                ++t.faults;
                std::fprintf(stderr, "input %d: Open showed neither the record nor a message\n", i);
            }
        }
        prog.closeMain();
        QFile check(p.projectDb());
        check.open(QIODevice::ReadOnly);
        if (check.readAll() != bytes) {
            ++t.faults;
            std::fprintf(stderr, "input %d: the project database was changed\n", i);
        }
    }
    t.report();
    std::_Exit(0);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Thousands of offscreen windows: only what goes wrong is worth a line.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", msg.toLocal8Bit().constData());
    });
    if (argc < 3) fail(QStringLiteral("usage: talpex_crash_driver OPERATION ROOT [ARGS]"));
    const QString op = QString::fromLocal8Bit(argv[1]);
    const crash::Paths p{QString::fromLocal8Bit(argv[2])};
    if (op == QLatin1String("writer")) return writer(p);
    if (op == QLatin1String("hold")) return holder(p, argc > 3 ? std::atoi(argv[3]) : 1);
    QApplication app(argc, argv);
    const int n = argc > 3 ? std::atoi(argv[3]) : 0;
    const quint64 seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1;
    g_first = argc > 5 ? std::atoi(argv[5]) : 0;
    if (op == QLatin1String("start")) return startAfterKill(p, argc > 3 && QByteArray(argv[3]) == "yes");
    if (op == QLatin1String("shared-a") || op == QLatin1String("shared-b"))
        return sharedUser(p, op == QLatin1String("shared-a"), argc > 3 && QByteArray(argv[3]) == "yes");
    if (op == QLatin1String("user") && argc > 4) return scriptedUser(p, QString::fromLocal8Bit(argv[3]), std::atoi(argv[4]));
    if (op == QLatin1String("paste-readings")) return pasteReadings(p, n, seed);
    if (op == QLatin1String("paste-presets")) return pastePresets(p, n, seed);
    if (op == QLatin1String("markup")) return markup(n, seed);
    if (op == QLatin1String("dbfile")) return dbFile(p, n, seed);
    return operation(p, op);
}
