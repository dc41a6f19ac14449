// TALPEX: evaluation of field permeability tests with standpipes.
#include "data/Session.h"
#include "shell/RecordCommands.h"
#include "shell/frmMAIN.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TALPEX"));

    RecordCommands::registerAll();

    Session session;
    session.programFolder = QCoreApplication::applicationDirPath();
    frmMAIN main(session);
    if (!main.load()) return 0;
    main.showMaximized();
    return QApplication::exec();
}
