#include "data/Ado.h"

#include "platform/Convert.h"
#include "platform/VBError.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <sqlite3.h>

using vb::Raise;
using vb::VBError;

namespace ado {

ColType colTypeFromDecl(const QString& declType)
{
    const QString d = declType.toUpper();
    if (d.startsWith(QLatin1String("SMALLINT"))) return ColType::Int16;
    if (d.startsWith(QLatin1String("INTEGER")) || d.startsWith(QLatin1String("INT"))) return ColType::Int32;
    if (d.startsWith(QLatin1String("FLOAT4")) || d.startsWith(QLatin1String("SINGLE"))) return ColType::Single;
    if (d.startsWith(QLatin1String("FLOAT8")) || d.startsWith(QLatin1String("DOUBLE")) || d.startsWith(QLatin1String("REAL")))
        return ColType::Double;
    if (d.startsWith(QLatin1String("DATETIME")) || d.startsWith(QLatin1String("DATE")) || d.startsWith(QLatin1String("TIME")))
        return ColType::Date;
    if (d.startsWith(QLatin1String("BOOLEAN")) || d.startsWith(QLatin1String("BIT"))) return ColType::Bool;
    if (d.startsWith(QLatin1String("TEXT")) || d.contains(QLatin1String("CHAR"))) return ColType::Text;
    return ColType::Unknown;
}

// ---------------------------------------------------------------- conversion

namespace {
[[noreturn]] void mismatch(const QVariant& v)
{
    Raise(vb::errTypeMismatch, QStringLiteral("Type mismatch: '%1'").arg(v.toString()));
}

double toNumber(const QVariant& v)
{
    switch (v.typeId()) {
    // The types rows are read in convert directly, without the general conversion.
    case QMetaType::Int: return v.toInt();
    case QMetaType::Float: return v.toFloat();
    case QMetaType::Double: return v.toDouble();
    case QMetaType::Bool: return v.toBool() ? -1.0 : 0.0;
    case QMetaType::QString: {
        if (auto d = vb::ParseNumber(v.toString())) return *d;
        mismatch(v);
    }
    case QMetaType::QDateTime: return vb::DateToSerial(v.toDateTime());
    case QMetaType::QDate: return vb::DateToSerial(vb::MakeDateTime(v.toDate()));
    case QMetaType::QTime: return vb::DateToSerial(vb::MakeDateTime(QDate(1899, 12, 30), v.toTime()));
    default: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok) mismatch(v);
        return d;
    }
    }
}
} // namespace

QVariant convertForColumn(const QVariant& v, ColType type)
{
    if (v.isNull() || !v.isValid()) return QVariant();
    switch (type) {
    case ColType::Int16: {
        const auto r = vb::ToInt16(toNumber(v));
        if (!r) Raise(vb::errOverflow, QStringLiteral("Overflow"));
        return QVariant(static_cast<int>(*r));
    }
    case ColType::Int32: {
        const auto r = vb::ToInt32(toNumber(v));
        if (!r) Raise(vb::errOverflow, QStringLiteral("Overflow"));
        return QVariant(static_cast<int>(*r));
    }
    case ColType::Single: {
        const double d = toNumber(v);
        const float f = static_cast<float>(d);
        if (!std::isfinite(d) || !std::isfinite(f)) Raise(vb::errOverflow, QStringLiteral("Overflow"));
        return QVariant(f);
    }
    case ColType::Double: {
        const double d = toNumber(v);
        if (!std::isfinite(d)) Raise(vb::errOverflow, QStringLiteral("Overflow"));
        return QVariant(d);
    }
    case ColType::Date: {
        if (v.typeId() == QMetaType::QDateTime) {
            // A date as the engine reads it (UTC, whole seconds) needs no rounding.
            const QDateTime dt = v.toDateTime();
            if (dt.isValid() && dt.timeSpec() == Qt::UTC && dt.time().msec() == 0) return v;
        }
        if (v.typeId() == QMetaType::QString) {
            if (auto dt = vb::ParseDateTime(v.toString())) return *dt;
            mismatch(v);
        }
        return vb::SerialToDate(toNumber(v));
    }
    case ColType::Bool: {
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            if (s == QLatin1String("true") || s == QLatin1String("wahr")) return true;
            if (s == QLatin1String("false") || s == QLatin1String("falsch")) return false;
        }
        return toNumber(v) != 0.0;
    }
    case ColType::Text:
        if (v.typeId() == QMetaType::QString) return v;
        return vb::CStr(v);
    case ColType::Unknown: return v;
    }
    return v;
}

