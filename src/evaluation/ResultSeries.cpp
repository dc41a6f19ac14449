#include "evaluation/ResultSeries.h"

#include "data/Ado.h"

#include <algorithm>

namespace {

// The leading run of non-empty values of a column by I1 (0, 1, 2, ...), at
// most `limit` of them: rows left behind by an earlier evaluation with more
// readings or a smaller step width are not this evaluation's results.
QVector<float> leadingValues(const QVector<QVariant>& byI1, int limit)
{
    QVector<float> out;
    const int n = std::min<int>(limit, byI1.size());
    out.reserve(std::max(n, 0));
    for (int i = 0; i < n; ++i) {
        const QVariant& v = byI1[i];
        if (!v.isValid() || v.isNull()) break;
        out.append(v.toFloat());
    }
    return out;
}

} // namespace

ResultSeries ResultSeries::read(ado::Connection& cnnX, qint32 id)
{
    ResultSeries r;
    r.id = id;
    const QString key = QString::number(id);

    {
        ado::Recordset rs(QStringLiteral("SELECT [N] FROM [E2] WHERE [ID]=") + key, cnnX);
        if (!rs.Eof()) r.N = static_cast<short>(rs.Value(0).toInt());
    }

    // Time differences of the readings by I1; a missing reading counts 0.
    QVector<float> dt;
    {
        ado::Recordset rs(QStringLiteral("SELECT [I1],[DET] FROM [E3] WHERE [ID]=") + key + QStringLiteral(" ORDER BY [I1]"),
                          cnnX);
        r.AN = static_cast<int>(rs.RecordCount());
        for (; !rs.Eof(); rs.MoveNext()) {
            const int i1 = rs.Value(0).toInt();
            if (i1 < 0 || i1 > 32767) continue;
            if (i1 >= dt.size()) dt.resize(i1 + 1, 0.0f);
            dt[i1] = rs.Value(1).toFloat();
        }
    }
    const int MAXI = static_cast<int>(dt.size()) - 1;
    const int n = r.N;
    // A step width below 1 or not less than the readings forms no step.
    if (n < 1 || MAXI - n < 0) return r;
    const int s = n - 1;
    const int K = MAXI - s; // PHI/DETN rows 0 ... K, K10/DEHKO rows 0 ... K-1

    QVector<QVariant> detn, phi, k10, dehko;
    {
        ado::Recordset rs(QStringLiteral("SELECT [I1],[DETN],[PHI],[K10],[DEHKO] FROM [A2] WHERE [ID]=") + key +
                              QStringLiteral(" ORDER BY [I1]"),
                          cnnX);
        for (; !rs.Eof(); rs.MoveNext()) {
            const int i1 = rs.Value(0).toInt();
            if (i1 < 0 || i1 > K) continue;
            if (i1 >= detn.size()) {
                detn.resize(i1 + 1);
                phi.resize(i1 + 1);
                k10.resize(i1 + 1);
                dehko.resize(i1 + 1);
            }
            detn[i1] = rs.Value(1);
            phi[i1] = rs.Value(2);
            k10[i1] = rs.Value(3);
            dehko[i1] = rs.Value(4);
        }
    }
    r.DETN = leadingValues(detn, K + 1);
    r.PHI = leadingValues(phi, K + 1);
    r.K10 = leadingValues(k10, K);
    r.DEHKO = leadingValues(dehko, K);

    // Hours from the readings' own time differences: t(r) = (dt(0) + ... + dt(r))/60.
    // Step i ends at reading i+s, so T(0) = t(0) and T(i) = t(i+s); step j spans
    // readings j to j+n, its middle TM(j) = (t(j) + t(j+n) - t(0))/2. Both are
    // summed step by step in single precision so that n = 1 gives exactly
    // T(i) = T(i-1) + DETN(i)/60 and TM(j) = TM(j-1) + (DETN(j) + DETN(j+1))/2/60.
    QVector<float> t(MAXI + 1);
    t[0] = dt[0] / 60.0f;
    for (int i = 1; i <= MAXI; ++i) t[i] = t[i - 1] + dt[i] / 60.0f;
    r.T.resize(r.DETN.size());
    for (int i = 0; i < r.T.size(); ++i) r.T[i] = i == 0 ? t[0] : t[i + s];
    r.TM.resize(r.K10.size());
    if (!r.TM.isEmpty()) {
        float first = 0;
        for (int k = 0; k <= n; ++k) first += dt[k];
        r.TM[0] = first / 2.0f / 60.0f;
        for (int j = 1; j < r.TM.size(); ++j) r.TM[j] = r.TM[j - 1] + (dt[j] + dt[j + n]) / 2.0f / 60.0f;
    }
    return r;
}
