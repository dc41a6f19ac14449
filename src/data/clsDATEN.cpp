#include "data/clsDATEN.h"

#include "data/DataText.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Trap.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "platform/VBError.h"

#include <QElapsedTimer>
#include <QFileInfo>

using vb::VBError;

namespace {
const QString kTitle = QStringLiteral("Datenfehler");

} // namespace

Keys::Keys(std::initializer_list<RowKey> keys)
{
    int i = 0;
    for (const RowKey& k : keys) {
        if (i >= 4) vb::Raise(450, QStringLiteral("Wrong number of arguments: at most four row keys"));
        m_keys[static_cast<size_t>(i++)] = k;
    }
}

namespace {
// Equal as stored: numbers by value, text exactly (a key differing in case is rewritten).
bool sameValue(const QVariant& stored, const QVariant& key)
{
    if (stored.isNull() || key.isNull()) return false;
    if (stored.typeId() == QMetaType::QString || key.typeId() == QMetaType::QString)
        return stored.typeId() == key.typeId() && stored.toString() == key.toString();
    bool ok1 = false, ok2 = false;
    const double a = stored.toDouble(&ok1);
    const double b = key.toDouble(&ok2);
    return ok1 && ok2 && a == b;
}
} // namespace

// ---------------------------------------------------------------- binding

clsDATEN::clsDATEN(Session& s) : m_s(&s), m_cnn(&s.cnnX)
{
    vb::OnError onError(kTitle);
    onError([&] {
        ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true"), *m_cnn);
        if (!rs.Eof() && !rs.Value(0).isNull()) m_ESPIDW = rs.Value(0).toInt();
    });
}

clsDATEN::~clsDATEN() = default;

void clsDATEN::setEBOV(bool v)
{
    Session& s = *m_s;
    m_cnn = (v && !s.developmentMode) ? &s.cnnX_V : &s.cnnX;
}

void clsDATEN::setEINFMDB(bool& BOINF, const QString& name)
{
    BOINF = false;
    const Session& s = *m_s;
    const QString path = s.developmentMode
        ? s.PROJEKTSPFAD + QLatin1Char('/') + s.PROJEKT + QLatin1Char('/') + name + QStringLiteral(".mdb")
        : s.DATENBANKPFAD() + QLatin1Char('/') + name + QStringLiteral(".mdb");
    if (name.isEmpty() || !QFileInfo(path).isFile()) return;
    vb::OnError onError(QStringLiteral("Datenzugriff - Datenbank ") + name);
    onError([&] {
        auto cnn = std::make_unique<ado::Connection>();
        cnn->Open(ado::Connection::connectionString(path), 30);
        m_own = std::move(cnn);
        m_cnn = m_own.get();
        m_EINFMDB = name;
        BOINF = true;
    });
}

// ---------------------------------------------------------------- query builder

QString clsDATEN::DTSQL(const QString& SPV, const Keys& keys) const
{
    const auto col = [](const QString& n) { return QLatin1Char('[') + n + QLatin1Char(']'); };
    QString list = SPV == QLatin1String("*") ? SPV : col(SPV);
    if (!m_ESPID.isEmpty()) list += QLatin1Char(',') + col(m_ESPID);
    for (int i = 0; i < Keys::size(); ++i)
        if (keys[i].used()) list += QLatin1Char(',') + col(keys[i].name);
    for (const QString& k : m_ESPK)
        if (!k.isEmpty()) list += QLatin1Char(',') + col(k);

    QString where;
    if (!m_ESPID.isEmpty()) where = QStringLiteral(" WHERE ") + col(m_ESPID) + QStringLiteral(" = ") + QString::number(m_ESPIDW);
    for (int i = 0; i < Keys::size(); ++i) {
        if (!keys[i].hasValue()) continue;
        // Without a record condition the first key opens the condition.
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + col(keys[i].name) + QLatin1Char('=')
            + datatext::sqlLiteral(*keys[i].value);
    }
    if (!m_ESPK[0].isEmpty())
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + col(m_ESPK[0]) + QStringLiteral(" ='")
            + sqlText(m_ESPKW[0]) + QLatin1Char('\'');
    if (!m_ESPK[1].isEmpty())
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + col(m_ESPK[1]) + QStringLiteral(" ='")
            + sqlText(m_ESPKW[1]) + QLatin1Char('\'');
    if (!m_ESPK[2].isEmpty())
        where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral("  AND ")) + col(m_ESPK[2]) + QStringLiteral(" ='")
            + sqlText(m_ESPKW[2]) + QLatin1Char('\'');

    QString order;
    for (int i = 0; i < Keys::size(); ++i) {
        if (!keys[i].used()) continue;
        order += (order.isEmpty() ? QStringLiteral(" ORDER BY ") : QStringLiteral(",")) + col(keys[i].name);
    }
    return QStringLiteral("SELECT ") + list + QStringLiteral(" FROM ") + col(m_ETABELLE) + where + order;
}

