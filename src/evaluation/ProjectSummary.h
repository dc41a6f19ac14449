#pragma once
// The reported values of a project's records, one line a record: the range of
// steps, the statistics of k10 over it and the straight line through ln(head)
// over it. Each record is evaluated in memory from its readings, as the
// evaluation command would evaluate it, and nothing is written; the boxes a
// failing evaluation would show are kept as the record's reason instead. One
// piece of code for the batch tool and the program's summary export.
#include "evaluation/HeadFit.h"
#include "evaluation/StepCalculation.h"
#include "evaluation/StepRange.h"

#include <QString>
#include <QVector>
#include <functional>
#include <optional>

class Session;

struct RecordSummary {
    qint32 id = 0;
    QString ken;
    bool evaluated = false;
    QString reason; // why the record could not be evaluated
    StepSummary steps;
    HeadFit fit;
};

namespace ProjectSummary {

// Record id of session s evaluated in memory, no box shown; reason says why
// when it could not be evaluated.
struct Evaluation {
    EvaluationInput in;
    EvaluationSteps steps;
    bool evaluated = false;
    QString reason;
};
Evaluation evaluateInMemory(Session& s, qint32 id);

// Record id of session s over its stored range, or over `range` when given
// (the caller has checked it against the record's steps).
RecordSummary evaluate(Session& s, qint32 id, const QString& ken, const std::optional<StepRange>& range = std::nullopt);
// Every record of the project (not the multiple evaluation) in designation
// order; progress(done, total) after each record.
QVector<RecordSummary> evaluateAll(Session& s, const std::function<void(int, int)>& progress = {});

// The CSV header and a record's line, fields separated by sep, numbers with
// the decimal separator given; no line end.
QString header(QChar sep);
QString line(const RecordSummary& r, QChar sep, QChar decimal);
// The shortest text that reads back as the same single.
QString number(float v, QChar decimal = QLatin1Char('.'));

} // namespace ProjectSummary
