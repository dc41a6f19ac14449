#include "batch/BatchArguments.h"

QString BatchArguments::parse(const QStringList& args, const QString& command, const QStringList& options,
                              BatchArguments& out, const QStringList& switches)
{
    if (args.isEmpty()) return QStringLiteral("no command given");
    if (args.first() != command) return QStringLiteral("unknown command '%1'").arg(args.first());
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (switches.contains(a)) {
            if (out.values.contains(a)) return QStringLiteral("%1 given twice").arg(a);
            out.values.insert(a, QString());
        } else if (options.contains(a)) {
            if (i + 1 >= args.size()) return QStringLiteral("%1 needs a value").arg(a);
            if (out.values.contains(a)) return QStringLiteral("%1 given twice").arg(a);
            out.values.insert(a, args[++i]);
        } else if (a.startsWith(QLatin1String("--"))) {
            return QStringLiteral("unknown option '%1'").arg(a);
        } else if (out.project.isEmpty()) {
            out.project = a;
        } else {
            return QStringLiteral("unexpected argument '%1'").arg(a);
        }
    }
    if (out.project.isEmpty()) return QStringLiteral("PROJECT_DB is missing");
    return QString();
}
