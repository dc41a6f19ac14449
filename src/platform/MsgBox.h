#pragma once
// The one door for every message box and input box of the program. The door
// itself needs no windows: a process without any (the batch tool) gets
// ConsoleUi, the program's main() installs the widget implementation GuiUi
// (widgets/GuiUi.h), tests install ScriptedUi, which records every box and
// answers from a queue.
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace vb {

// Buttons, icons and answers with the values VB programmers know.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
    vbMsgBoxHelpButton = 16384,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

inline int ButtonsOf(int style) { return style & 7; }
inline int IconOf(int style) { return style & (16 | 32 | 48 | 64); }

class UiService {
public:
    virtual ~UiService() = default;
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // A box whose Help button shows helpFile at helpContext (VB's MsgBox with help file and context).
    virtual int msgBoxWithHelp(const QString& prompt, int style, const QString& title, const QString& helpFile,
                               int helpContext)
    {
        (void)helpFile;
        (void)helpContext;
        return msgBox(prompt, style, title);
    }
    // nullopt = the user cancelled
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& deflt) = 0;
};

// Tells every box on stderr and declines: Cancel where the box offers it,
// else No, else its only way out; an input box is cancelled. A run that must
// not go on after a failure stops at the first one. The default door.
class ConsoleUi : public UiService {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& deflt) override;
    // How many boxes were shown.
    int shown() const { return m_shown; }

private:
    int m_shown = 0;
};

// For tests: records every box, answers from a queue.
// Without a queued answer a box gets its first button (OK or Yes).
class ScriptedUi : public UiService {
public:
    struct Box {
        QString title;
        QString text;
        int style = 0;
        QString helpFile;    // for boxes with a Help button
        int helpContext = 0;
        int buttons() const { return ButtonsOf(style); }
        int icon() const { return IconOf(style); }
    };
    int msgBox(const QString& prompt, int style, const QString& title) override;
    int msgBoxWithHelp(const QString& prompt, int style, const QString& title, const QString& helpFile,
                       int helpContext) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& deflt) override;

    void answer(int result) { m_answers.append(result); }
    void answerInput(std::optional<QString> text) { m_inputs.append(text); }
    const QList<Box>& boxes() const { return m_boxes; }
    void clear() { m_boxes.clear(); m_answers.clear(); m_inputs.clear(); }

private:
    QList<Box> m_boxes;
    QList<int> m_answers;
    QList<std::optional<QString>> m_inputs;
};

UiService& ui();
// Installs a service; returns the previous one. nullptr restores ConsoleUi.
std::unique_ptr<UiService> setUi(std::unique_ptr<UiService> service);

// Installs a ScriptedUi for the lifetime of the guard (tests).
class ScopedScriptedUi {
public:
    ScopedScriptedUi();
    ~ScopedScriptedUi();
    ScriptedUi& operator*() { return *m_ui; }
    ScriptedUi* operator->() { return m_ui; }

private:
    ScriptedUi* m_ui;
    std::unique_ptr<UiService> m_prev;
};

int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
int MsgBox(const QString& prompt, int style, const QString& title, const QString& helpFile, int helpContext);
std::optional<QString> InputBox(const QString& prompt, const QString& title = QString(), const QString& deflt = QString());

} // namespace vb
