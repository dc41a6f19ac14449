#include "data/Schema.h"

#include "data/Ado.h"
#include "platform/VBError.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace schema {

namespace {
// Declared types decide the conversions (see colTypeFromDecl): SMALLINT 16-bit,
// INTEGER 32-bit, FLOAT4 single, DATETIME a VB date serial, BOOLEAN 1/0.
const char* kProjectDdl = R"(
CREATE TABLE [E1] ([ID] INTEGER, [KEN] TEXT COLLATE NOCASE, [KOM] TEXT, [AKT] BOOLEAN);
CREATE TABLE [E2] ([ID] INTEGER, [H] FLOAT4, [STRO] TEXT COLLATE NOCASE, [N] SMALLINT);
CREATE TABLE [E3] ([ID] INTEGER, [I1] SMALLINT, [DATUM] DATETIME, [UHRZEIT] DATETIME, [DET] FLOAT4,
                   [TEMP] FLOAT4, [HST] FLOAT4, [HKO] FLOAT4);
CREATE TABLE [A1] ([ID] INTEGER, [BONEU] BOOLEAN, [BILD14AN] SMALLINT, [GITT] SMALLINT, [GITK10] SMALLINT);
CREATE TABLE [A2] ([ID] INTEGER, [I1] SMALLINT, [PHI] FLOAT4, [DETN] FLOAT4, [K10] FLOAT4, [DEHKO] FLOAT4);
CREATE TABLE [G0] ([ID] INTEGER, [IDOBJEKT] SMALLINT, [OX] SMALLINT, [OY] SMALLINT,
                   [RL] FLOAT4, [RR] FLOAT4, [RO] FLOAT4, [RU] FLOAT4,
                   [XMIN] FLOAT4, [XMAX] FLOAT4, [YMIN] FLOAT4, [YMAX] FLOAT4,
                   [MYMX] FLOAT4, [MX] FLOAT4, [MY] FLOAT4);
CREATE TABLE [M1] ([IDM] SMALLINT, [KOM] TEXT, [BESCHR11] SMALLINT, [GITT] SMALLINT, [GITK10] SMALLINT);
CREATE INDEX [E1_ID] ON [E1] ([ID]);
CREATE INDEX [E2_ID] ON [E2] ([ID]);
CREATE INDEX [E3_ID_I1] ON [E3] ([ID], [I1]);
CREATE INDEX [A1_ID] ON [A1] ([ID]);
CREATE INDEX [A2_ID_I1] ON [A2] ([ID], [I1]);
CREATE INDEX [G0_ID] ON [G0] ([ID], [IDOBJEKT]);
)";

const char* kPresetsDdl = R"(
CREATE TABLE [TALPEX_V1] ([I1] SMALLINT, [STRO] TEXT COLLATE NOCASE, [D1] FLOAT4, [D2] FLOAT4, [F] FLOAT4,
                          [A] FLOAT4, [B] FLOAT4, [C] FLOAT4);
)";

const char* kFrameDdl = R"(
CREATE TABLE [ADMIN] ([BENUTZER] TEXT COLLATE NOCASE PRIMARY KEY, [PROG] TEXT, [PROJEKTSPFAD] TEXT,
                      [PROJEKT] TEXT, [BEARBEITER] TEXT);
)";

// What each schema version adds to the one before it.
struct AddedColumn {
    int version;
    const char* table;
    const char* column;
    const char* type;
};
const AddedColumn kUpgrades[] = {
    {1, "A1", "VON", "SMALLINT"},
    {1, "A1", "BIS", "SMALLINT"},
    {1, "A1", "LOGK10", "BOOLEAN"},
    {1, "M1", "LOGK10", "BOOLEAN"},
    {2, "A1", "LOGPHI", "BOOLEAN"},
};

bool hasColumn(ado::Connection& cnn, const QString& table, const QString& column)
{
    for (ado::Recordset rs(QStringLiteral("PRAGMA table_info([%1])").arg(table), cnn); !rs.Eof(); rs.MoveNext())
        if (rs.Value(QStringLiteral("name")).toString().compare(column, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void create(const QString& path, const QList<const char*>& ddls)
{
    if (QFileInfo::exists(path)) vb::Raise(58, QStringLiteral("File already exists: ") + path);
    sqlite3* db = nullptr;
    const QByteArray p = path.toUtf8();
    int rc = sqlite3_open_v2(p.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString err;
    if (rc == SQLITE_OK) {
        char* msg = nullptr;
        rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE; BEGIN;", nullptr, nullptr, &msg);
        for (const char* ddl : ddls)
            if (rc == SQLITE_OK) rc = sqlite3_exec(db, ddl, nullptr, nullptr, &msg);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT;", nullptr, nullptr, &msg);
        if (msg) { err = QString::fromUtf8(msg); sqlite3_free(msg); }
    } else {
        err = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    }
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        vb::Raise(vb::errPathNotFound, QStringLiteral("Cannot create database '%1': %2").arg(path, err));
    }
}
} // namespace

void createProjectDatabase(const QString& path)
{
    // the first release's tables, then every upgrade: one definition of the schema
    create(path, {kProjectDdl, kPresetsDdl});
    try {
        ado::Connection cnn;
        cnn.OpenFile(path);
        upgradeProject(cnn);
    } catch (const vb::VBError&) {
        QFile::remove(path);
        throw;
    }
}

int projectVersion(ado::Connection& cnn)
{
    ado::Recordset rs(QStringLiteral("PRAGMA user_version"), cnn);
    return rs.Eof() ? 0 : rs.Value(0).toInt();
}

void upgradeProject(ado::Connection& cnn)
{
    const int version = projectVersion(cnn);
    if (version > kProjectVersion)
        vb::Raise(vb::errCannotOpenDatabase,
                  QStringLiteral("The project database is of a newer version of %1 (schema %2; this program knows up to "
                                 "%3) and is left unchanged. Please use the newer program.")
                      .arg(kProgramTitle)
                      .arg(version)
                      .arg(kProjectVersion));
    if (version == kProjectVersion) return;
    ado::Transaction tx(cnn);
    for (const AddedColumn& c : kUpgrades) {
        const QString table = QString::fromLatin1(c.table), column = QString::fromLatin1(c.column);
        if (c.version > version && !hasColumn(cnn, table, column))
            cnn.Execute(QStringLiteral("ALTER TABLE [%1] ADD COLUMN [%2] %3").arg(table, column, QLatin1String(c.type)));
    }
    cnn.Execute(QStringLiteral("PRAGMA user_version=%1").arg(kProjectVersion));
    tx.commit();
}

void createFrameDatabase(const QString& path) { create(path, {kFrameDdl}); }
void createPresetsDatabase(const QString& path) { create(path, {kPresetsDdl}); }

void deleteRecord(ado::Connection& cnn, long id)
{
    ado::Transaction tx(cnn);
    for (const QString& t : kRecordTables) cnn.Execute(QStringLiteral("DELETE FROM [%1] WHERE [ID]=%2").arg(t).arg(id));
    tx.commit();
}

} // namespace schema

QString sqlText(const QString& value)
{
    QString s = value;
    return s.replace(QLatin1Char('\''), QStringLiteral("''"));
}
