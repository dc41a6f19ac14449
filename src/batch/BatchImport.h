#pragma once
// The batch command "talpex-batch import PROJECT_DB --record KEN --file LOGFILE
// [options]": reads a logger file, converts and thins its levels as the input
// form's import dialog does, and replaces the readings of record KEN in the
// project database in one transaction. The record's results are then out of
// date. On any error the database file stays as it was.
#include "batch/BatchRun.h"
#include "logger/LoggerImport.h"

#include <QString>
#include <QStringList>
#include <vector>

class QTextStream;
namespace ado { class Connection; }

class BatchImport {
public:
    // Every failure exits with 2 (BatchExit::BadArguments): the file stays as it was.
    enum ExitCode : int { Success = 0, Failed = 2 };

    // args: the command-line arguments after the program name; the count of
    // stored readings goes to out, errors to err.
    static int run(const QStringList& args, QTextStream& out, QTextStream& err);
    static QString usage();

    // Replaces the readings of record id by `readings`, stored as the input
    // form stores the same readings, and marks its results out of date; one
    // transaction. Raises VBError.
    static void store(ado::Connection& cnn, long id, const std::vector<logger::Reading>& readings);
};
