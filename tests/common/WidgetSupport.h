#pragma once
// Helpers of the tests that drive windows.
#include <QString>
#include <functional>

class QWidget;

namespace testsupport {

// Calls `open`, which is to show a modal dialog, and runs `act` on that
// dialog from inside its event loop. Returns the dialog's class name, empty
// when no modal dialog opened; nothing of it is left to run after the call.
QString onModalDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& act);

} // namespace testsupport