namespace {
// A converted value is held as int, float or double: read it without the general conversion.
qint64 asInteger(const QVariant& v) { return v.typeId() == QMetaType::Int ? v.toInt() : v.toLongLong(); }
double asDouble(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Float: return v.toFloat();
    case QMetaType::Int: return v.toInt();
    default: return v.toDouble();
    }
}

void bindValue(sqlite3_stmt* st, int i, const QVariant& v, ColType type)
{
    if (v.isNull() || !v.isValid()) { sqlite3_bind_null(st, i); return; }
    switch (type) {
    case ColType::Int16:
    case ColType::Int32: sqlite3_bind_int64(st, i, asInteger(v)); return;
    case ColType::Single:
    case ColType::Double: sqlite3_bind_double(st, i, asDouble(v)); return;
    case ColType::Date: sqlite3_bind_double(st, i, vb::DateToSerial(v.toDateTime())); return;
    case ColType::Bool: sqlite3_bind_int(st, i, v.toBool() ? 1 : 0); return;
    default: break;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short: sqlite3_bind_int64(st, i, v.toLongLong()); return;
    case QMetaType::Bool: sqlite3_bind_int(st, i, v.toBool() ? 1 : 0); return;
    case QMetaType::Float:
    case QMetaType::Double: sqlite3_bind_double(st, i, v.toDouble()); return;
    default: {
        const QByteArray b = v.toString().toUtf8();
        sqlite3_bind_text(st, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
    }
    }
}

QVariant readValue(sqlite3_stmt* st, int i, ColType type)
{
    const int st_type = sqlite3_column_type(st, i);
    if (st_type == SQLITE_NULL) return QVariant();
    switch (type) {
    case ColType::Int16:
    case ColType::Int32:
        if (st_type == SQLITE_INTEGER) return QVariant(sqlite3_column_int(st, i));
        return QVariant(static_cast<int>(std::llround(sqlite3_column_double(st, i))));
    case ColType::Single: return QVariant(static_cast<float>(sqlite3_column_double(st, i)));
    case ColType::Double: return QVariant(sqlite3_column_double(st, i));
    case ColType::Date:
        if (st_type == SQLITE_TEXT) {
            const QString s = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            if (auto dt = vb::ParseDateTime(s)) return *dt;
            return s;
        }
        return vb::SerialToDate(sqlite3_column_double(st, i));
    case ColType::Bool: return QVariant(sqlite3_column_int64(st, i) != 0);
    default: break;
    }
    switch (st_type) {
    case SQLITE_INTEGER: {
        const qint64 x = sqlite3_column_int64(st, i);
        if (x >= INT32_MIN && x <= INT32_MAX) return QVariant(static_cast<int>(x));
        return QVariant(x);
    }
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, i));
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
    default:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)), sqlite3_column_bytes(st, i));
    }
}

long errorNumber(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return vb::errFileLocked;
    case SQLITE_CANTOPEN: return vb::errCouldNotFindFile;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: return vb::errCannotOpenDatabase;
    case SQLITE_READONLY: return 3027; // database is read-only
    case SQLITE_FULL: return 3035;     // system resources / disk full
    case SQLITE_CONSTRAINT: return 3022;
    case SQLITE_MISMATCH: return vb::errTypeMismatch;
    default: return 3001 + 0 * rc; // invalid argument / general engine failure
    }
}

struct Stmt {
    sqlite3_stmt* st = nullptr;
    ~Stmt() { sqlite3_finalize(st); }
};
} // namespace

