#include "batch/BatchEvaluate.h"

#include "batch/BatchArguments.h"
#include "batch/BatchRun.h"
#include "data/Ado.h"
#include "data/Session.h"
#include "evaluation/EvaluationRows.h"
#include "evaluation/ProjectSummary.h"
#include "evaluation/ResultSeries.h"
#include "evaluation/StepRange.h"
#include "evaluation/clsBERECHNEN.h"
#include "platform/VBError.h"

#include <QTextStream>
#include <optional>

namespace {

struct Options {
    QString project;
    QString record;
    std::optional<QString> presets;
    bool summary = false;
    std::optional<StepRange> steps; // overrides the stored range for this run
};

// Fills opts from the arguments; an error text when they do not fit.
QString parse(const QStringList& args, Options& opts)
{
    BatchArguments a;
    const QString record = QStringLiteral("--record"), presets = QStringLiteral("--presets"),
                  summary = QStringLiteral("--summary"), steps = QStringLiteral("--steps");
    if (QString error = BatchArguments::parse(args, QStringLiteral("evaluate"), {record, presets, steps}, a, {summary});
        !error.isEmpty())
        return error;
    opts.project = a.project;
    if (a.has(presets)) opts.presets = a.value(presets);
    opts.summary = a.has(summary);
    if (a.has(steps) && !opts.summary) return QStringLiteral("--steps goes with --summary");
    if (a.has(steps)) {
        opts.steps = StepRange::parse(a.value(steps));
        if (!opts.steps || opts.steps->first < 1 || opts.steps->isEmpty())
            return QStringLiteral("--steps needs FIRST-LAST, step numbers from 1, the first not after the last");
    }
    if (!a.has(record)) return QStringLiteral("--record KEN is missing");
    opts.record = a.value(record);
    if (opts.record.isEmpty()) return QStringLiteral("the record designation is empty");
    return QString();
}

QString field(const QVariant& v, bool integer)
{
    if (v.isNull()) return QString();
    return integer ? QString::number(v.toLongLong()) : BatchEvaluate::number(v.toFloat());
}

void printResults(ado::Connection& cnn, long id, QTextStream& out)
{
    ado::Recordset rs(QStringLiteral("SELECT [I1],[PHI],[DETN],[K10],[DEHKO] FROM [A2] WHERE [ID]=%1 ORDER BY [I1]").arg(id), cnn);
    out << "I1,PHI,DETN,K10,DEHKO\n";
    for (; !rs.Eof(); rs.MoveNext()) {
        out << field(rs.Value(0), true);
        for (int c = 1; c <= 4; ++c) out << ',' << field(rs.Value(c), false);
        out << '\n';
    }
    out.flush();
}

// The reported value of the record: its range (stored, or the one given for
// this run), the statistics of k10 and the straight line over it. False when
// the given range does not fit the record's steps.
bool printSummary(Session& s, long id, const Options& opts, QTextStream& out)
{
    std::optional<StepRange> range;
    if (opts.steps) {
        range = StepRange::checked(opts.steps->first, opts.steps->last, ResultSeries::read(s.cnnX, id).K10.size());
        if (!range) return false;
    }
    const QChar comma(QLatin1Char(','));
    out << ProjectSummary::header(comma) << '\n'
        << ProjectSummary::line(ProjectSummary::evaluate(s, static_cast<qint32>(id), opts.record, range), comma,
                                QLatin1Char('.'))
        << '\n';
    out.flush();
    return true;
}

} // namespace

QString BatchEvaluate::usage()
{
    return QStringLiteral("usage: talpex-batch evaluate PROJECT_DB --record KEN [--presets PRESETS_DB] [--summary [--steps FIRST-LAST]]\n");
}

QString BatchEvaluate::number(float v) { return ProjectSummary::number(v); }

int BatchEvaluate::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    BatchRun run(out, err, usage());
    if (run.help(args)) return Success;
    Options opts;
    if (const QString problem = parse(args, opts); !problem.isEmpty()) return run.badArguments(problem);
    if (const int code = run.open(opts.project, opts.presets)) return code;
    ado::Connection& cnnX = run.session().cnnX;

    long id = 0;
    try {
        id = BatchRun::findRecord(cnnX, opts.record);
        if (id == 0) return run.fail(BadArguments, QStringLiteral("no record '%1' in '%2'").arg(opts.record, opts.project));
        // The evaluation works on the active record: make it the only one.
        EvaluationRows::makeActive(cnnX, {static_cast<qint32>(id)});
    } catch (const vb::VBError& e) {
        return run.fail(BadArguments,
                        QStringLiteral("'%1' is not a usable project database: %2").arg(opts.project, e.Description()));
    }
    if (const int code = run.requireStandpipe(static_cast<qint32>(id), opts.record)) return code;

    clsBERECHNEN calc(run.session());
    const bool ok = calc.BERECHNUNG();
    const bool boxes = run.boxes() > 0;

    try {
        // a range that does not fit is refused before anything is printed
        if (opts.summary && opts.steps
            && !StepRange::checked(opts.steps->first, opts.steps->last, ResultSeries::read(cnnX, id).K10.size()))
            return run.fail(BadArguments,
                            QStringLiteral("'%1' has no steps %2-%3").arg(opts.record).arg(opts.steps->first).arg(opts.steps->last));
        if (const int n = EvaluationRows::readingsWithoutTemperature(cnnX, static_cast<qint32>(id)); n > 0)
            run.note(run.session().tr(QStringLiteral("Ohne Temperatur: %1 Messwerte, mit 0 °C gerechnet").arg(n),
                                      QStringLiteral("Without a temperature: %1 readings, computed at 0 °C").arg(n)));
        printResults(cnnX, id, out);
        if (opts.summary && !printSummary(run.session(), id, opts, out))
            return run.fail(BadArguments,
                            QStringLiteral("'%1' has no steps %2-%3").arg(opts.record).arg(opts.steps->first).arg(opts.steps->last));
    } catch (const vb::VBError& e) {
        return run.fail(Failed, QStringLiteral("cannot read the results: %1").arg(e.Description()));
    }
    if (!ok) return run.fail(Failed, QStringLiteral("the evaluation of '%1' failed").arg(opts.record));
    if (boxes) return run.fail(Failed, QStringLiteral("the evaluation of '%1' reported failures").arg(opts.record));
    return Success;
}
