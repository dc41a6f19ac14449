#pragma once
// The database engine interface of the program, in the shape of ADO over Jet,
// on SQLite: connections from Jet connection strings, static recordsets with
// optimistic updates written back by rowid. Failures raise vb::VBError.
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

// Column types as the schema declares them; decide conversions both ways.
enum class ColType { Unknown, Int16, Int32, Single, Double, Date, Bool, Text };
ColType colTypeFromDecl(const QString& declType);

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // "Provider=...; Data Source=<file>;Persist Security Info=False". A missing
    // file raises 3024; a file that is no database raises 3049.
    void Open(const QString& connectionString, int timeoutSeconds = 30);
    void OpenFile(const QString& path, int timeoutSeconds = 30);
    void Close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }
    static QString pathFromConnectionString(const QString& cs);
    static QString connectionString(const QString& path); // the Jet form for a file

    // Runs a statement that returns no rows; returns the rows affected.
    int Execute(const QString& sql);

    // Nested transactions (savepoints). Rollback undoes the innermost level.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    int transactionDepth() const { return m_depth; }

    sqlite3* handle() const { return m_db; }
    // A cached prepared statement (reset, bindings cleared); owned by the connection.
    sqlite3_stmt* prepareCached(const QString& sql);
    [[noreturn]] void raise(int rc, const QString& context = QString()) const;

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    int m_depth = 0;
    QHash<QString, sqlite3_stmt*> m_cache;
};

// Commits on commit(), rolls back when destroyed without it.
class Transaction {
public:
    explicit Transaction(Connection& cnn) : m_cnn(&cnn) { cnn.BeginTrans(); }
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Connection* m_cnn;
    bool m_done = false;
};

class Recordset;

// A field of the current row: Fields("KEN").Value(), Fields(0).setValue(x).
class Field {
public:
    QString Name() const;
    ColType Type() const;
    QVariant Value() const;
    void setValue(const QVariant& v);

private:
    friend class Recordset;
    Field(Recordset* rs, int index) : m_rs(rs), m_index(index) {}
    Recordset* m_rs;
    int m_index;
};

class Recordset {
public:
    Recordset() = default;
    Recordset(const QString& sql, Connection& cnn) { Open(sql, cnn); }
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Static cursor, optimistic locking: every selected row is read now.
    void Open(const QString& sql, Connection& cnn);
    void Close();
    bool isOpen() const { return m_cnn != nullptr; }

    bool Eof() const { return m_pos >= m_rows.size(); }
    bool Bof() const { return m_pos < 0; }
    long RecordCount() const;
    int FieldCount() const { return m_names.size(); }
    Field Fields(int index);
    Field Fields(const QString& name);
    QVariant Value(const QString& name) const;
    QVariant Value(int index) const;
    void setValue(const QString& name, const QVariant& v);
    void setValue(int index, const QVariant& v);
    int fieldIndex(const QString& name) const; // -1 when unknown

    void MoveFirst();
    void MoveNext();
    void MoveLast();
    void AddNew();
    void Update();
    void Delete();
    void CancelUpdate();

private:
    friend class Field;
    // A row's place in the table; its values are held in m_values.
    struct RowState {
        qint64 rowid = 0;
        bool isNew = false;
        bool deleted = false;
    };
    // A write-back statement for one shape: the columns it sets, insert or update.
    struct Writer {
        QVector<bool> columns;
        bool insert = false;
        sqlite3_stmt* st = nullptr;
    };
    int checkIndex(int index) const;
    qsizetype currentRow() const;
    const QVariant* rowValues(qsizetype row) const { return m_values.constData() + row * m_names.size(); }
    QVariant* rowValues(qsizetype row) { return m_values.data() + row * m_names.size(); }
    void flushPending();
    sqlite3_stmt* writer(bool insert);
    sqlite3_stmt* deleter();
    void checkStatements();
    void finalizeStatements();
    void endEdit();

    Connection* m_cnn = nullptr;
    QString m_table;
    bool m_hasRowid = false;
    QVector<QString> m_names;
    QVector<ColType> m_types;
    QVector<RowState> m_rows;
    QVector<QVariant> m_values; // FieldCount() values per row, row after row
    long m_deletedRows = 0;
    qsizetype m_pos = 0;
    bool m_editing = false;
    QVector<bool> m_dirty;        // the columns the pending edit has set
    QVector<QVariant> m_original; // their values before it, for CancelUpdate
    // Prepared on m_statementDb once per shape and reused for every row.
    std::vector<Writer> m_writers;
    sqlite3_stmt* m_delete = nullptr;
    sqlite3* m_statementDb = nullptr;
};

// Converts a value for storage in a column of the type; raises 13 (type
// mismatch) or 6 (overflow). Returns the value as it will be read back.
QVariant convertForColumn(const QVariant& v, ColType type);

// Binds column i of the current row of `from` (a column of fromType) to
// parameter j of `to` as a write into a column of toType would store it.
void copyColumnValue(sqlite3_stmt* from, int i, ColType fromType, sqlite3_stmt* to, int j, ColType toType);

} // namespace ado
