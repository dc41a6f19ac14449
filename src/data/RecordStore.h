#pragma once
// The record operations behind the File commands, on the working copy and
// without any window: which records are active, the next free ID, removing
// records and the stale multiple evaluation, and storing the input of the
// input form as one transaction.
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace ado { class Connection; }

struct RecordKey {
    long id = 0;
    QString ken;
};

namespace RecordStore {

// Active user records (ID > 0) in designation order: the records Open may open.
QVector<long> openableIds(ado::Connection& cnn);
// Every active record, the multiple evaluation's included.
int activeCount(ado::Connection& cnn);
// Every active record with its designation, in table order (Delete asks for each).
QVector<RecordKey> activeRecords(ado::Connection& cnn);

// Removes the multiple-evaluation record (ID 0, all its tables) and the
// header row of the multiple evaluation in M1, so a stale one cannot be shown.
void removeMultipleEvaluation(ado::Connection& cnn);

// The ID of the user record with this designation, if one exists.
std::optional<long> findUserRecord(ado::Connection& cnn, const QString& ken);
// Largest ID + 1, or 1 in an empty table.
long nextId(ado::Connection& cnn);
// Clears AKT on every other active record.
void makeOnlyActive(ado::Connection& cnn, long id);

enum class SaveOutcome { Saved, Declined, Failed };
// Stores input under designation ken in one transaction: an existing user
// record of that designation is overwritten only when confirmOverwrite()
// agrees (its E1 row is replaced, its ID kept); otherwise the input gets the
// next free ID. store(id) writes the input; when it fails, every change is
// rolled back. Afterwards the saved record is the only active one.
SaveOutcome saveInput(ado::Connection& cnn, const QString& ken, const std::function<bool()>& confirmOverwrite,
                      const std::function<bool(long id)>& store, long* savedId = nullptr);

} // namespace RecordStore
