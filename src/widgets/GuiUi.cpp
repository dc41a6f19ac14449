#include "widgets/GuiUi.h"

#include "platform/VBError.h"
#include "widgets/HelpViewer.h"

#include <QApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <functional>
#include <memory>

namespace vb {

namespace {
bool g_germanButtons = false;
}

void SetGermanButtons(bool german)
{
    g_germanButtons = german;
    // Qt's own dialogs (file dialog, colour dialog, ...) speak the session language too
    static QTranslator* qtGerman = nullptr;
    if (german && !qtGerman) {
        auto translator = std::make_unique<QTranslator>();
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (translator->load(QLocale(QLocale::German), QStringLiteral("qt"), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator.get()))
            qtGerman = translator.release();
    } else if (!german && qtGerman) {
        QCoreApplication::removeTranslator(qtGerman);
        delete qtGerman;
        qtGerman = nullptr;
    }
}

namespace {
// A box without a title carries the program's, as VB's boxes do.
QString boxTitle(const QString& title) { return title.isEmpty() ? QStringLiteral("TALPEX") : title; }

// help: what the Help button does; empty = nothing (the box stays open either way).
int showBox(const QString& prompt, int style, const QString& title, const std::function<void()>& help)
{
    QMessageBox box(QApplication::activeWindow());
    // The help window must stay usable while the box waits.
    if (help) box.setWindowModality(Qt::WindowModal);
    box.setWindowTitle(boxTitle(title));
    box.setText(prompt);
    switch (IconOf(style)) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B { QMessageBox::StandardButton qt; int vbResult; };
    QList<B> buttons;
    switch (ButtonsOf(style)) {
    case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore: buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}}; break;
    case vbYesNoCancel: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: buttons = {{QMessageBox::Ok, vbOK}}; break;
    }
    QMessageBox::StandardButtons all;
    for (const auto& b : buttons) all |= b.qt;
    if (style & vbMsgBoxHelpButton) all |= QMessageBox::Help;
    box.setStandardButtons(all);
    if (g_germanButtons) {
        // Qt's translations may be missing: the buttons speak the session language themselves.
        const QList<QPair<QMessageBox::StandardButton, const char*>> german = {
            {QMessageBox::Yes, "&Ja"}, {QMessageBox::No, "&Nein"}, {QMessageBox::Cancel, "Abbrechen"},
            {QMessageBox::Abort, "&Abbrechen"}, {QMessageBox::Retry, "&Wiederholen"},
            {QMessageBox::Ignore, "&Ignorieren"}, {QMessageBox::Help, "&Hilfe"}};
        for (const auto& [button, text] : german)
            if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(text));
    }
    int def = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    if (def < buttons.size()) box.setDefaultButton(buttons[def].qt);
    for (;;) {
        const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
        if (clicked == QMessageBox::Help) { // the help button does not close a VB box
            if (help) help();
            continue;
        }
        for (const auto& b : buttons)
            if (b.qt == clicked) return b.vbResult;
        // Escape on a box without Cancel: VB answers with the only / last button.
        return buttons.last().vbResult;
    }
}

} // namespace

int GuiUi::msgBox(const QString& prompt, int style, const QString& title) { return showBox(prompt, style, title, {}); }

int GuiUi::msgBoxWithHelp(const QString& prompt, int style, const QString& title, const QString& helpFile,
                          int helpContext)
{
    return showBox(prompt, style, title, [&] {
        try {
            help().showHelp(helpFile, helpContext, title);
        } catch (const VBError&) {
            // A missing help file leaves the question on screen; it is not a failure of the command.
        }
    });
}

std::optional<QString> GuiUi::inputBox(const QString& prompt, const QString& title, const QString& deflt)
{
    QInputDialog dlg(QApplication::activeWindow());
    dlg.setWindowTitle(boxTitle(title));
    dlg.setLabelText(prompt);
    dlg.setTextValue(deflt);
    if (g_germanButtons) dlg.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.textValue();
}

} // namespace vb