void copyColumnValue(sqlite3_stmt* from, int i, ColType fromType, sqlite3_stmt* to, int j, ColType toType)
{
    bindValue(to, j, convertForColumn(readValue(from, i, fromType), toType), toType);
}

// ---------------------------------------------------------------- Connection

Connection::Connection() = default;
Connection::~Connection() { Close(); }

QString Connection::pathFromConnectionString(const QString& cs)
{
    static const QRegularExpression re(QStringLiteral("Data Source\\s*=\\s*([^;]*)"), QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(cs);
    if (!m.hasMatch()) return cs.trimmed(); // a bare path
    return m.captured(1).trimmed();
}

QString Connection::connectionString(const QString& path)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=") + path + QStringLiteral(";Persist Security Info=False");
}

void Connection::Open(const QString& connectionString, int timeoutSeconds)
{
    OpenFile(pathFromConnectionString(connectionString), timeoutSeconds);
}

void Connection::OpenFile(const QString& path, int timeoutSeconds)
{
    Close();
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists() || !fi.isFile())
        Raise(vb::errCouldNotFindFile, QStringLiteral("Could not find file '%1'.").arg(path));
    sqlite3* db = nullptr;
    const QByteArray p = path.toUtf8();
    int rc = sqlite3_open_v2(p.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("cannot open");
        sqlite3_close(db);
        Raise(errorNumber(rc), QStringLiteral("Cannot open database '%1': %2").arg(path, msg));
    }
    sqlite3_busy_timeout(db, timeoutSeconds * 1000);
    // Files are copied while open: keep the classic rollback journal, never WAL.
    char* err = nullptr;
    rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : QString();
        sqlite3_free(err);
        sqlite3_close(db);
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
            Raise(vb::errFileLocked, QStringLiteral("The file '%1' is already in use.").arg(path));
        Raise(vb::errCannotOpenDatabase, QStringLiteral("Unrecognized database format '%1'. %2").arg(path, msg));
    }
    m_db = db;
    m_path = path;
}

void Connection::Close()
{
    for (auto* st : std::as_const(m_cache)) sqlite3_finalize(st);
    m_cache.clear();
    if (m_db) {
        if (m_depth > 0) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }
    m_db = nullptr;
    m_depth = 0;
}

void Connection::raise(int rc, const QString& context) const
{
    QString msg = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("Connection is closed");
    if (!context.isEmpty()) msg += QStringLiteral(" (") + context + QLatin1Char(')');
    long num = errorNumber(rc);
    if ((rc & 0xff) == SQLITE_ERROR && msg.contains(QLatin1String("no such column"))) num = vb::errItemNotFound;
    else if ((rc & 0xff) == SQLITE_ERROR && msg.contains(QLatin1String("no such table"))) num = 3078;
    else if ((rc & 0xff) == SQLITE_ERROR) num = vb::errSqlSyntax;
    throw VBError(num, msg);
}

sqlite3_stmt* Connection::prepareCached(const QString& sql)
{
    if (!m_db) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (auto it = m_cache.constFind(sql); it != m_cache.constEnd()) {
        sqlite3_reset(*it);
        sqlite3_clear_bindings(*it);
        return *it;
    }
    sqlite3_stmt* st = nullptr;
    const QByteArray b = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, b.constData(), static_cast<int>(b.size()), &st, nullptr);
    if (rc != SQLITE_OK) raise(rc, sql);
    if (m_cache.size() > 64) {
        for (auto* s : std::as_const(m_cache)) sqlite3_finalize(s);
        m_cache.clear();
    }
    m_cache.insert(sql, st);
    return st;
}

int Connection::Execute(const QString& sql)
{
    if (!m_db) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    Stmt s;
    const QByteArray b = sql.toUtf8();
    int rc = sqlite3_prepare_v2(m_db, b.constData(), static_cast<int>(b.size()), &s.st, nullptr);
    if (rc != SQLITE_OK) raise(rc, sql);
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE) raise(rc, sql);
    return sqlite3_changes(m_db);
}

