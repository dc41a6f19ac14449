#pragma once
// Database files handled as files: copied, replaced, removed. A hot rollback
// journal beside a database file is played back by SQLite into whatever file
// stands under that name when it is next opened; so before a database file is
// copied or replaced, SQLite finishes (rolls back) an interrupted transaction
// of it, and then its journal and any WAL files are removed.
#include <QString>
#include <QStringList>

namespace dbfile {

// The journal and WAL companions of a database file.
QStringList companions(const QString& path);
// Rolls back what a killed writer left unfinished in path, then removes the
// companions (also when path is missing or no database). Failures raise VBError.
void settle(const QString& path);
// Copies source over target through a temporary file and a rename, both
// settled first (failures raise VBError).
void copy(const QString& source, const QString& target);

} // namespace dbfile
