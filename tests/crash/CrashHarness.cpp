// Kills the program at random moments of its writing operations and checks
// what it leaves: both database files sound, each holding the whole state
// before or the whole state after the operation, and the next start, with
// either answer to the interrupted-run question, working on what is there.
// Two users of one project overlap in time: another process commits while
// a Save waits for the project or while its question is open, two Saves meet,
// and a user killed with unsaved edits keeps them after another's Save.
// Then feeds random bad input to the paste of both grids, the markup renderer
// and the start-up and Open, each in a child so a crash or hang is seen.
//
//   talpex_crash [--kills N] [--inputs N] [--seed S] [--driver PATH] [--only 2,9] [--first I]
// Prints one line per operation and ends with "N passed, N failed". A failure
// replays with its seed; --only runs some lines, --first starts the random
// inputs of a kind at input I (exact for markup and database files, whose
// inputs do not depend on the program's answers).
#include "CrashCommon.h"
#include "shell/FrameInstallation.h"

#include "data/Ado.h"
#include "shell/StartUp.h"
#include "shell/StatusPanels.h"
#include "shell/WorkingCopy.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <poll.h>
#include <sys/stat.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <utility>
#include <unistd.h>

namespace {

const QString kInterrupted = QStringLiteral("Programm wurde während der Ausführung unterbrochen!\n"
                                            "Soll die bis zum Abbruch vorhandenen Daten gepeichert werden?");
constexpr int kChildTimeoutMs = 180000;

QString g_driver;

// ---- a child process with its stdout read line by line
class Child {
public:
    explicit Child(const QStringList& args)
    {
        int fds[2], in[2];
        if (pipe(fds) != 0 || pipe(in) != 0) return;
        QList<QByteArray> bytes;
        for (const QString& a : QStringList{g_driver} + args) bytes << QFile::encodeName(a);
        std::vector<char*> argv;
        for (QByteArray& b : bytes) argv.push_back(b.data());
        argv.push_back(nullptr);
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL); // no writer outlives a harness that is stopped
            dup2(fds[1], 1);
            dup2(in[0], 0);
            close(fds[0]);
            close(fds[1]);
            close(in[0]);
            close(in[1]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(fds[1]);
        close(in[0]);
        m_fd = fds[0];
        m_in = in[1];
    }
    ~Child()
    {
        if (m_pid > 0 && !m_reaped) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_fd >= 0) close(m_fd);
        if (m_in >= 0) close(m_in);
    }
    // A line to the child's standard input (nothing when it is gone).
    void send(const char* line) { (void)!write(m_in, line, std::strlen(line)); }
    // The next line, or nothing at the end of output or after the timeout.
    std::optional<QByteArray> line(int timeoutMs = kChildTimeoutMs)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            const qsizetype nl = m_buf.indexOf('\n');
            if (nl >= 0) {
                QByteArray l = m_buf.left(nl);
                m_buf.remove(0, nl + 1);
                return l;
            }
            if (m_eof) return std::nullopt;
            const int left = timeoutMs - static_cast<int>(t.elapsed());
            if (left <= 0) {
                m_timedOut = true;
                return std::nullopt;
            }
            pollfd pfd{m_fd, POLLIN, 0};
            if (poll(&pfd, 1, left) <= 0) continue;
            char chunk[4096];
            const ssize_t n = read(m_fd, chunk, sizeof chunk);
            if (n <= 0) m_eof = true;
            else m_buf.append(chunk, n);
        }
    }
    void killNow() { kill(m_pid, SIGKILL); }
    // Waits for the end; the wait status.
    int wait()
    {
        if (m_timedOut) kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_reaped = true;
        return status;
    }
    bool timedOut() const { return m_timedOut; }
    // The timeout was the harness's own deadline, not a hang.
    void keepWaiting() { m_timedOut = false; }

private:
    pid_t m_pid = -1;
    int m_fd = -1, m_in = -1;
    QByteArray m_buf;
    bool m_eof = false;
    bool m_timedOut = false;
    bool m_reaped = false;
};

// ---- the files of the user and project folders, taken and put back whole,
// with their modification times: a file put back is the file that was there.
struct FileCopy {
    QByteArray bytes;
    timespec modified{};
};
using Snapshot = QMap<QString, FileCopy>;

QStringList folders(const crash::Paths& p) { return {p.userFolder(), p.projectFolder()}; }

