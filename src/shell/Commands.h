#pragma once
// The table of the main window's command handlers and dialogs that live in
// other subsystems. Each subsystem registers its commands once at program
// start (or a test registers what it needs); a command without a handler does
// nothing.
//
// Names: menu items by their control name ("mnuNEU"), the opening of a menu
// by the menu's name ("mnuAUSWERTEN"), status-bar commands as "stbPANEL8" ...
// "stbPANEL13", dialogs by their form name ("frmEXPIMP").
#include <QString>
#include <functional>

class QDialog;
class frmMAIN;

namespace Commands {

using Handler = std::function<void(frmMAIN&)>;
// Creates a dialog owned by the main window, on its session; the caller shows
// it modally and deletes it.
using DialogFactory = std::function<QDialog*(frmMAIN& owner)>;

void setHandler(const QString& name, Handler handler);
bool hasHandler(const QString& name);
// Runs the handler of name; false when there is none.
bool run(const QString& name, frmMAIN& main);

void setDialog(const QString& name, DialogFactory factory);
bool hasDialog(const QString& name);
QDialog* createDialog(const QString& name, frmMAIN& owner); // nullptr when none registered

QString panelCommand(int panel);

// Removes every registration (tests).
void clear();

} // namespace Commands
