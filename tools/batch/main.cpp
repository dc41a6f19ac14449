// talpex-batch evaluate PROJECT_DB --record KEN [--presets PRESETS_DB]
#include "evaluation/BatchEvaluate.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return BatchEvaluate::run(QCoreApplication::arguments().mid(1), out, err);
}