void Connection::BeginTrans()
{
    Execute(QStringLiteral("SAVEPOINT talpex_%1").arg(m_depth + 1));
    ++m_depth;
}

void Connection::CommitTrans()
{
    if (m_depth <= 0) Raise(3034, QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction."));
    Execute(QStringLiteral("RELEASE talpex_%1").arg(m_depth));
    --m_depth;
}

void Connection::RollbackTrans()
{
    if (m_depth <= 0) Raise(3034, QStringLiteral("You tried to commit or rollback a transaction without first beginning a transaction."));
    Execute(QStringLiteral("ROLLBACK TO talpex_%1").arg(m_depth));
    Execute(QStringLiteral("RELEASE talpex_%1").arg(m_depth));
    --m_depth;
}

Transaction::~Transaction()
{
    if (m_done || !m_cnn->isOpen()) return;
    try {
        m_cnn->RollbackTrans();
    } catch (const VBError&) {
    }
}

void Transaction::commit()
{
    m_cnn->CommitTrans();
    m_done = true;
}

// ---------------------------------------------------------------- Field

QString Field::Name() const { return m_rs->m_names[m_index]; }
ColType Field::Type() const { return m_rs->m_types[m_index]; }
QVariant Field::Value() const { return m_rs->Value(m_index); }
void Field::setValue(const QVariant& v) { m_rs->setValue(m_index, v); }

// ---------------------------------------------------------------- Recordset

Recordset::~Recordset() { Close(); }

void Recordset::Open(const QString& sql, Connection& cnn)
{
    Close();
    if (!cnn.isOpen()) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    static const QRegularExpression fromRe(QStringLiteral("\\bFROM\\s+(\\[[^\\]]+\\]|[A-Za-z_][A-Za-z0-9_]*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression selRe(QStringLiteral("^\\s*SELECT\\s+(DISTINCT\\b)?"), QRegularExpression::CaseInsensitiveOption);
    QString table;
    if (auto m = fromRe.match(sql); m.hasMatch()) {
        table = m.captured(1);
        if (table.startsWith(QLatin1Char('['))) table = table.mid(1, table.size() - 2);
    }
    const auto sm = selRe.match(sql);
    const bool distinct = sm.hasMatch() && sm.capturedLength(1) > 0;
    // Fetch the rowid beside the selection so that edits go back to their row.
    QString run = sql;
    bool withRowid = false;
    if (sm.hasMatch() && !table.isEmpty() && !distinct) {
        run = sql.left(sm.capturedEnd()) + QStringLiteral("_rowid_, ") + sql.mid(sm.capturedEnd());
        withRowid = true;
    }
    Stmt s;
    QByteArray b = run.toUtf8();
    int rc = sqlite3_prepare_v2(cnn.handle(), b.constData(), static_cast<int>(b.size()), &s.st, nullptr);
    if (rc != SQLITE_OK && withRowid) { // e.g. a view: read-only then
        sqlite3_finalize(s.st);
        s.st = nullptr;
        withRowid = false;
        b = sql.toUtf8();
        rc = sqlite3_prepare_v2(cnn.handle(), b.constData(), static_cast<int>(b.size()), &s.st, nullptr);
    }
    if (rc != SQLITE_OK) cnn.raise(rc, sql);
    const int first = withRowid ? 1 : 0;
    const int n = sqlite3_column_count(s.st);
    QVector<QString> names;
    QVector<ColType> types;
    for (int i = first; i < n; ++i) {
        names.append(QString::fromUtf8(sqlite3_column_name(s.st, i)));
        const char* decl = sqlite3_column_decltype(s.st, i);
        types.append(decl ? colTypeFromDecl(QString::fromUtf8(decl)) : ColType::Unknown);
    }
    QVector<RowState> rows;
    QVector<QVariant> values;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        rows.append({withRowid ? sqlite3_column_int64(s.st, 0) : 0, false, false});
        for (int i = first; i < n; ++i) values.append(readValue(s.st, i, types[i - first]));
    }
    if (rc != SQLITE_DONE) cnn.raise(rc, sql);
    m_cnn = &cnn;
    m_table = table;
    m_hasRowid = withRowid;
    m_names = std::move(names);
    m_types = std::move(types);
    m_rows = std::move(rows);
    m_values = std::move(values);
    m_deletedRows = 0;
    m_pos = 0;
    endEdit();
}

void Recordset::Close()
{
    // An edit left pending is saved, as a move or close does in ADO; a failure here is dropped.
    if (m_cnn) {
        try {
            flushPending();
        } catch (const VBError&) {
        }
    }
    finalizeStatements();
    m_cnn = nullptr;
    m_rows.clear();
    m_values.clear();
    m_names.clear();
    m_types.clear();
    m_deletedRows = 0;
    endEdit();
}

void Recordset::finalizeStatements()
{
    for (const Writer& w : m_writers) sqlite3_finalize(w.st);
    m_writers.clear();
    sqlite3_finalize(m_delete);
    m_delete = nullptr;
    m_statementDb = nullptr;
}

// Statements prepared before the connection was closed or reopened are dropped.
void Recordset::checkStatements()
{
    if (!m_cnn->isOpen()) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (m_statementDb != m_cnn->handle()) finalizeStatements();
    m_statementDb = m_cnn->handle();
}

namespace {
sqlite3_stmt* preparePersistent(Connection& cnn, const QString& sql)
{
    sqlite3_stmt* st = nullptr;
    const QByteArray b = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(cnn.handle(), b.constData(), static_cast<int>(b.size()), SQLITE_PREPARE_PERSISTENT, &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        cnn.raise(rc, sql);
    }
    return st;
}
} // namespace

sqlite3_stmt* Recordset::writer(bool insert)
{
    checkStatements();
    for (const Writer& w : m_writers)
        if (w.insert == insert && w.columns == m_dirty) return w.st;
    const QString table = QLatin1Char('[') + m_table + QLatin1Char(']');
    QStringList cols;
    for (int i = 0; i < m_names.size(); ++i)
        if (m_dirty[i]) cols << QLatin1Char('[') + m_names[i] + QLatin1Char(']');
    QString sql;
    if (insert) {
        sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                             : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table, cols.join(QLatin1Char(',')), QStringList(cols.size(), QStringLiteral("?")).join(QLatin1Char(',')));
    } else {
        sql = QStringLiteral("UPDATE %1 SET %2=? WHERE _rowid_=?").arg(table, cols.join(QStringLiteral("=?,")));
    }
    m_writers.push_back({m_dirty, insert, preparePersistent(*m_cnn, sql)});
    return m_writers.back().st;
}

sqlite3_stmt* Recordset::deleter()
{
    checkStatements();
    if (!m_delete) m_delete = preparePersistent(*m_cnn, QStringLiteral("DELETE FROM [%1] WHERE _rowid_=?").arg(m_table));
    return m_delete;
}

long Recordset::RecordCount() const { return static_cast<long>(m_rows.size() - m_deletedRows); }

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int Recordset::checkIndex(int index) const
{
    if (!m_cnn) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (index < 0 || index >= m_names.size())
        Raise(vb::errItemNotFound, QStringLiteral("Item cannot be found in the collection corresponding to the requested name or ordinal."));
    return index;
}

qsizetype Recordset::currentRow() const
{
    if (!m_cnn) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (m_pos < 0 || m_pos >= m_rows.size() || m_rows[m_pos].deleted)
        Raise(vb::errNoCurrentRecord, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    return m_pos;
}

Field Recordset::Fields(int index) { return Field(this, checkIndex(index)); }

Field Recordset::Fields(const QString& name)
{
    const int i = fieldIndex(name);
    if (i < 0) checkIndex(-1);
    return Field(this, i);
}

QVariant Recordset::Value(int index) const
{
    const qsizetype row = currentRow();
    return rowValues(row)[checkIndex(index)];
}

QVariant Recordset::Value(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i < 0) checkIndex(-1);
    return Value(i);
}

void Recordset::setValue(int index, const QVariant& v)
{
    checkIndex(index);
    const qsizetype row = currentRow();
    if (!m_hasRowid) Raise(3251, QStringLiteral("Current Recordset does not support updating."));
    QVariant converted = convertForColumn(v, m_types[index]);
    QVariant& cell = rowValues(row)[index];
    if (!m_dirty[index]) {
        m_original[index] = cell;
        m_dirty[index] = true;
    }
    cell = std::move(converted);
    m_editing = true;
}

void Recordset::setValue(const QString& name, const QVariant& v)
{
    const int i = fieldIndex(name);
    if (i < 0) checkIndex(-1);
    setValue(i, v);
}

void Recordset::endEdit()
{
    m_editing = false;
    m_dirty.fill(false, m_names.size());
    m_original.resize(m_names.size()); // read only where m_dirty is set
}

void Recordset::flushPending()
{
    if (m_editing) Update();
}

void Recordset::MoveFirst()
{
    flushPending();
    m_pos = 0;
    while (m_pos < m_rows.size() && m_rows[m_pos].deleted) ++m_pos;
}

void Recordset::MoveNext()
{
    if (!m_cnn) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (Eof()) Raise(vb::errNoCurrentRecord, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    flushPending();
    ++m_pos;
    while (m_pos < m_rows.size() && m_rows[m_pos].deleted) ++m_pos;
}

void Recordset::MoveLast()
{
    flushPending();
    m_pos = m_rows.size() - 1;
    while (m_pos >= 0 && m_rows[m_pos].deleted) --m_pos;
    if (m_pos < 0) m_pos = m_rows.size();
}

void Recordset::AddNew()
{
    if (!m_cnn) Raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    if (!m_hasRowid) Raise(3251, QStringLiteral("Current Recordset does not support updating."));
    flushPending();
    m_rows.append({0, true, false});
    m_values.resize(m_values.size() + m_names.size());
    m_pos = m_rows.size() - 1;
    endEdit();
    m_editing = true;
}

void Recordset::CancelUpdate()
{
    if (!m_editing) return;
    if (m_pos < m_rows.size() && m_rows[m_pos].isNew) {
        m_rows.remove(m_pos);
        m_values.remove(m_pos * m_names.size(), m_names.size());
        m_pos = m_rows.size();
    } else if (m_pos < m_rows.size()) {
        // The row shows again what the table holds.
        QVariant* values = rowValues(m_pos);
        for (int i = 0; i < m_names.size(); ++i)
            if (m_dirty[i]) values[i] = m_original[i];
    }
    endEdit();
}

void Recordset::Update()
{
    const qsizetype row = currentRow();
    RowState& r = m_rows[row];
    m_editing = false;
    if (!r.isNew && !m_dirty.contains(true)) return;
    sqlite3_stmt* st = writer(r.isNew);
    const QVariant* values = rowValues(row);
    int b = 1;
    for (int i = 0; i < m_names.size(); ++i)
        if (m_dirty[i]) bindValue(st, b++, values[i], m_types[i]);
    if (!r.isNew) sqlite3_bind_int64(st, b, r.rowid);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) {
        m_editing = true; // the edit stays pending, as ADO keeps it after a failed Update
        m_cnn->raise(rc, QString::fromUtf8(sqlite3_sql(st)));
    }
    if (r.isNew) r.rowid = sqlite3_last_insert_rowid(m_cnn->handle());
    r.isNew = false;
    endEdit();
}

void Recordset::Delete()
{
    const qsizetype row = currentRow();
    if (!m_hasRowid) Raise(3251, QStringLiteral("Current Recordset does not support updating."));
    if (m_rows[row].isNew) { CancelUpdate(); return; }
    endEdit();
    sqlite3_stmt* st = deleter();
    sqlite3_bind_int64(st, 1, m_rows[row].rowid);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE) m_cnn->raise(rc);
    m_rows[row].deleted = true;
    ++m_deletedRows;
}

} // namespace ado
