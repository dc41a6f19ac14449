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
    // An argument problem: the message and the usage; returns BadArguments.
    int badArguments(const QString& problem);

    // Copies the project database (and the presets database when given; without
    // one the presets come from the project, as in development mode) and opens
    // the copies in the session. 0 when ready, else the exit code, said on stderr.
    int open(const QString& project, const std::optional<QString>& presets);
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
    QTemporaryDir m_tmp;
    std::unique_ptr<Session> m_session;
    vb::ConsoleUi* m_ui;
    std::unique_ptr<vb::UiService> m_previousUi;
};
