#pragma once
// The batch command "talpex-batch evaluate PROJECT_DB --record KEN
// [--presets PRESETS_DB] [--summary [--steps FIRST-LAST]]": evaluates one
// record of a project database without a window and prints its A2 rows as
// CSV; with --summary then the reported value, k10 over the record's stored
// range of steps or the one given. It works on a temporary copy, so the
// project file itself is never changed.
#include "batch/BatchRun.h"

#include <QString>
#include <QStringList>

class QTextStream;

class BatchEvaluate : public BatchExit {
public:
    // args: the command-line arguments after the program name. The CSV goes to
    // out, the tool's own messages to err; a message box (the evaluation failed)
    // is told on stderr and fails the run.
    static int run(const QStringList& args, QTextStream& out, QTextStream& err);

    static QString usage();
    // The shortest text that reads back as the same single.
    static QString number(float v);
};
