#pragma once
// The batch command "talpex-batch evaluate PROJECT_DB --record KEN
// [--presets PRESETS_DB] [--summary [--steps FIRST-LAST]]": evaluates one
// record of a project database without a window and prints its A2 rows as
// CSV; with --summary then the reported value, k10 over the record's stored
// range of steps or the one given. It works on a temporary copy, so the
// project file itself is never changed.
#include <QString>
#include <QStringList>

class QTextStream;
namespace ado { class Connection; }

class BatchEvaluate {
public:
    enum ExitCode : int {
        Success = 0,
        BadArguments = 2,     // also an unreadable database or an unknown record
        EvaluationFailed = 3, // BERECHNUNG returned false or showed a failure box
    };

    // args: the command-line arguments after the program name. The CSV goes to
    // out, the tool's own messages to err; every message box is answered with
    // OK and printed to the process's stderr.
    static int run(const QStringList& args, QTextStream& out, QTextStream& err);

    static QString usage();
    // Shared with the other batch commands: copies a database file and opens
    // the copy (raises VBError when it cannot); the first real record (not the
    // multiple evaluation) with that designation, 0 when none.
    static void openCopy(const QString& source, const QString& copy, ado::Connection& cnn);
    // As openCopy for a project database, whose copy is brought up to this
    // program's schema (the project file itself stays as it is).
    static void openProjectCopy(const QString& source, const QString& copy, ado::Connection& cnn);
    static long findRecord(ado::Connection& cnn, const QString& ken);
    // The shortest text that reads back as the same single.
    static QString number(float v);
};
