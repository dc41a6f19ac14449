#include "evaluation/StepRange.h"

#include "graphics/clsTABELLE.h"

#include <QRegularExpression>

StepRange StepRange::resolve(const QVariant& von, const QVariant& bis, int steps)
{
    const StepRange all{1, steps};
    StepRange r = all;
    if (von.isValid() && !von.isNull()) r.first = von.toInt();
    if (bis.isValid() && !bis.isNull()) r.last = bis.toInt();
    return checked(r.first, r.last, steps).value_or(all);
}

std::optional<StepRange> StepRange::parse(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,5})\\s*-\\s*(\\d{1,5})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    return StepRange{m.captured(1).toInt(), m.captured(2).toInt()};
}

std::optional<StepRange> StepRange::checked(int first, int last, int steps)
{
    if (first < 1 || last < first || last > steps) return std::nullopt;
    return StepRange{first, last};
}

StepSummary StepSummary::of(const QVector<float>& k10, const StepRange& range)
{
    StepSummary sum;
    sum.range = range;
    QVector<double> values;
    for (int step = range.first; step <= range.last && step <= k10.size(); ++step) {
        const float k = k10[step - 1];
        if (k > 0) values.append(k);
        else ++sum.unevaluable;
    }
    sum.steps = static_cast<int>(values.size());
    const clsTABELLE::Statistics st = clsTABELLE::statistics(values);
    sum.mean = st.mean;
    sum.sd = st.s;
    sum.cv = st.cv;
    return sum;
}
