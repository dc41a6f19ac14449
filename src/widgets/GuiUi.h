#pragma once
// The message box and input box as real dialogs, parented to the active
// window: the program's main() installs it behind the MsgBox door.
#include "platform/MsgBox.h"

namespace vb {

class GuiUi : public UiService {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override;
    int msgBoxWithHelp(const QString& prompt, int style, const QString& title, const QString& helpFile,
                       int helpContext) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& deflt) override;
};

// German captions on the buttons of the dialogs and Qt's own dialogs in
// German, from Qt's translations (the session language).
void SetGermanButtons(bool german);

} // namespace vb
