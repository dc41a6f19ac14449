// talpex-batch evaluate PROJECT_DB --record KEN [--presets PRESETS_DB]
// talpex-batch print PROJECT_DB (--record KEN | --records KEN,KEN,...) --pdf OUT.pdf [--presets PRESETS_DB]
// talpex-batch import PROJECT_DB --record KEN --file LOGFILE [options]
#include "evaluation/BatchEvaluate.h"
#include "evaluation/BatchImport.h"
#include "shell/BatchPrint.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    const bool print = argc > 1 && qstrcmp(argv[1], "print") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (print) {
        // pages are drawn without a display
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        out << BatchEvaluate::usage() << BatchPrint::usage() << BatchImport::usage();
        return 0;
    }
    if (print) return BatchPrint::run(args, out, err);
    if (args.value(0) == QLatin1String("import")) return BatchImport::run(args, out, err);
    return BatchEvaluate::run(args, out, err);
}
