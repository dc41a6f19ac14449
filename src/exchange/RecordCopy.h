#pragma once
// Copying whole records (the six record tables, every row) from one project
// database into another, without any window. Each record goes into the target
// in one transaction under a new ID, so a target never holds half a record.
#include <QString>
#include <QStringList>
#include <QVector>

namespace ado { class Connection; }
class Session;

// One line of a record list: its text and the record's ID.
struct RecordLine {
    qint32 id = 0;
    QString text;
};

// One user record of a project.
struct ProjectRecord {
    qint32 id = 0;
    QString ken;
    QString kom; // empty when null
};
enum class RecordOrder { ByDesignation, ById };

// The user records of a project: every record but the multiple evaluation
// (ID 0). Raises vb::VBError when they cannot be read.
QVector<ProjectRecord> projectRecords(ado::Connection& cnn, RecordOrder order);

// 1 + the largest ID in any of the tables (1 when all are empty), so that rows
// left behind by a deleted record are never adopted by a new one.
qint32 nextFreeId(ado::Connection& cnn, const QStringList& tables);

class RecordCopy {
public:
    // s gives the language of the messages.
    RecordCopy(const Session& s, ado::Connection& source, ado::Connection& target);

    // The records of a project for the exchange lists, "KEN (KOM)" in
    // designation order. Empty when there are none.
    static QVector<RecordLine> recordLines(ado::Connection& cnn);
    // Whether cnn holds a record with this designation (case ignored).
    static bool hasRecord(ado::Connection& cnn, const QString& ken);

    // Copies record id of the source into the target in one transaction and
    // returns its new ID. Raises vb::VBError (target unchanged) when the record
    // is missing, a column of the source is missing in the target, or a write fails.
    qint32 copyRecord(qint32 id);

    // Copies the records in order. A designation the target already has is
    // warned about: OK skips it, Cancel stops. A failing record is reported
    // by name: OK goes on with the next, Cancel stops. IDs below 1 (the
    // multiple evaluation, the "<leer>" line) are never copied.
    // Returns the number of records copied.
    int copy(const QVector<qint32>& ids);

private:
    QString designation(qint32 id);

    const Session& m_s;
    ado::Connection& m_source;
    ado::Connection& m_target;
};