std::unique_ptr<ado::Recordset> clsDATEN::DT(const QString& SPV, const Keys& keys)
{
    auto rs = std::make_unique<ado::Recordset>();
    rs->Open(DTSQL(SPV, keys), *m_cnn);
    return rs;
}

// ---------------------------------------------------------------- inner routines

bool clsDATEN::readFirst(const QString& SPV, const Keys& keys, QVariant& value, bool* found, VBError* error)
{
    VBError err(0, QString());
    const bool ok = vb::Trap(
        [&] {
            auto rs = DT(SPV, keys);
            if (found) *found = !rs->Eof();
            value = rs->Eof() ? QVariant() : rs->Value(0);
        },
        err);
    if (!ok && error) *error = err;
    return ok;
}

bool clsDATEN::readAll(const QString& SPV, const Keys& keys, QVariantList& values, VBError* error)
{
    VBError err(0, QString());
    const bool ok = vb::Trap(
        [&] {
            auto rs = DT(SPV, keys);
            values.clear();
            values.reserve(rs->RecordCount());
            for (; !rs->Eof(); rs->MoveNext()) values.append(rs->Value(0));
        },
        err);
    if (!ok && error) *error = err;
    return ok;
}

bool clsDATEN::write(const QString& SPV, const QVariantList& values, const Keys& keys, VBError* error)
{
    VBError err(0, QString());
    const bool ok = vb::Trap(
        [&] {
            // Row counters are 16-bit, as everywhere in the program.
            if (values.size() > 32767) vb::Raise(vb::errOverflow, QStringLiteral("Overflow"));
            // One transaction per call; an open one of the caller is joined.
            ado::Transaction tx(*m_cnn);
            auto rs = DT(SPV, keys);
            // Field positions follow the column list of DTSQL; a column already set
            // (a key equal to SPV) is not set twice.
            QStringList assigned{SPV};
            struct Assign { int field; QVariant value; };
            QVector<Assign> fixed;
            int pos = 1;
            const auto add = [&](const QString& name, bool write, const QVariant& v) {
                if (write && !assigned.contains(name, Qt::CaseInsensitive)) {
                    fixed.append({pos, v});
                    assigned << name;
                }
                ++pos;
            };
            if (!m_ESPID.isEmpty()) add(m_ESPID, true, m_ESPIDW);
            for (int i = 0; i < Keys::size(); ++i)
                if (keys[i].used()) add(keys[i].name, keys[i].hasValue(), keys[i].hasValue() ? *keys[i].value : QVariant());
            for (int k = 0; k < 3; ++k)
                if (!m_ESPK[k].isEmpty()) add(m_ESPK[k], !m_ESPKW[k].isEmpty(), m_ESPKW[k]);

            for (qsizetype i = 0; i < values.size(); ++i) {
                const bool appended = rs->Eof();
                if (appended) rs->AddNew();
                else if (i == 0) rs->MoveFirst();
                const QVariant& v = values[i];
                const bool emptyText = v.typeId() == QMetaType::QString && v.toString().isEmpty();
                rs->setValue(0, emptyText ? QVariant() : v);
                // A matched row holds its key values already; writing them again
                // would only rewrite the (ID, I1) index entries.
                for (const Assign& a : std::as_const(fixed))
                    if (appended || !sameValue(rs->Value(a.field), a.value)) rs->setValue(a.field, a.value);
                rs->Update();
                rs->MoveNext();
                pump();
            }
            for (; !rs->Eof(); rs->MoveNext()) rs->Delete();
            tx.commit();
        },
        err);
    if (!ok && error) *error = err;
    return ok;
}

void clsDATEN::pump()
{
    // Repainting after every row would cost more than the transfer itself;
    // letting events run every 25 ms keeps the window just as responsive.
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    const qint64 now = clock.elapsed();
    if (m_lastPump >= 0 && now - m_lastPump < 25) return;
    m_lastPump = now;
    vb::DoEvents();
}

// ---------------------------------------------------------------- messages

