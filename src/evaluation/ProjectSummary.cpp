#include "evaluation/ProjectSummary.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "evaluation/RecordInput.h"
#include "evaluation/StepCalculation.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/VBError.h"

#include <QStringList>
#include <charconv>

namespace {

// Keeps the first box shown while a record is evaluated and declines every
// box, so that a failing record stops at its first failure and no window
// waits for a click in the middle of a summary.
class QuietUi : public vb::UiService {
public:
    int msgBox(const QString& prompt, int style, const QString&) override
    {
        if (first.isEmpty()) first = QString(prompt).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
        switch (vb::ButtonsOf(style)) {
        case vb::vbOKOnly: return vb::vbOK;
        case vb::vbYesNo: return vb::vbNo;
        case vb::vbAbortRetryIgnore: return vb::vbAbort;
        default: return vb::vbCancel;
        }
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString first;
};

class QuietScope {
public:
    QuietScope()
    {
        auto ui = std::make_unique<QuietUi>();
        m_ui = ui.get();
        m_prev = vb::setUi(std::move(ui));
    }
    ~QuietScope() { vb::setUi(std::move(m_prev)); }
    const QString& first() const { return m_ui->first; }

private:
    QuietUi* m_ui;
    std::unique_ptr<vb::UiService> m_prev;
};

QVariant storedBound(ado::Connection& cnn, qint32 id, const char* column)
{
    ado::Recordset rs(QStringLiteral("SELECT [%1] FROM [A1] WHERE [ID]=%2").arg(QLatin1String(column)).arg(id), cnn);
    return rs.Eof() ? QVariant() : rs.Value(0);
}

QString csvText(const QString& text, QChar sep)
{
    if (!text.contains(sep) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

namespace ProjectSummary {

Evaluation evaluateInMemory(Session& s, qint32 id)
{
    Evaluation e;
    StepCalculation::Outcome outcome = StepCalculation::Outcome::Cancelled;
    QString box;
    RecordInput::Standpipe standpipe;
    {
        QuietScope quiet;
        vb::OnError onError(QStringLiteral("Auswerten"), QStringLiteral("VB-Fehler: "));
        if (RecordInput::read(s, id, onError, e.in, &standpipe) && standpipe.known)
            outcome = StepCalculation::run(e.in, onError, e.steps);
        box = quiet.first();
    }
    if (box.isEmpty() && !standpipe.known) {
        e.reason = standpipe.type.isEmpty()
                       ? s.tr(QStringLiteral("Kein Standrohr angegeben."), QStringLiteral("No standpipe type given."))
                       : s.tr(QStringLiteral("Das Standrohr '%1' fehlt in den Vorgaben."),
                              QStringLiteral("The standpipe type '%1' is not in the presets."))
                             .arg(standpipe.type);
        return e;
    }
    switch (outcome) {
    case StepCalculation::Outcome::BadStepWidth:
        e.reason = s.tr(QStringLiteral("Die Schrittweite n ist kleiner als 1."), QStringLiteral("The step width n is less than 1."));
        return e;
    case StepCalculation::Outcome::TooFewReadings:
        e.reason = s.tr(QStringLiteral("Zu wenige Messwerte für einen Schritt."),
                        QStringLiteral("Too few readings for one step."));
        return e;
    case StepCalculation::Outcome::Cancelled:
    case StepCalculation::Outcome::Computed:
        if (!box.isEmpty() || outcome == StepCalculation::Outcome::Cancelled) {
            e.reason = box;
            return e;
        }
        break;
    }
    e.evaluated = true;
    return e;
}

RecordSummary evaluate(Session& s, qint32 id, const QString& ken, const std::optional<StepRange>& range)
{
    RecordSummary r;
    r.id = id;
    r.ken = ken;
    const Evaluation e = evaluateInMemory(s, id);
    if (!e.evaluated) {
        r.reason = e.reason;
        return r;
    }
    const EvaluationInput& in = e.in;
    const EvaluationSteps& out = e.steps;
    r.evaluated = true;
    const int steps = static_cast<int>(out.K10.size());
    const StepRange used = range ? *range
                                 : StepRange::resolve(storedBound(s.cnnX, id, "VON"), storedBound(s.cnnX, id, "BIS"), steps);
    r.steps = StepSummary::of(out.K10, used);
    r.fit = HeadFit::of(in, out.hk, used);
    return r;
}

QVector<RecordSummary> evaluateAll(Session& s, const std::function<void(int, int)>& progress)
{
    QVector<std::pair<qint32, QString>> records;
    {
        ado::Recordset rs(QStringLiteral("SELECT [ID],[KEN] FROM [E1] WHERE [ID]>0 ORDER BY [KEN],[ID]"), s.cnnX);
        for (; !rs.Eof(); rs.MoveNext()) records.append({rs.Value(0).toInt(), rs.Value(1).toString()});
    }
    QVector<RecordSummary> lines;
    lines.reserve(records.size());
    for (const auto& [id, ken] : records) {
        lines.append(evaluate(s, id, ken));
        if (progress) progress(static_cast<int>(lines.size()), static_cast<int>(records.size()));
    }
    return lines;
}

QString header(QChar sep)
{
    return QStringList{QStringLiteral("KEN"), QStringLiteral("FROM"), QStringLiteral("TO"), QStringLiteral("STEPS"),
                       QStringLiteral("MEAN"), QStringLiteral("SD"), QStringLiteral("CV"), QStringLiteral("FIT"),
                       QStringLiteral("FIT_LOW"), QStringLiteral("FIT_HIGH"), QStringLiteral("R2"), QStringLiteral("POINTS")}
        .join(sep);
}

QString line(const RecordSummary& r, QChar sep, QChar decimal)
{
    QStringList f(12);
    f[0] = csvText(r.ken, sep);
    const auto num = [decimal](double v) { return number(static_cast<float>(v), decimal); };
    if (r.evaluated) {
        const StepRange& range = r.steps.range;
        if (!range.isEmpty()) {
            f[1] = QString::number(range.first);
            f[2] = QString::number(range.last);
        }
        f[3] = QString::number(r.steps.steps);
        if (r.steps.steps > 0) {
            f[4] = num(r.steps.mean);
            f[5] = num(r.steps.sd);
            f[6] = num(r.steps.cv);
        }
        if (r.fit.evaluable) {
            f[7] = num(r.fit.k10);
            if (r.fit.hasInterval) {
                f[8] = num(r.fit.low);
                f[9] = num(r.fit.high);
            }
            f[10] = num(r.fit.r2);
            f[11] = QString::number(r.fit.points);
        }
    }
    return f.join(sep);
}

QString number(float v, QChar decimal)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    QString text = QString::fromLatin1(buf, res.ptr - buf);
    if (decimal != QLatin1Char('.')) text.replace(QLatin1Char('.'), decimal);
    return text;
}

} // namespace ProjectSummary
