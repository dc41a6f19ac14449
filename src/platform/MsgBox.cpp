#include "platform/MsgBox.h"

#include "platform/ServiceSlot.h"

#include <cstdio>

namespace vb {

namespace {
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

using UiSlot = ServiceSlot<UiService, ConsoleUi>;

UiService& ui() { return UiSlot::get(); }

std::unique_ptr<UiService> setUi(std::unique_ptr<UiService> service) { return UiSlot::set(std::move(service)); }

int MsgBox(const QString& prompt, int style, const QString& title) { return ui().msgBox(prompt, style, title); }

int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile, int helpContext)
{
    return ui().msgBoxWithHelp(prompt, style, title, helpFile, helpContext);
}

std::optional<QString> InputBox(const QString& prompt, const QString& title, const QString& deflt)
{
    return ui().inputBox(prompt, title, deflt);
}

int ConsoleUi::msgBox(const QString& prompt, int style, const QString& title)
{
    ++m_shown;
    std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(prompt));
    switch (ButtonsOf(style)) {
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel: return vbCancel;
    case vbYesNo: return vbNo;
    case vbAbortRetryIgnore: return vbAbort;
    default: return vbOK;
    }
}

std::optional<QString> ConsoleUi::inputBox(const QString& prompt, const QString& title, const QString&)
{
    ++m_shown;
    std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(prompt));
    return std::nullopt;
}

int ScriptedUi::msgBox(const QString& prompt, int style, const QString& title)
{
    m_boxes.append({title, prompt, style, QString(), 0});
    if (!m_answers.isEmpty()) return m_answers.takeFirst();
    return firstButtonResult(style);
}

int ScriptedUi::msgBoxWithHelp(const QString& prompt, int style, const QString& title, const QString& helpFile,
                               int helpContext)
{
    const int answer = msgBox(prompt, style, title);
    m_boxes.last().helpFile = helpFile;
    m_boxes.last().helpContext = helpContext;
    return answer;
}

std::optional<QString> ScriptedUi::inputBox(const QString& prompt, const QString& title, const QString& deflt)
{
    m_boxes.append({title, prompt, -1, QString(), 0});
    if (!m_inputs.isEmpty()) return m_inputs.takeFirst();
    return deflt;
}

ScopedScriptedUi::ScopedScriptedUi() { m_ui = UiSlot::install<ScriptedUi>(m_prev); }

ScopedScriptedUi::~ScopedScriptedUi() { setUi(std::move(m_prev)); }

} // namespace vb
