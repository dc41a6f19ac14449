#pragma once
// The batch command "talpex-batch summary PROJECT_DB [--presets PRESETS_DB]":
// the reported values of every record of a project as CSV, one line a record
// in designation order. A record that cannot be evaluated gets its designation
// and empty fields and its reason on stderr; the run then ends with 1 after
// all records. Works on a temporary copy; the project file is never written.
#include "batch/BatchRun.h"

#include <QString>
#include <QStringList>

class QTextStream;

class BatchSummary : public BatchExit {
public:
    static int run(const QStringList& args, QTextStream& out, QTextStream& err);
    static QString usage();
};
