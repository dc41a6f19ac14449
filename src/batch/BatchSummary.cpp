#include "batch/BatchSummary.h"

#include "batch/BatchArguments.h"
#include "data/Session.h"
#include "evaluation/ProjectSummary.h"
#include "platform/VBError.h"

#include <QTextStream>

QString BatchSummary::usage()
{
    return QStringLiteral("usage: talpex-batch summary PROJECT_DB [--presets PRESETS_DB]\n");
}

int BatchSummary::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    BatchRun run(out, err, usage());
    if (run.help(args)) return Success;
    BatchArguments a;
    const QString presets = QStringLiteral("--presets");
    if (const QString problem = BatchArguments::parse(args, QStringLiteral("summary"), {presets}, a); !problem.isEmpty())
        return run.badArguments(problem);
    std::optional<QString> presetsFile;
    if (a.has(presets)) presetsFile = a.value(presets);
    if (const int code = run.open(a.project, presetsFile)) return code;

    QVector<RecordSummary> lines;
    try {
        lines = ProjectSummary::evaluateAll(run.session());
    } catch (const vb::VBError& e) {
        return run.fail(BadArguments, QStringLiteral("'%1' is not a usable project database: %2").arg(a.project, e.Description()));
    }
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    out << ProjectSummary::header(comma) << '\n';
    int failed = 0;
    for (const RecordSummary& r : lines) {
        out << ProjectSummary::line(r, comma, point) << '\n';
        if (!r.evaluated) {
            ++failed;
            run.fail(Failed, QStringLiteral("'%1' cannot be evaluated: %2").arg(r.ken, r.reason));
        }
    }
    out.flush();
    return failed > 0 ? NotAllEvaluated : Success;
}
