#include "platform/MsgBox.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace vb {

namespace {
std::unique_ptr<UiService>& slot()
{
    static std::unique_ptr<UiService> s = std::make_unique<GuiUi>();
    return s;
}

int firstButtonResult(int style)
{
    switch (ButtonsOf(style)) {
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNoCancel:
    case vbYesNo: return vbYes;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
    }
}
} // namespace

UiService& ui() { return *slot(); }

std::unique_ptr<UiService> setUi(std::unique_ptr<UiService> service)
{
    auto prev = std::move(slot());
    slot() = service ? std::move(service) : std::make_unique<GuiUi>();
    return prev;
}

int MsgBox(const QString& prompt, int style, const QString& title) { return ui().msgBox(prompt, style, title); }

std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& deflt)
{
    return ui().inputBox(prompt, title, deflt);
}

int GuiUi::msgBox(const QString& prompt, int style, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("TALPEX") : title);
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
    int def = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    if (def < buttons.size()) box.setDefaultButton(buttons[def].qt);
    for (;;) {
        const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
        if (clicked == QMessageBox::Help) continue; // the help button does not close a VB box
        for (const auto& b : buttons)
            if (b.qt == clicked) return b.vbResult;
        // Escape on a box without Cancel: VB answers with the only / last button.
        return buttons.last().vbResult;
    }
}

std::optional<QString> GuiUi::inputBox(const QString& prompt, const QString& title, const QString& deflt)
{
    bool ok = false;
    QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, deflt, &ok);
    if (!ok) return std::nullopt;
    return text;
}

int ScriptedUi::msgBox(const QString& prompt, int style, const QString& title)
{
    m_boxes.append({title, prompt, style});
    if (m_echo) std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(prompt));
    if (!m_answers.isEmpty()) return m_answers.takeFirst();
    return firstButtonResult(style);
}

std::optional<QString> ScriptedUi::inputBox(const QString& prompt, const QString& title, const QString& deflt)
{
    m_boxes.append({title, prompt, -1});
    if (!m_inputs.isEmpty()) return m_inputs.takeFirst();
    return deflt;
}

ScopedScriptedUi::ScopedScriptedUi()
{
    auto s = std::make_unique<ScriptedUi>();
    m_ui = s.get();
    m_prev = setUi(std::move(s));
}

ScopedScriptedUi::~ScopedScriptedUi() { setUi(std::move(m_prev)); }

} // namespace vb