Snapshot take(const crash::Paths& p, const QStringList& dirs = {})
{
    Snapshot s;
    for (const QString& dir : dirs.isEmpty() ? folders(p) : dirs)
        for (const QFileInfo& fi : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden)) {
            QFile f(fi.filePath());
            f.open(QIODevice::ReadOnly);
            struct stat st {};
            ::stat(QFile::encodeName(fi.filePath()).constData(), &st);
            s.insert(fi.filePath(), {f.readAll(), st.st_mtim});
        }
    return s;
}

void restore(const crash::Paths& p, const Snapshot& s, const QStringList& dirs = {})
{
    for (const QString& dir : dirs.isEmpty() ? folders(p) : dirs) {
        QDir().mkpath(dir);
        for (const QFileInfo& fi : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden)) QFile::remove(fi.filePath());
    }
    for (auto it = s.begin(); it != s.end(); ++it) {
        QFile f(it.key());
        f.open(QIODevice::WriteOnly);
        f.write(it.value().bytes);
        f.close();
        const timespec times[2] = {it.value().modified, it.value().modified};
        ::utimensat(AT_FDCWD, QFile::encodeName(it.key()).constData(), times, 0);
    }
}

QStringList fileNames(const QString& dir) { return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

using crash::execAll;
using crash::record;

// ---- tallies
struct Tally {
    int passed = 0, failed = 0;
};

struct OpCount {
    int runs = 0, kills = 0, damaged = 0, lostOrMixed = 0, faultyRuns = 0;
};

class Harness {
public:
    Harness(int kills, int inputs, quint64 seed) : m_kills(kills), m_inputs(inputs), m_seed(seed), p{fi.root()} {}
    // Replaying: only these lines, and the random inputs from this one on.
    void replay(const QSet<int>& only, int first) { m_only = only; m_first = first; }

    int run();

private:
    struct Operation {
        QString title;
        QStringList args;
        Snapshot before;
        QSet<QString> allowedP, allowedW;
        bool alternateAnswer = false; // the start: yes and no in turn
    };
    void prepare();
    bool calibrate(Operation& op, double& seconds);
    void runOperation(Operation& op, int index);
    QString checkAfterKill(const Operation& op, OpCount& c);
    QString checkNextStart(const Operation& op, const Snapshot& post, bool yes);
    void runInputs(const QString& title, const QString& kind, int index);
    // Two users on one project, killed at random moments.
    struct SharedRun {
        bool aSaved = false, exported = false, asked = false, bSaved = false, killed = false;
        double seconds = 0;
    };
    void prepareShared();
    SharedRun runShared(bool yes, qint64 killAtNs, int victims);
    QString checkShared(const SharedRun& r, bool yes, OpCount& c);
    void runSharedProject(int index);
    void tallyRun(OpCount& c, int run, const QString& fault);
    void handBackUsers();
    // Users and other writers overlapping in time. The timeline says when a
    // record reached the project and when a Save asked: a record may be gone
    // only when a question answered yes came after it was written.
    struct Timeline {
        QMap<QString, int> written;
        int lastYes = -1, now = 0;
        QStringList beside; // records saved beside the project
        void wrote(const char* ken) { written[QString::fromLatin1(ken)] = ++now; }
        void asked(bool yes) { ++now; if (yes) lastYes = now; }
    };
    // These throw the fault of a run as a QString.
    void finishSave(Child& user, const char* ken, bool yes, Timeline& t, std::optional<QByteArray> l = {}, std::function<void()> onAsked = {});
    void saveBy(Child& u, const char* ken, bool yes, Timeline& t) { u.send("save\n"); finishSave(u, ken, yes, t); }
    void commitBy(int record, Timeline& t, const std::function<void()>& meanwhile = {});
    void runOverlap(int pattern, bool yes, crash::Random& rnd, Timeline& t);
    void runRecovery(int i, bool yes, crash::Random& rnd, Timeline& t);
    QSet<QString> wholeRecords(const QString& path, OpCount& c, QStringList& faults);
    QString checkTimeline(const Timeline& t, OpCount& c);
    void runOverlapping(int index, bool recovery);
    QStringList sharedFolders() const { return {p.userFolder(), p.secondUserFolder(), p.projectFolder()}; }
    QStringList args(const QString& op, const QStringList& more = {}) const { return QStringList{op, p.root} + more; }
    QStringList user(bool a) const { return args(QStringLiteral("user"), a ? QStringList{"tester", "2"} : QStringList{"zweiter", "3"}); }

    FrameInstallation fi;
    int m_kills, m_inputs;
    quint64 m_seed;
    QSet<int> m_only;
    int m_first = 0;
    crash::Paths p;
    Snapshot m_base, m_fuzz, m_shared;
    QString m_w1;
    QList<Operation> m_ops;
    Tally m_tally;
    QElapsedTimer m_clock;
};

void Harness::prepare()
{
    const QString preset = QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'Typ A',100,20,4,0.5,-0.01,0.0001)");
    execAll(p.presetsDb(), {preset});
    // The fuzzing works on a small project with one active record.
    execAll(p.projectDb(), record(3, QStringLiteral("F"), true, 20));
    m_fuzz = take(p);
    QFile::remove(p.projectDb());
    QFile::copy(p.programFolder() + QStringLiteral("/TALPEX.mdb"), p.projectDb());

    execAll(p.projectDb(), record(1, QStringLiteral("R2000"), true, 2000) + record(2, QStringLiteral("R5000"), false, 5000) +
                               record(3, QStringLiteral("F"), false, 20));
    // Taken as the program takes it, with the project state it came from.
    fi.session.BENUTZER = QStringLiteral("TESTER");
    fi.session.PROJEKTSPFAD = fi.projectsFolder();
    fi.session.PROJEKT = QStringLiteral("DEMO");
    WorkingCopy(fi.session).createFromProject();
    // The working copy carries edits of its run that the project has not seen.
    execAll(p.workingCopy(), record(4, QStringLiteral("W"), false, 100) +
                                 QStringList{QStringLiteral("UPDATE [E1] SET [KOM]='geändert' WHERE [ID]=1")});
    m_base = take(p);
    m_w1 = crash::digest(p.workingCopy());
    const QString p0 = crash::digest(p.projectDb());

    auto add = [&](const QString& title, const QString& name, const QStringList& edits) {
        restore(p, m_base);
        if (!edits.isEmpty()) execAll(p.workingCopy(), edits);
        Operation op{title, args(name), take(p), {p0}, {crash::digest(p.workingCopy())}};
        m_ops << op;
    };
    add(QStringLiteral("save into the project"), QStringLiteral("save"), {});
    add(QStringLiteral("panel 8, 2000 readings"), QStringLiteral("input"), {});
    add(QStringLiteral("BERECHNUNG, 5000 readings"), QStringLiteral("evaluate"),
        {QStringLiteral("UPDATE [E1] SET [AKT]=([ID]=2)")});
    // Free pages make the compaction write a file of its own size.
    add(QStringLiteral("compaction"), QStringLiteral("compact"),
        {QStringLiteral("CREATE TABLE [PAD] ([B] BLOB)"), QStringLiteral("INSERT INTO [PAD] VALUES (zeroblob(3000000))"),
         QStringLiteral("DROP TABLE [PAD]")});

    // The start after a run killed inside a write transaction of the working copy.
    restore(p, m_base);
    {
        Child writer(args(QStringLiteral("writer")));
        if (writer.line(30000) != QByteArray("go")) std::printf("the writer did not start\n");
        writer.killNow();
        writer.wait();
    }
    Operation start{QStringLiteral("next start after a kill"), args(QStringLiteral("start")), take(p), {p0}, {m_w1, p0}, true};
    if (!start.before.contains(p.workingCopy() + QStringLiteral("-journal"))) std::printf("the writer left no journal\n");
    m_ops << start;
    prepareShared();
}

