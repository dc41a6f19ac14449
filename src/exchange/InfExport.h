#pragma once
// Handing the result of an evaluated record to the information system DOLMIR
// (DOLMIR.mdb in the frame's database folder), without any window: the record
// lists of both sides and the export of one record, which writes the
// information system's E0, E1 and E4_1 in one transaction.
#include "exchange/RecordCopy.h"

#include <QDateTime>
#include <QString>
#include <QVector>
#include <memory>
#include <optional>

class Session;
class clsDATEN;

class InfExport {
public:
    // Prepares the export values of the session (operator, today, project) and
    // the project's data-access objects on the working copy.
    explicit InfExport(Session& s);
    ~InfExport();

    // Connects to the information system; false when it is not installed.
    bool open();
    bool isOpen() const { return m_open; }

    // Records of the project by ID, without the multiple evaluation; the text is the KEN.
    QVector<RecordLine> projectRecords();
    // Information-system records of this project by ID.
    QVector<RecordLine> infRecords();

    // Whether the project record has results; when not, says so in a message.
    bool hasResults(qint32 projectId);

    // Writes the result of project record projectId into information-system
    // record infId, or into a new one when infId is empty. A record without
    // results is refused with a message. Nothing of a failed export stays.
    // Returns the information-system ID written.
    std::optional<qint32> exportRecord(qint32 projectId, std::optional<qint32> infId);

    // The export values.
    QString BEARBEITER;
    QDateTime DATUM;
    QString QUELLE = QStringLiteral("IG");
    QString PROJ;

private:
    // K10 of the last evaluated interval; empty when the record has no results.
    std::optional<float> lastK10(qint32 projectId);
    bool write(qint32 infId, const QString& ken, const QString& kom, float k10);

    Session& m_s;
    std::unique_ptr<clsDATEN> m_E1;  // project
    std::unique_ptr<clsDATEN> m_A2;  // project
    std::unique_ptr<clsDATEN> m_inf; // information system, its tables in turn
    bool m_open = false;
};