void clsDATEN::readerFailed(const QString& SPV, const QVariant& value) const
{
    vb::MsgBox(QStringLiteral("Wert ") + vb::CStr(value) + QStringLiteral(" kann nicht aus der Spalte ") + SPV
                   + QStringLiteral(" der Tabelle ") + m_ETABELLE + QStringLiteral(" eingelesen werden!"),
               vb::vbExclamation | vb::vbOKOnly, kTitle);
}

void clsDATEN::writerFailed(const QString& SPV, const QVariant& value) const
{
    vb::MsgBox(QStringLiteral("Wert ") + vb::CStr(value) + QStringLiteral(" kann nicht in die Spalte ") + SPV
                   + QStringLiteral(" der Tabelle ") + m_ETABELLE + QStringLiteral(" gespeichert werden!"),
               vb::vbExclamation | vb::vbOKOnly, kTitle);
}

void clsDATEN::arrayWriterFailed(const QString& SPV) const
{
    vb::MsgBox(QStringLiteral("Werte können nicht in Spalte ") + SPV + QStringLiteral(" der Tabelle ") + m_ETABELLE
                   + QStringLiteral(" gespeichert werden!"),
               vb::vbExclamation | vb::vbOKOnly, kTitle);
}

QString clsDATEN::arrayReaderText(const QString& SPV, const VBError& e) const
{
    return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + m_ETABELLE
        + QStringLiteral(" können nicht aus der Spalte ") + SPV + QStringLiteral(" eingelesen werden!\n")
        + vb::OnError::text(QStringLiteral("VB-Error: "), e.Number(), e.Description());
}

bool clsDATEN::askContinue(const QString& text) const
{
    return vb::MsgBox(text, vb::vbOKCancel | vb::vbExclamation, kTitle) != vb::vbCancel;
}

// ---------------------------------------------------------------- variable to table

bool clsDATEN::writeOne(const QString& SPV, const QVariant& value, const Keys& keys)
{
    if (write(SPV, {value}, keys)) return true;
    writerFailed(SPV, value);
    return false;
}

bool clsDATEN::writeArray(const QString& SPV, const QVariantList& values, const Keys& keys)
{
    if (write(SPV, values, keys)) return true;
    arrayWriterFailed(SPV);
    return false;
}

bool clsDATEN::DVTA(const QString& SPV, const QDateTime& DTM, const Keys& keys) { return writeOne(SPV, DTM, keys); }
bool clsDATEN::DVTB(const QString& SPV, bool BO, const Keys& keys) { return writeOne(SPV, BO, keys); }
bool clsDATEN::DVTT(const QString& SPV, const QString& TXT, const Keys& keys) { return writeOne(SPV, TXT, keys); }
bool clsDATEN::DVTI(const QString& SPV, qint16 ZAHL, const Keys& keys) { return writeOne(SPV, static_cast<int>(ZAHL), keys); }
bool clsDATEN::DVTL(const QString& SPV, qint32 ZAHL, const Keys& keys) { return writeOne(SPV, static_cast<int>(ZAHL), keys); }
bool clsDATEN::DVTS(const QString& SPV, float ZAHL, const Keys& keys) { return writeOne(SPV, ZAHL, keys); }
bool clsDATEN::DVTD(const QString& SPV, double ZAHL, const Keys& keys) { return writeOne(SPV, ZAHL, keys); }
bool clsDATEN::DVTV(const QString& SPV, const QVariant& WERT, const Keys& keys) { return writeOne(SPV, WERT, keys); }

namespace {
template <typename T>
QVariantList toVariants(const T& values)
{
    QVariantList out;
    out.reserve(values.size());
    for (const auto& v : values) out.append(QVariant::fromValue(v));
    return out;
}
} // namespace

bool clsDATEN::DVTBF(const QString& SPV, const QVector<bool>& BO, const Keys& keys) { return writeArray(SPV, toVariants(BO), keys); }
bool clsDATEN::DVTTF(const QString& SPV, const QStringList& TXT, const Keys& keys) { return writeArray(SPV, toVariants(TXT), keys); }
bool clsDATEN::DVTIF(const QString& SPV, const QVector<qint16>& ZAHLEN, const Keys& keys)
{
    QVariantList v;
    v.reserve(ZAHLEN.size());
    for (qint16 z : ZAHLEN) v.append(static_cast<int>(z));
    return writeArray(SPV, v, keys);
}
bool clsDATEN::DVTSF(const QString& SPV, const QVector<float>& ZAHLEN, const Keys& keys) { return writeArray(SPV, toVariants(ZAHLEN), keys); }
bool clsDATEN::DVTVF(const QString& SPV, const QVariantList& FELD, const Keys& keys) { return writeArray(SPV, FELD, keys); }

