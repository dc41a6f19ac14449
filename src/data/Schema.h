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

// Each creates a new database file (raises when the file exists or cannot be written).
void createProjectDatabase(const QString& path);   // E1 E2 E3 A1 A2 G0 M1 and TALPEX_V1
void createFrameDatabase(const QString& path);     // ADMIN
void createPresetsDatabase(const QString& path);   // TALPEX_V1

// Removes every row of record ID from the six record tables in one transaction.
void deleteRecord(ado::Connection& cnn, long id);

} // namespace schema

// Quotes text for a place between single quotes in an SQL text: ' becomes ''.
QString sqlText(const QString& value);
