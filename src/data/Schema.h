#pragma once
// The table layouts of the project, frame and presets databases, created from
// one definition, and the operations that span a whole record.
#include <QString>
#include <QStringList>

namespace ado { class Connection; }

namespace schema {

inline const QString kProgramTitle = QStringLiteral("TALPEX");
inline const QString kPresetsTable = QStringLiteral("TALPEX_V1");
// The six tables that make up one record.
inline const QStringList kRecordTables = {QStringLiteral("E1"), QStringLiteral("E2"), QStringLiteral("E3"),
                                          QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("G0")};

// The schema version of a project database (PRAGMA user_version): 0 the
// first release, 1 adds the evaluated step range (A1.VON, A1.BIS) and the
// logarithmic k10 axes (A1.LOGK10, M1.LOGK10), 2 the head diagram on a
// logarithmic axis with the fitted straight line (A1.LOGPHI).
constexpr int kProjectVersion = 2;

// Each creates a new database file (raises when the file exists or cannot be written).
void createProjectDatabase(const QString& path);   // E1 E2 E3 A1 A2 G0 M1 and TALPEX_V1, at kProjectVersion
void createFrameDatabase(const QString& path);     // ADMIN
void createPresetsDatabase(const QString& path);   // TALPEX_V1

// The schema version of the open project database.
int projectVersion(ado::Connection& cnn);
// Brings an older project database up to kProjectVersion in one transaction,
// every value kept; called whenever a project file is opened. A file of a
// newer version is refused (errCannotOpenDatabase) and left as it is.
void upgradeProject(ado::Connection& cnn);

// Removes every row of record ID from the six record tables in one transaction.
void deleteRecord(ado::Connection& cnn, long id);

} // namespace schema

// Quotes text for a place between single quotes in an SQL text: ' becomes ''.
QString sqlText(const QString& value);
