#pragma once
// Records for the evaluation tests: a project database in a temporary folder
// with a session on it, filled with a record's parameters, readings and
// standpipe presets, and the A2 rows read back.
#include "common/TestSupport.h"
#include "data/Session.h"

#include <QVariant>
#include <QVector>
#include <vector>

namespace evaltest {

struct Reading {
    float det, temp, hst;
    QVariant hko; // null: no reference-pipe value
};

struct ResultRow {
    int i1;
    QVariant phi, detn, k10, dehko;
};

class EvaluationDb {
public:
    // A session in development mode: the presets table is read from the project database.
    EvaluationDb();

    Session& session() { return m_session; }
    testsupport::ProjectDb& db() { return m_db; }

    // E1 (active or not) and E2 of a record; n null stores an empty step width.
    void addRecord(long id, const QString& ken, bool akt, float h, const QString& stro, const QVariant& n);
    void addReadings(long id, const std::vector<Reading>& readings, int firstI1 = 0);
    void addPreset(const QString& stro, float d1, float d2, float f, float a, float b, float c);
    void addResultRow(long id, int i1, float phi);
    void setActive(long id); // the only active record
    void replaceReadings(long id, const std::vector<Reading>& readings);

    QVector<ResultRow> results(long id);

private:
    testsupport::ProjectDb m_db;
    Session m_session;
};

} // namespace evaltest
