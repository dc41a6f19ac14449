#pragma once
// The rows the evaluation commands keep around the results, without any
// window, for the Evaluate menu and for the batch tool alike: which records
// are active, the A1 row whose BONEU says the results are out of date, the
// multiple evaluation's record 0 and its M1 header row.
#include <QString>
#include <QVector>
#include <functional>

namespace ado { class Connection; }

namespace EvaluationRows {

// The active records (ID), in table order or by designation.
QVector<qint32> activeRecords(ado::Connection& cnn, bool byDesignation = false);
// Exactly these records active, in one transaction.
void makeActive(ado::Connection& cnn, const QVector<qint32>& ids);

// Whether the record's results are stored and up to date (A1 BONEU false).
bool hasValidResults(ado::Connection& cnn, qint32 id);
// The A1 row of a record, added with BONEU set when missing; an existing
// row stays as it is. Returns its BONEU.
bool ensureResultRow(ado::Connection& cnn, qint32 id);
// BONEU set (added when missing) or cleared; the record's display switches
// and settings on the row stay as they are.
void markNotEvaluated(ado::Connection& cnn, qint32 id);
void markEvaluated(ado::Connection& cnn, qint32 id);

// The readings of a record without a temperature: the evaluation computes
// them at 0 °C, which the result page and the batch tool say.
int readingsWithoutTemperature(ado::Connection& cnn, qint32 id);

// Record 0 of the multiple evaluation: its E1 row ("M", "Mehrfachauswertung")
// and its A1 row (BONEU set), each added when missing.
void ensureMultipleRecord(ado::Connection& cnn);
// The M1 header row of the multiple evaluation, added when missing with the
// comment `comment()` gives and its curves labelled.
void ensureMultipleHeader(ado::Connection& cnn, const std::function<QString()>& comment);

} // namespace EvaluationRows