void Harness::prepareShared()
{
    restore(p, m_base);
    QFile::remove(p.workingCopy());
    QFile::remove(p.projectDb());
    QFile::copy(p.programFolder() + QStringLiteral("/TALPEX.mdb"), p.projectDb());
    execAll(p.projectDb(), crash::sharedRecord(1, 0));
    QDir().mkpath(QFileInfo(p.sourceDb()).path());
    QFile::copy(p.programFolder() + QStringLiteral("/TALPEX.mdb"), p.sourceDb());
    execAll(p.sourceDb(), crash::sharedRecord(1, 1));
    fi.addAdminRow(QStringLiteral("ZWEITER"), fi.projectsFolder(), QStringLiteral("DEMO"), QStringLiteral("Ing. Zweiter"));
    QDir().mkpath(p.secondUserFolder());
    m_shared = take(p, sharedFolders());
}

// A starts and B starts; A adds record A and saves; B exports record X into
// the project, adds record B and saves, answering the question with yes or
// no. At killAtNs the victims (1 A, 2 B, 3 both) are killed.
Harness::SharedRun Harness::runShared(bool yes, qint64 killAtNs, int victims)
{
    restore(p, m_shared, sharedFolders());
    SharedRun r;
    QElapsedTimer t;
    t.start();
    const QString answer = yes ? QStringLiteral("yes") : QStringLiteral("no");
    Child a(args(QStringLiteral("shared-a"), {answer})), b(args(QStringLiteral("shared-b"), {answer}));
    // The next line of a child; at the deadline the victims are killed once.
    auto next = [&](Child& c) {
        for (;;) {
            const qint64 left = killAtNs < 0 || r.killed ? kChildTimeoutMs : (killAtNs - t.nsecsElapsed()) / 1000000;
            if (const auto l = c.line(static_cast<int>(std::max<qint64>(left, 0))); l || !c.timedOut() || killAtNs < 0 || r.killed) return l;
            c.keepWaiting();
            if (victims & 1) a.killNow();
            if (victims & 2) b.killNow();
            r.killed = true;
        }
    };
    const bool aReady = next(a) == QByteArray("ready"), bReady = next(b) == QByteArray("ready");
    if (aReady) {
        a.send("go\n");
        while (const auto l = next(a)) r.aSaved |= *l == "saved";
    }
    if (bReady) {
        b.send("go\n");
        while (const auto l = next(b)) {
            r.exported |= *l == "exported";
            r.asked |= *l == "asked";
            r.bSaved |= *l == "saved";
        }
    }
    a.wait();
    b.wait();
    r.seconds = t.nsecsElapsed() / 1e9;
    return r;
}

