// The record index and identity services of clsDATEN: row counts and index
// ranges, record lists, record search and deletion.
#include "data/clsDATEN.h"

#include "data/DataText.h"
#include "data/Schema.h"
#include "platform/OnError.h"
#include "platform/System.h"

namespace {
QString col(const QString& n) { return QLatin1Char('[') + n + QLatin1Char(']'); }

// The values of the index column in ascending order.
struct IndexRows {
    QVariant first, last;
    long count = 0;
};
} // namespace

QString clsDATEN::INDEXSQL(const Keys& keys) const
{
    int last = -1;
    for (int i = 0; i < Keys::size(); ++i)
        if (keys[i].used()) last = i;
    QString where;
    const auto join = [&where](const QString& first, const QString& further) { return where.isEmpty() ? first : further; };
    for (int i = 0; i < last; ++i) {
        if (!keys[i].used()) continue;
        // A condition key given without value compares with Null: no row, as Jet did.
        const QVariant v = keys[i].value.value_or(QVariant());
        where += join(QStringLiteral(" WHERE "), QStringLiteral(" AND ")) + col(keys[i].name) + QLatin1Char('=') + datatext::sqlLiteral(v);
    }
    if (!m_ESPK[0].isEmpty())
        where += join(QStringLiteral(" WHERE "), QStringLiteral(" AND ")) + col(m_ESPK[0]) + QStringLiteral(" ='") + sqlText(m_ESPKW[0])
            + QLatin1Char('\'');
    if (!m_ESPK[1].isEmpty())
        where += join(QStringLiteral(" WHERE "), QStringLiteral(" AND ")) + col(m_ESPK[1]) + QStringLiteral("='") + sqlText(m_ESPKW[1])
            + QLatin1Char('\'');
    if (!m_ESPK[2].isEmpty())
        where += join(QStringLiteral(" WHERE "), QStringLiteral(" AND ")) + col(m_ESPK[2]) + QStringLiteral("='") + sqlText(m_ESPKW[2])
            + QLatin1Char('\'');
    if (!m_ESPID.isEmpty())
        where += join(QStringLiteral(" WHERE "), QStringLiteral(" AND ")) + col(m_ESPID) + QStringLiteral(" = ") + QString::number(m_ESPIDW);
    const QString column = last >= 0 ? col(keys[last].name) : QStringLiteral("[]");
    return QStringLiteral("SELECT ") + column + QStringLiteral(" FROM ") + m_ETABELLE + where + QStringLiteral(" ORDER BY ") + column;
}

// Runs the INDEX selection and hands the first value, the last value and the
// count to set, each as a step of onError (so OK goes on with the next one).
template <typename Min, typename Max, typename Count>
static void indexSteps(clsDATEN& d, const Keys& keys, vb::OnError& onError, Min setMin, Max setMax, Count setCount)
{
    IndexRows rows;
    if (!onError([&] {
            ado::Recordset rs(d.INDEXSQL(keys), d.connection());
            rows.count = rs.RecordCount();
            if (rows.count == 0) return;
            rows.first = rs.Value(0);
            rs.MoveLast();
            rows.last = rs.Value(0);
        }))
        return;
    if (rows.count == 0) return;
    if (!onError([&] { setMin(rows.first); })) return;
    if (!onError([&] { setMax(rows.last); })) return;
    onError([&] { setCount(rows.count); });
}

void clsDATEN::INDEX(qint16& MINI, qint16& MAXI, qint16& AN, const Keys& keys)
{
    MINI = MAXI = AN = 0;
    vb::OnError onError(QStringLiteral("Index"));
    indexSteps(
        *this, keys, onError, [&](const QVariant& v) { MINI = datatext::toInt16(v); },
        [&](const QVariant& v) { MAXI = datatext::toInt16(v); },
        [&](long n) { AN = datatext::toInt16(static_cast<int>(n)); });
}

void clsDATEN::INDEXL(qint32& MINI, qint32& MAXI, qint32& AN, const Keys& keys)
{
    MINI = MAXI = AN = 0;
    vb::OnError onError(QStringLiteral("Datenfehler"));
    indexSteps(
        *this, keys, onError, [&](const QVariant& v) { MINI = datatext::toInt32(v); },
        [&](const QVariant& v) { MAXI = datatext::toInt32(v); }, [&](long n) { AN = static_cast<qint32>(n); });
}

