// talpex-batch evaluate PROJECT_DB --record KEN [--presets PRESETS_DB]
// talpex-batch print PROJECT_DB (--record KEN | --records KEN,KEN,...) --pdf OUT.pdf [--presets PRESETS_DB]
// talpex-batch import PROJECT_DB --record KEN --file LOGFILE [options]
// talpex-batch summary PROJECT_DB [--presets PRESETS_DB]
#include "batch/BatchEvaluate.h"
#include "batch/BatchImport.h"
#include "batch/BatchPrint.h"
#include "batch/BatchSummary.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

namespace {

struct Command {
    const char* name;
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
    QString (*usage)();
    bool draws; // needs the drawing platform
};

int print(const QStringList& args, QTextStream& out, QTextStream& err) { return BatchPrint::run(args, out, err); }

const Command kCommands[] = {
    {"evaluate", BatchEvaluate::run, BatchEvaluate::usage, false},
    {"print", print, BatchPrint::usage, true},
    {"import", BatchImport::run, BatchImport::usage, false},
    {"summary", BatchSummary::run, BatchSummary::usage, false},
};

} // namespace

int main(int argc, char** argv)
{
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (argc > 1 && qstrcmp(argv[1], c.name) == 0) command = &c;
    std::unique_ptr<QCoreApplication> app;
    if (command && command->draws) {
        // pages are drawn without a display
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (!command) {
        if (args == QStringList{QStringLiteral("--version")}) {
            out << "talpex-batch " << TALPEX_VERSION << '\n';
            return BatchExit::Success;
        }
        const bool help = args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"));
        for (const Command& c : kCommands) (help ? out : err) << c.usage();
        if (!help && !args.isEmpty()) err << "talpex-batch: unknown command '" << args[0] << "'\n";
        return help ? BatchExit::Success : BatchExit::BadArguments;
    }
    return command->run(args, out, err);
}
