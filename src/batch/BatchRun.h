#pragma once
// What every batch command shares: its help, its argument errors, the
// temporary folder with copies of the databases (the files given are never
// changed), a session on the copies for the user and locale of the process,
// and the message boxes, which are told on stderr and answered Cancel or No
// so that a failing step stops the run.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

class QTextStream;
class Session;
namespace ado { class Connection; }
namespace vb { class ConsoleUi; class UiService; }

// The exit codes of every batch command.
struct BatchExit {
    enum Code : int {
        Success = 0,
        NotAllEvaluated = 1, // a summary with records that could not be evaluated
        BadArguments = 2, // also an unreadable database or an unknown record
        Failed = 3,       // the work itself failed or showed a message box
    };
};

class BatchRun : public BatchExit {
public:
    BatchRun(QTextStream& out, QTextStream& err, QString usage);
    ~BatchRun();
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    // "COMMAND --help": prints the usage and returns true.
    bool help(const QStringList& args);
    // The tool's message on stderr; returns code.
    int fail(int code, const QString& text);
    // A remark on stderr that is no failure.
    void note(const QString& text);
    // An argument problem: the message and the usage; returns BadArguments.
    int badArguments(const QString& problem);

    // Copies the project database and the presets database and opens the
    // copies in the session. The presets are the ones given; without them the
    // frame installation's (VORGABE.mdb in the user's "Datenbankpfad"), as the
    // program itself uses; without a frame installation the project's own
    // presets table, as in development mode. 0 when ready, else the exit code,
    // said on stderr.
    int open(const QString& project, const std::optional<QString>& presets);
    // 0 when the standpipe type of record id (designation ken) is in the
    // presets of this run, else BadArguments with a message naming the type.
    int requireStandpipe(qint32 id, const QString& ken);
    Session& session() { return *m_session; }
    // Message boxes shown since the run began.
    int boxes() const;

    // The first user record (not the multiple evaluation) with this
    // designation, 0 when none.
    static long findRecord(ado::Connection& cnn, const QString& ken);

private:
    QTextStream& m_out;
    QTextStream& m_err;
    QString m_usage;
    QString m_presets; // where the presets come from, for the messages
    QTemporaryDir m_tmp;
    std::unique_ptr<Session> m_session;
    vb::ConsoleUi* m_ui;
    std::unique_ptr<vb::UiService> m_previousUi;
};