QSet<QString> Harness::wholeRecords(const QString& path, OpCount& c, QStringList& faults)
{
    QSet<QString> whole;
    if (const QString ok = crash::integrity(path); ok != QLatin1String("ok")) {
        ++c.damaged;
        faults << QFileInfo(path).fileName() + QStringLiteral(" damaged: ") + ok;
        return whole;
    }
    ado::Connection cnn;
    cnn.OpenFile(path);
    for (ado::Recordset rs(QStringLiteral("SELECT [KEN],(SELECT COUNT(*) FROM [E2] WHERE [E2].[ID]=[E1].[ID]),"
                                          "(SELECT COUNT(*) FROM [E3] WHERE [E3].[ID]=[E1].[ID]) FROM [E1]"), cnn);
         !rs.Eof(); rs.MoveNext()) {
        const QString ken = rs.Value(0).toString();
        if (rs.Value(1).toInt() != 1 || rs.Value(2).toInt() != crash::sharedReadings(ken)) {
            ++c.lostOrMixed;
            faults << QStringLiteral("record %1 incomplete in %2").arg(ken, QFileInfo(path).fileName());
        } else {
            whole << ken;
        }
    }
    return whole;
}

QString Harness::checkShared(const SharedRun& r, bool yes, OpCount& c)
{
    QStringList faults;
    // Every record there whole, in the project and in a copy saved beside it.
    const QStringList beside = QDir(p.projectFolder()).entryList({QStringLiteral("TALPEX-ZWEITER-*.mdb")}, QDir::Files);
    for (const QString& db : beside) wholeRecords(p.projectFolder() + QLatin1Char('/') + db, c, faults);
    QMap<QString, bool> inProject;
    for (const QString& ken : wholeRecords(p.projectDb(), c, faults)) inProject[ken] = true;
    // Nothing saved by one is gone unless the other was asked and said yes.
    const bool overwroteAsked = r.asked && yes;
    const auto lost = [&](bool saved, const char* ken, const char* what) {
        if (saved && !inProject.value(QString::fromLatin1(ken)) && !overwroteAsked) {
            ++c.lostOrMixed;
            faults << QString::fromLatin1(what);
        }
    };
    lost(r.aSaved, "A", "A's save lost without a question");
    lost(r.exported, "X", "the export lost without a question");
    if (r.bSaved && !r.asked) faults << QStringLiteral("B saved over a changed project without a question");
    if (r.bSaved && !yes && beside.isEmpty()) faults << QStringLiteral("B's copy beside the project is missing");
    return faults.join(QStringLiteral("; "));
}

