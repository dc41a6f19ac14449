#include "shell/Compaction.h"

#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"
#include "platform/VBError.h"
#include "data/DatabaseFile.h"

#include <QFile>
#include <cmath>
#include <filesystem>
#include <sqlite3.h>

namespace {
double roundOneDecimal(double v) { return std::round(v * 10.0) / 10.0; }
} // namespace

QString Compaction::temporaryPath(const QString& workingCopy)
{
    const qsizetype at = workingCopy.indexOf(QStringLiteral(".mdb"), 0, Qt::CaseInsensitive);
    return (at < 0 ? workingCopy : workingCopy.left(at)) + QStringLiteral("TEMP.mdb");
}

double Compaction::megabytes(qint64 bytes)
{
    // In tenths of a MB first, so whole byte counts round exactly.
    return std::round(static_cast<double>(bytes) / 100000.0) / 10.0;
}

double Compaction::gain(double before, double after)
{
    if (before == 0.0) return 0.0;
    return roundOneDecimal((before - after) * 100.0 / before);
}

QString Compaction::report(const Result& r, short sprache)
{
    const QString gain = vb::CStr(r.gain);
    const QString after = vb::CStr(r.after);
    return Session::tr(sprache,
                       QStringLiteral("Datenbank wurde um ") + gain + QStringLiteral(" % auf ") + after + QStringLiteral(" MB komprimiert !"),
                       QStringLiteral("Database was compact about ") + gain + QStringLiteral(" % to ") + after + QStringLiteral(" MB!"));
}

void Compaction::compactInto(const QString& source, const QString& target)
{
    sqlite3* db = nullptr;
    const QByteArray path = source.toUtf8();
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QString error;
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db, 30000);
        const QByteArray sql = (QStringLiteral("VACUUM INTO '") + sqlText(target) + QStringLiteral("'")).toUtf8();
        rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("cannot open");
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(target);
        vb::Raise(vb::errCannotOpenDatabase, QStringLiteral("The database '%1' cannot be compacted: %2").arg(source, error));
    }
}

void Compaction::reopen()
{
    const QString w = m_s.XMDBPFAD();
    if (!m_s.cnnX.isOpen()) m_s.cnnX.Open(ado::Connection::connectionString(w), 30);
    if (m_presetsOnCopy && !m_s.cnnX_V.isOpen()) m_s.cnnX_V.OpenFile(w, 30);
}

Compaction::Result Compaction::run()
{
    const QString w = m_s.XMDBPFAD();
    const QString t = temporaryPath(w);
    // Closing a connection inside its transaction would roll back work in progress.
    m_s.requireWorkingCopyIdle();
    // A leftover of an interrupted compaction, with anything SQLite left beside it.
    if (m_s.fso.FileExists(t)) m_s.fso.DeleteFile(t);
    dbfile::settle(t);

    Result r;
    r.before = megabytes(m_s.fso.FileSize(w));
    // Without a presets database the presets connection also works on W; a
    // connection left open would go on writing into the replaced file.
    m_presetsOnCopy = m_s.cnnX_V.isOpen() && m_s.cnnX_V.path() == w;
    m_s.cnnX.Close();
    if (m_presetsOnCopy) m_s.cnnX_V.Close();
    try {
        compactInto(w, t);
        // VACUUM INTO does not sync its output: T must be on the disk before it takes W's name.
        m_s.fso.SyncToDisk(t);
        // No journal of the old W may outlive the rename and be played into the compacted file.
        dbfile::settle(w);
        // One rename puts T in W's place: W is the old or the compacted file, never missing.
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(t).toStdString(), QFile::encodeName(w).toStdString(), ec);
        if (ec) {
            QFile::remove(t);
            vb::Raise(vb::errPathFileAccess, QStringLiteral("Path/File access error: %1 (%2)").arg(w, QString::fromStdString(ec.message())));
        }
        m_s.fso.SyncToDisk(w);
        r.after = megabytes(m_s.fso.FileSize(w));
    } catch (const vb::VBError&) {
        try {
            reopen();
        } catch (const vb::VBError&) {
            // The first failure is the one to report.
        }
        throw;
    }
    r.gain = gain(r.before, r.after);
    reopen();
    return r;
}
