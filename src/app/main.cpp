// TALPEX: evaluation of field permeability tests with standpipes.
#include "data/Session.h"
#include "shell/Exchange.h"
#include "input/frmVVORGABEN.h"
#include "shell/Commands.h"
#include "shell/EvaluationCommands.h"
#include "shell/MultipleEvaluation.h"
#include "shell/PageOutput.h"
#include "shell/RecordCommands.h"
#include "shell/frmMAIN.h"
#include "widgets/GuiUi.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // before the application object: it needs a display
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("TALPEX %s\n", TALPEX_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TALPEX"));
    // fontconfig's usual light hinting squeezes the dots of Ä, Ö, Ü at 12 px (DejaVu Sans 9 pt) into
    // one faint pixel row, so "Öffnen" reads "Offnen". Unhinted glyphs keep them, with the same advances
    // and line heights: no window, form or page moves.
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);
    // Qt's own dialogs (print, file, colour) in the user's language
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    // every message box of this run is a real dialog
    vb::setUi(std::make_unique<vb::GuiUi>());

    RecordCommands::registerAll();
    EvaluationCommands::registerAll();
    MultipleEvaluation::registerAll();
    PageOutput::registerAll();
    Exchange::registerAll();
    // Dialogs of the other subsystems that the main window's menus open.
    Commands::setDialog(QStringLiteral("frmVVORGABEN"), [](frmMAIN& owner) {
        auto* dialog = new frmVVORGABEN(owner.session(), &owner);
        dialog->setQuitCommand(owner.quitCommand());
        return static_cast<QDialog*>(dialog);
    });

    Session session;
    session.programFolder = QCoreApplication::applicationDirPath();
    frmMAIN main(session);
    if (!main.load()) return 0;
    main.showMaximized();
    return QApplication::exec();
}