void Harness::tallyRun(OpCount& c, int run, const QString& fault)
{
    ++(fault.isEmpty() ? m_tally.passed : m_tally.failed);
    if (fault.isEmpty()) return;
    ++c.faultyRuns;
    std::printf("   run %d: %s\n", run, qPrintable(fault));
}

// The users' runs ended without handing back: the other operations start alone again.
void Harness::handBackUsers()
{
    execAll(p.root + QStringLiteral("/DATEN/ARCHIV.mdb"), {QStringLiteral("UPDATE [ADMIN] SET [PROG]='MORVANT'")});
}

void Harness::runSharedProject(int index)
{
    OpCount c;
    const SharedRun calm = runShared(true, -1, 0);
    if (!calm.aSaved || !calm.exported || !calm.asked || !calm.bSaved) {
        std::printf("%d shared project: the two users do not get through without a kill\n", index);
        ++m_tally.failed;
        return;
    }
    crash::Random rnd(m_seed * 31 + index);
    for (int i = 0; i < m_kills; ++i) {
        const bool yes = i % 2 == 0;
        const SharedRun r = runShared(yes, static_cast<qint64>(calm.seconds * 1e9 * (rnd.below(1000000) / 1e6)), 1 + rnd.below(3));
        ++c.runs;
        c.kills += r.killed ? 1 : 0;
        tallyRun(c, i, checkShared(r, yes, c));
    }
    handBackUsers();
    std::printf("%d shared project: %d runs, %d lost/mixed (%d kills, %d damaged files, %d faulty runs) (%.1f s)\n", index, c.runs,
                c.lostOrMixed, c.kills, c.damaged, c.faultyRuns, m_clock.restart() / 1000.0);
    std::fflush(stdout);
}

// Answers the Save's question (after `onAsked`, the first time) and notes where the edits went.
void Harness::finishSave(Child& user, const char* ken, bool yes, Timeline& t, std::optional<QByteArray> l, std::function<void()> onAsked)
{
    for (l = l ? l : user.line(); l == QByteArray("asked"); l = user.line()) {
        t.asked(yes);
        if (onAsked) std::exchange(onAsked, {})();
        user.send(yes ? "yes\n" : "no\n");
    }
    if (!l) throw QStringLiteral("%1's Save did not end").arg(QLatin1String(ken));
    if (*l == "saved") t.wrote(ken);
    else if (*l == "beside") t.beside << QString::fromLatin1(ken);
    else throw QStringLiteral("%1's Save ended with %2").arg(QLatin1String(ken), QString::fromUtf8(*l));
}

// Sends a line to a child (unless null) and reads its answer, the one wanted.
void exchange(Child& c, const char* line, const char* want, const char* who)
{
    if (line) c.send(line);
    if (c.line() != QByteArray(want)) throw QStringLiteral("%1 did not say %2").arg(QLatin1String(who), QLatin1String(want));
}

// Another process writes a record into the project in one transaction, open while `meanwhile` runs.
void Harness::commitBy(int record, Timeline& t, const std::function<void()>& meanwhile)
{
    Child h(args(QStringLiteral("hold"), {QString::number(record)}));
    exchange(h, nullptr, "holding", "the writer");
    if (meanwhile) meanwhile();
    exchange(h, "commit\n", "committed", "the writer");
    t.wrote(crash::kSharedRecords[record]);
}

// A user of the shared project, started and with its record added.
void startUser(Child& u, const char* who)
{
    exchange(u, nullptr, "ready", who);
    exchange(u, "add\n", "added", who);
}