void clsDATEN::INDEXV(QVariant& MINI, QVariant& MAXI, qint16& AN, const Keys& keys)
{
    MINI = MAXI = 0;
    AN = 0;
    vb::OnError onError(QStringLiteral("Index"));
    indexSteps(
        *this, keys, onError, [&](const QVariant& v) { MINI = v; }, [&](const QVariant& v) { MAXI = v; },
        [&](long n) { AN = datatext::toInt16(static_cast<int>(n)); });
}

namespace {
QString listSql(const QString& columns, const QString& table, const QString& key, bool AKT)
{
    if (AKT)
        return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + col(table) + QStringLiteral(" WHERE [AKT]=true and ") + col(key)
            + QStringLiteral("<>0 ORDER BY ") + col(key);
    return QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + col(table) + QStringLiteral(" WHERE ") + col(key)
        + QStringLiteral("<>0 ORDER BY [KEN]");
}
} // namespace

void clsDATEN::LID(QVector<qint32>& ID, bool AKT)
{
    ado::Recordset rs(listSql(col(m_ESPID), m_ETABELLE, m_ESPID, AKT), *m_cnn);
    if (rs.RecordCount() == 0) return;
    QVector<qint32> ids;
    ids.reserve(rs.RecordCount());
    for (; !rs.Eof(); rs.MoveNext()) ids.append(datatext::toInt32(rs.Value(0)));
    ID = ids;
}

void clsDATEN::LKEN(QStringList& KEN, bool AKT)
{
    ado::Recordset rs(listSql(QStringLiteral("[KEN]"), m_ETABELLE, m_ESPID, AKT), *m_cnn);
    if (rs.RecordCount() == 0) return;
    QStringList kens;
    kens.reserve(rs.RecordCount());
    for (; !rs.Eof(); rs.MoveNext()) kens.append(datatext::toText(rs.Value(0)));
    KEN = kens;
}

bool clsDATEN::LOESCHEN(const Keys& keys)
{
    Keys three = keys;
    three[3] = RowKey();
    vb::OnError onError(QStringLiteral("Datenfehler"));
    return onError([&] {
        ado::Transaction tx(*m_cnn);
        auto rs = DT(m_ESPID.isEmpty() ? QStringLiteral("*") : m_ESPID, three);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            rs->Delete();
            pump();
        }
        tx.commit();
    }) && !onError.failed();
}

QString clsDATEN::IDKRITSQL(QList<Criterion>& criteria) const
{
    QString list = QStringLiteral("[ID]");
    QString where;
    QString order;
    const int n = std::min<int>(criteria.size(), 4);
    for (int k = 0; k < n; ++k) {
        Criterion& c = criteria[k];
        if (c.SPF.isEmpty()) continue;
        list += QStringLiteral(",[") + c.SPF + QLatin1Char(']');
        order += (order.isEmpty() ? QStringLiteral(" ORDER BY [") : QStringLiteral(",[")) + c.SPF + QLatin1Char(']');
        if (!c.SPFW) continue;
        const QVariant& v = *c.SPFW;
        QString value;
        if (v.typeId() == QMetaType::QString) {
            if (c.SPO.trimmed().compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0) {
                c.SPO = QStringLiteral("LIKE");
                value = QStringLiteral("'%") + sqlText(v.toString()) + QStringLiteral("%'");
            } else {
                c.SPO = QStringLiteral("=");
                value = QLatin1Char('\'') + sqlText(v.toString()) + QLatin1Char('\'');
            }
        } else {
            static const QStringList ops = {QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">="),
                                            QStringLiteral("<>")};
            if (!ops.contains(c.SPO.trimmed())) c.SPO = QStringLiteral("=");
            else c.SPO = c.SPO.trimmed();
            value = datatext::sqlLiteral(v);
        }
        where += (where.isEmpty() ? QStringLiteral(" WHERE [") : QStringLiteral(" AND [")) + c.SPF + QLatin1Char(']') + c.SPO + value;
    }
    return QStringLiteral("SELECT ") + list + QStringLiteral(" FROM ") + col(m_ETABELLE) + where + order;
}

bool clsDATEN::IDKRIT(QVector<qint32>& IDKR, QList<Criterion>& criteria)
{
    bool found = false;
    vb::OnError onError(QStringLiteral("Datenfehler"));
    onError([&] {
        ado::Recordset rs(IDKRITSQL(criteria), *m_cnn);
        if (rs.RecordCount() == 0) return;
        QVector<qint32> ids;
        ids.reserve(rs.RecordCount());
        for (; !rs.Eof(); rs.MoveNext()) ids.append(datatext::toInt32(rs.Value(0)));
        IDKR = ids;
        found = true;
    });
    return found;
}
