#pragma once
// The Evaluate menu: which of its items may run when it opens, Calculate
// (the page of the stored results) and Calculate First (evaluate anew, then
// the page). The main window runs them through the command table.
#include <QPointer>
#include <memory>

class frmMAIN;
class ResultPage;
class QMdiSubWindow;

namespace EvaluationCommands {

// Plugs the menu's opening, mnuBERECHNEN and mnuNEUBERECHNEN into the command table.
void registerAll();

void mnuAUSWERTEN_Click(frmMAIN& main);
void mnuBERECHNEN_Click(frmMAIN& main);
void mnuNEUBERECHNEN_Click(frmMAIN& main);

// For every result page, before it loads: its hooks go to the main window
// (progress bar of the start screen, status-bar panels, quit, activation) and
// it gets the size it will have as the maximised child.
void connectResultPage(frmMAIN& main, ResultPage* page);
// Shows a loaded page as the maximised child and makes panels 10 to 15
// visible and raised.
QMdiSubWindow* showResultPage(frmMAIN& main, ResultPage* page);
// As above for a page built here: true when it was read and drawn whole and
// is shown now; otherwise it is dropped and false.
bool showLoadedPage(frmMAIN& main, std::unique_ptr<ResultPage> page);

// The main window disabled while a page is built, and enabled again on every
// way out, also after Cancel in a failure box: a disabled main window would
// leave the user no way on.
class MainDisabled {
public:
    explicit MainDisabled(frmMAIN& main);
    ~MainDisabled();
    void end();

private:
    QPointer<frmMAIN> m_main;
};

// The start screen's progress bar: shown or hidden (and reset), a value, and
// the end of a command: 100, shown for a moment, then hidden and reset.
void showProgress(frmMAIN& main, bool on);
void setProgress(frmMAIN& main, int value);
void finishProgress(frmMAIN& main);

} // namespace EvaluationCommands