// 0: another process's write transaction is open when A saves and commits
// during A's Save; 1: a commit makes A's Save ask, and another comes while
// the question is open; 2: A's and B's Saves meet.
void Harness::runOverlap(int pattern, bool yes, crash::Random& rnd, Timeline& t)
{
    Child a(user(true));
    startUser(a, "A");
    if (pattern == 0) {
        commitBy(1, t, [&] {
            a.send("save\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(rnd.below(300)));
        });
        return finishSave(a, "A", yes, t);
    }
    if (pattern == 1) {
        commitBy(1, t);
        a.send("save\n");
        return finishSave(a, "A", yes, t, {}, [&] { commitBy(4, t); });
    }
    Child b(user(false));
    startUser(b, "B");
    const bool aFirst = rnd.chance(50);
    (aFirst ? a : b).send("save\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(rnd.below(100)));
    (aFirst ? b : a).send("save\n");
    // The Save that asks waits for its answer: the other one has written by then.
    const auto l = a.line();
    const bool aAsked = l == QByteArray("asked");
    if (aAsked) finishSave(b, "B", yes, t);
    finishSave(a, "A", yes, t, l);
    if (!aAsked) finishSave(b, "B", yes, t);
}

// A is killed with its record in the working copy, B saves, A starts again,
// keeps its edits and saves; every third time A's copy is one of an older
// version, without the project state it came from.
void Harness::runRecovery(int i, bool yes, crash::Random& rnd, Timeline& t)
{
    {
        Child a(user(true));
        startUser(a, "A");
        std::this_thread::sleep_for(std::chrono::milliseconds(rnd.below(50)));
        a.killNow();
        a.wait();
    }
    if (i % 3 == 2) QFile::remove(p.workingCopy() + QStringLiteral(".run"));
    {
        Child b(user(false));
        startUser(b, "B");
        saveBy(b, "B", yes, t);
    }
    Child a(user(true));
    exchange(a, nullptr, "ready", "A");
    saveBy(a, "A", yes, t);
}

QString Harness::checkTimeline(const Timeline& t, OpCount& c)
{
    QStringList faults;
    const QSet<QString> inProject = wholeRecords(p.projectDb(), c, faults);
    QSet<QString> beside;
    for (const QString& db : QDir(p.projectFolder()).entryList({QStringLiteral("TALPEX-*-*.mdb")}, QDir::Files))
        beside += wholeRecords(p.projectFolder() + QLatin1Char('/') + db, c, faults);
    const auto lost = [&](const QString& why) { ++c.lostOrMixed; faults << why; };
    for (auto it = t.written.begin(); it != t.written.end(); ++it)
        if (!inProject.contains(it.key()) && t.lastYes < it.value()) lost(it.key() + QStringLiteral(" lost without a question"));
    for (const QString& ken : t.beside)
        if (!beside.contains(ken)) lost(ken + QStringLiteral(" missing beside the project"));
    return faults.join(QStringLiteral("; "));
}

void Harness::runOverlapping(int index, bool recovery)
{
    OpCount c;
    crash::Random rnd(m_seed * 31 + index);
    for (int i = 0; i < m_kills; ++i) {
        const bool yes = i % 2 == 0;
        Timeline t;
        restore(p, m_shared, sharedFolders());
        t.wrote("R");
        QString ran;
        try {
            recovery ? runRecovery(i, yes, rnd, t) : runOverlap(i % 3, yes, rnd, t);
        } catch (const QString& fault) {
            ran = fault;
        }
        ++c.runs;
        const QString checked = checkTimeline(t, c);
        tallyRun(c, i, ran.isEmpty() || checked.isEmpty() ? ran + checked : ran + QStringLiteral("; ") + checked);
    }
    handBackUsers();
    std::printf("%d %s: %d runs, %d lost/mixed (%d damaged files, %d faulty runs) (%.1f s)\n", index,
                recovery ? "recovery after another save" : "shared overlap", c.runs, c.lostOrMixed, c.damaged, c.faultyRuns,
                m_clock.restart() / 1000.0);
    std::fflush(stdout);
}

// One run without a kill: how long the operation takes and what it leaves.
bool Harness::calibrate(Operation& op, double& seconds)
{
    restore(p, op.before);
    Child child(op.alternateAnswer ? op.args + QStringList{QStringLiteral("yes")} : op.args);
    if (child.line() != QByteArray("go")) return false;
    QElapsedTimer t;
    t.start();
    const auto done = child.line();
    seconds = t.nsecsElapsed() / 1e9;
    if (child.wait() != 0 || done != QByteArray("done")) return false;
    op.allowedP << crash::digest(p.projectDb());
    op.allowedW << crash::digest(p.workingCopy());
    return true;
}

void Harness::runOperation(Operation& op, int index)
{
    OpCount c;
    double seconds = 0;
    if (!calibrate(op, seconds)) {
        std::printf("%d %s: the operation does not run without a kill\n", index, qPrintable(op.title));
        ++m_tally.failed;
        return;
    }
    crash::Random rnd(m_seed * 31 + index);
    // Runs until the kills are reached: a run that ends before its kill still
    // counts its checks, but not as a kill.
    for (int i = 0; c.kills < m_kills && i < 3 * m_kills; ++i) {
        restore(p, op.before);
        const bool yes = i % 2 == 0;
        const auto delayNs = static_cast<qint64>(seconds * 0.8e9 * (rnd.below(1000000) / 1e6));
        bool killed = false;
        QString fault;
        {
            Child child(op.alternateAnswer ? op.args + QStringList{yes ? QStringLiteral("yes") : QStringLiteral("no")} : op.args);
            if (child.line() != QByteArray("go")) {
                fault = QStringLiteral("the driver did not start");
            } else {
                std::this_thread::sleep_for(std::chrono::nanoseconds(delayNs));
                child.killNow();
                const int status = child.wait();
                killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
                if (!killed && status != 0) fault = QStringLiteral("the driver failed (status %1)").arg(status);
            }
        }
        ++c.runs;
        c.kills += killed ? 1 : 0;
        if (fault.isEmpty()) fault = checkAfterKill(op, c);
        if (fault.isEmpty()) {
            ++m_tally.passed;
        } else {
            ++m_tally.failed;
            ++c.faultyRuns;
            std::printf("   run %d (delay %.6f s): %s\n", i, delayNs / 1e9, qPrintable(fault));
        }
    }
    std::printf("%d %s: %d runs, %d kills, %d damaged files, %d lost or mixed records, %d faulty runs (%.1f s)\n", index,
                qPrintable(op.title), c.runs, c.kills, c.damaged, c.lostOrMixed, c.faultyRuns, m_clock.restart() / 1000.0);
    std::fflush(stdout);
}

QString Harness::checkAfterKill(const Operation& op, OpCount& c)
{
    const Snapshot post = take(p);
    QStringList faults;
    for (const QString& db : {p.projectDb(), p.workingCopy()}) {
        const QString ok = crash::integrity(db);
        if (ok != QLatin1String("ok")) {
            ++c.damaged;
            faults << QFileInfo(QFileInfo(db).path()).fileName() + QStringLiteral(" damaged: ") + ok;
        }
    }
    if (!op.allowedP.contains(crash::digest(p.projectDb()))) {
        ++c.lostOrMixed;
        faults << QStringLiteral("project database neither before nor after");
    }
    if (!op.allowedW.contains(crash::digest(p.workingCopy()))) {
        ++c.lostOrMixed;
        faults << QStringLiteral("working copy neither before nor after");
    }
    for (const bool yes : {true, false}) {
        const QString f = checkNextStart(op, post, yes);
        if (!f.isEmpty()) faults << (yes ? QStringLiteral("next start, Yes: ") : QStringLiteral("next start, No: ")) + f;
    }
    restore(p, post);
    return faults.join(QStringLiteral("; "));
}

QString Harness::checkNextStart(const Operation& op, const Snapshot& post, bool yes)
{
    restore(p, post);
    const bool hadCopy = QFileInfo::exists(p.workingCopy());
    const QString project = crash::digest(p.projectDb());
    fi.ui->clear();
    fi.ui->answer(yes ? vb::vbYes : vb::vbNo);
    QStringList faults;
    {
        StatusPanels panels;
        StartUp startUp(fi.session, panels);
        const bool started = startUp.load();
        fi.session.cnnX.Close();
        fi.session.cnnX_V.Close();
        fi.session.cnnFrame.Close();
        if (!started) {
            QStringList shown;
            for (const auto& b : fi.ui->boxes()) shown << b.text;
            return QStringLiteral("refused to start: ") + shown.join(QStringLiteral(" | "));
        }
        // Kept edits are not in the project yet: closing must offer to save them.
        if (fi.session.GEAENDERT != (yes && hadCopy)) faults << QStringLiteral("unsaved-changes flag wrong");
        const auto& boxes = fi.ui->boxes();
        if (hadCopy != (boxes.size() == 1 && boxes[0].text == kInterrupted) || boxes.size() > 1)
            faults << QStringLiteral("%1 boxes, question expected: %2").arg(boxes.size()).arg(hadCopy);
    }
    const QString w = crash::digest(p.workingCopy());
    if (yes && hadCopy ? !op.allowedW.contains(w) : w != project) faults << QStringLiteral("working copy holds the wrong state");
    if (crash::integrity(p.workingCopy()) != QLatin1String("ok")) faults << QStringLiteral("working copy damaged");
    QStringList user = fileNames(p.userFolder());
    user.removeOne(QStringLiteral("TALPEX.mdb.lock"));
    if (user != QStringList{QStringLiteral("TALPEX.mdb"), QStringLiteral("TALPEX.mdb.run")})
        faults << QStringLiteral("left in the user folder: ") + user.join(QLatin1Char(' '));
    const QStringList proj = fileNames(p.projectFolder());
    if (proj != QStringList{QStringLiteral("TALPEX.mdb")}) faults << QStringLiteral("left in the project folder: ") + proj.join(QLatin1Char(' '));
    return faults.join(QStringLiteral(", "));
}

void Harness::runInputs(const QString& title, const QString& kind, int index)
{
    restore(p, m_fuzz);
    Child child(QStringList{kind, p.root, QString::number(m_inputs), QString::number(m_seed * 31 + index), QString::number(m_first)});
    QByteArray last, result;
    while (const auto l = child.line(60000)) {
        if (l->startsWith("input ")) last = *l;
        else if (l->startsWith("result ")) result = *l;
    }
    const bool hung = child.timedOut();
    const int status = child.wait();
    const QList<QByteArray> n = result.split(' ');
    const bool complete = n.size() == 5 && status == 0;
    const int inputs = complete ? n[1].toInt() : last.split(' ').value(1).toInt();
    const int faults = complete ? n[4].toInt() : 0;
    const int crashes = complete ? 0 : 1;
    std::printf("%d %s: %d inputs, %s refused, %s accepted, %d crashes or hangs, %d faults (%.1f s)\n", index, qPrintable(title),
                inputs, complete ? n[2].constData() : "?", complete ? n[3].constData() : "?", crashes, faults,
                m_clock.restart() / 1000.0);
    if (!complete)
        std::printf("   %s at %s (status %d)\n", hung ? "hang" : "crash", last.constData(), status);
    m_tally.passed += inputs - faults;
    m_tally.failed += faults + crashes;
    std::fflush(stdout);
}

int Harness::run()
{
    std::printf("seed %llu, %d kills per operation, %d inputs per kind\n", static_cast<unsigned long long>(m_seed), m_kills, m_inputs);
    std::fflush(stdout);
    m_clock.start();
    prepare();
    std::printf("set-up (%.1f s)\n", m_clock.restart() / 1000.0);
    int index = 1;
    auto chosen = [&] { return m_only.isEmpty() || m_only.contains(index); };
    for (Operation& op : m_ops) {
        if (chosen()) runOperation(op, index);
        ++index;
    }
    if (chosen()) runSharedProject(index);
    ++index;
    for (const bool recovery : {false, true}) {
        if (chosen()) runOverlapping(index, recovery);
        ++index;
    }
    const std::pair<QString, QString> kinds[] = {{QStringLiteral("pastes into the readings grid"), QStringLiteral("paste-readings")},
                                                 {QStringLiteral("pastes into the presets grid"), QStringLiteral("paste-presets")},
                                                 {QStringLiteral("markup strings"), QStringLiteral("markup")},
                                                 {QStringLiteral("project database files"), QStringLiteral("dbfile")}};
    for (const auto& [title, kind] : kinds) {
        if (chosen()) runInputs(title, kind, index);
        ++index;
    }
    std::printf("%d passed, %d failed\n", m_tally.passed, m_tally.failed);
    return m_tally.failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::signal(SIGPIPE, SIG_IGN); // a child killed before its input arrives
    int kills = 20, inputs = 200;
    quint64 seed = static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count()) % 1000000007ull;
    g_driver = QCoreApplication::applicationDirPath() + QStringLiteral("/talpex_crash_driver");
    QSet<int> only;
    int first = 0;
    const QStringList a = app.arguments();
    for (int i = 1; i + 1 < a.size(); i += 2) {
        if (a[i] == QLatin1String("--kills")) kills = a[i + 1].toInt();
        else if (a[i] == QLatin1String("--inputs")) inputs = a[i + 1].toInt();
        else if (a[i] == QLatin1String("--seed")) seed = a[i + 1].toULongLong();
        else if (a[i] == QLatin1String("--driver")) g_driver = a[i + 1];
        else if (a[i] == QLatin1String("--only"))
            for (const QString& n : a[i + 1].split(QLatin1Char(','))) only << n.toInt();
        else if (a[i] == QLatin1String("--first")) first = a[i + 1].toInt();
    }
    Harness h(kills, inputs, seed);
    h.replay(only, first);
    return h.run();
}
