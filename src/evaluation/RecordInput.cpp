#include "evaluation/RecordInput.h"

#include "data/DataText.h"
#include "data/Schema.h"
#include "data/clsDATEN.h"
#include "evaluation/StepCalculation.h"
#include "platform/OnError.h"

namespace {

// Reads one column of the record's readings in one pass, each value into the
// element of its I1 (the first row of an I1 counts, as for a single read); a
// missing or empty value reads as 0.
void readReadings(clsDATEN& e3, const QString& column, QVector<float>& values)
{
    const auto rs = e3.DT(column, {{"I1"}});
    const int i1 = rs->fieldIndex(QStringLiteral("I1"));
    QVector<bool> seen(values.size(), false);
    for (; !rs->Eof(); rs->MoveNext()) {
        const QVariant key = rs->Value(i1);
        if (key.isNull()) continue;
        const qsizetype i = key.toInt();
        if (i < 0 || i >= values.size() || seen[i]) continue;
        seen[i] = true;
        values[i] = datatext::toSingle(rs->Value(0));
    }
}

} // namespace

namespace RecordInput {

bool read(clsDATEN& E2, clsDATEN& E3, clsDATEN& V1, vb::OnError& onError, EvaluationInput& in, Standpipe* standpipe)
{
    // Readings 0 ... m; INDEX reports its own failures.
    qint16 mini = 0, maxi = 0, an = 0;
    E3.INDEX(mini, maxi, an, {{"I1"}});
    const int m = maxi;
    const qsizetype count = m >= 0 ? m + 1 : 0;
    in.DET.fill(0, count);
    in.TEMP.fill(0, count);
    in.HST.fill(0, count);
    in.HKO.fill(0, count);

    // Record parameters; the single-value readers report their own failures.
    QString stro;
    qint16 n = 0;
    E2.DTVS(QStringLiteral("H"), in.H);
    E2.DTVT(QStringLiteral("STRO"), stro);
    E2.DTVI(QStringLiteral("N"), n);
    in.N = n;

    if (!onError([&] { readReadings(E3, QStringLiteral("DET"), in.DET); })) return false;
    if (!onError([&] { readReadings(E3, QStringLiteral("TEMP"), in.TEMP); })) return false;
    if (!onError([&] { readReadings(E3, QStringLiteral("HST"), in.HST); })) return false;
    if (!onError([&] { readReadings(E3, QStringLiteral("HKO"), in.HKO); })) return false;

    // Without a reference-pipe reading at the first reading, every reference
    // level comes from the correction function.
    QVariant hko0;
    E3.DTVV(QStringLiteral("HKO"), hko0, {{"I1", 0}});
    in.hkoFirstEmpty = hko0.isNull();

    // The standpipe's constants; a designation without presets row reads 0.
    const Keys type{{"STRO", stro}};
    V1.DTVS(QStringLiteral("A"), in.A, type);
    V1.DTVS(QStringLiteral("B"), in.B, type);
    V1.DTVS(QStringLiteral("C"), in.C, type);
    V1.DTVS(QStringLiteral("D1"), in.D1, type);
    V1.DTVS(QStringLiteral("D2"), in.D2, type);
    V1.DTVS(QStringLiteral("F"), in.F, type);
    if (standpipe) {
        QVariant row;
        V1.DTVV(QStringLiteral("STRO"), row, type);
        *standpipe = {stro, !stro.isEmpty() && !row.isNull()};
    }
    return true;
}

bool read(Session& s, qint32 id, vb::OnError& onError, EvaluationInput& in, Standpipe* standpipe)
{
    clsDATEN E2(s), E3(s), V1(s);
    E2.setETABELLE(QStringLiteral("E2"));
    E2.setESPIDW(id);
    E3.setETABELLE(QStringLiteral("E3"));
    E3.setESPIDW(id);
    V1.setETABELLE(schema::kPresetsTable);
    V1.setEBOV(true);
    V1.setESPID(QString());
    return read(E2, E3, V1, onError, in, standpipe);
}

} // namespace RecordInput