// ---------------------------------------------------------------- table to variable

// Reads the first row's value and converts it with conv (raising 13/6 as the
// engine does); no row or null gives the empty value's conversion.
template <typename T, typename Conv>
bool clsDATEN::readOne(const QString& SPV, T& out, const Keys& keys, Conv conv)
{
    QVariant v;
    if (!readFirst(SPV, keys, v)) {
        readerFailed(SPV, QVariant());
        return false;
    }
    VBError err(0, QString());
    T result{};
    if (!vb::Trap([&] { result = conv(v); }, err)) {
        readerFailed(SPV, v);
        return false;
    }
    out = result;
    return true;
}

bool clsDATEN::DTVA(const QString& SPV, QDateTime& DTM, const Keys& keys) { return readOne(SPV, DTM, keys, datatext::toDate); }
bool clsDATEN::DTVB(const QString& SPV, bool& BO, const Keys& keys) { return readOne(SPV, BO, keys, datatext::toBool); }
bool clsDATEN::DTVT(const QString& SPV, QString& TXT, const Keys& keys) { return readOne(SPV, TXT, keys, datatext::toText); }
bool clsDATEN::DTVI(const QString& SPV, qint16& ZAHL, const Keys& keys) { return readOne(SPV, ZAHL, keys, datatext::toInt16); }
bool clsDATEN::DTVL(const QString& SPV, qint32& ZAHL, const Keys& keys) { return readOne(SPV, ZAHL, keys, datatext::toInt32); }
bool clsDATEN::DTVS(const QString& SPV, float& ZAHL, const Keys& keys) { return readOne(SPV, ZAHL, keys, datatext::toSingle); }
bool clsDATEN::DTVD(const QString& SPV, double& ZAHL, const Keys& keys) { return readOne(SPV, ZAHL, keys, datatext::toDouble); }
bool clsDATEN::DTVV(const QString& SPV, QVariant& WERT, const Keys& keys)
{
    return readOne(SPV, WERT, keys, [](const QVariant& v) { return v; });
}

// Fills out[0 .. min(rows, size) - 1] from the rows; null leaves an element. A
// failure shows the OK/Cancel box: OK goes on with the next element, Cancel
// stops. Any failure makes the result false.
template <typename Vec, typename Conv>
bool clsDATEN::readArray(const QString& SPV, Vec& out, const Keys& keys, Conv conv)
{
    QVariantList values;
    VBError err(0, QString());
    if (!readAll(SPV, keys, values, &err)) {
        askContinue(arrayReaderText(SPV, err));
        return false;
    }
    bool ok = true;
    const qsizetype n = std::min<qsizetype>(values.size(), out.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (values[i].isNull()) continue;
        if (vb::Trap([&] { out[i] = conv(values[i]); }, err)) continue;
        ok = false;
        if (!askContinue(arrayReaderText(SPV, err))) break;
    }
    return ok;
}

bool clsDATEN::DTVAF(const QString& SPV, QVector<QDateTime>& DTM, const Keys& keys) { return readArray(SPV, DTM, keys, datatext::toDate); }
bool clsDATEN::DTVBF(const QString& SPV, QVector<bool>& BO, const Keys& keys) { return readArray(SPV, BO, keys, datatext::toBool); }
bool clsDATEN::DTVTF(const QString& SPV, QStringList& TXT, const Keys& keys) { return readArray(SPV, TXT, keys, datatext::toText); }
bool clsDATEN::DTVIF(const QString& SPV, QVector<qint16>& ZAHLEN, const Keys& keys) { return readArray(SPV, ZAHLEN, keys, datatext::toInt16); }
bool clsDATEN::DTVSF(const QString& SPV, QVector<float>& ZAHLEN, const Keys& keys) { return readArray(SPV, ZAHLEN, keys, datatext::toSingle); }
bool clsDATEN::DTVVF(const QString& SPV, QVariantList& FELD, const Keys& keys)
{
    return readArray(SPV, FELD, keys, [](const QVariant& v) { return v; });
}

bool clsDATEN::DTVCOL(const QString& SPV, QVariantList& COL, const Keys& keys)
{
    QVariantList values;
    VBError err(0, QString());
    if (!readAll(SPV, keys, values, &err)) {
        askContinue(arrayReaderText(SPV, err));
        return false;
    }
    if (values.isEmpty()) return true;
    QVariantList col;
    for (const QVariant& v : std::as_const(values))
        if (!v.isNull()) col.append(v);
    COL = col;
    return true;
}
