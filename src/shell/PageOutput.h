#pragma once
// The status-bar commands on the loaded result pages: panel 10 chooses the
// page in front (frmANZEIGEN), 11 prints a range of pages, 12 saves a bitmap
// of the front page into the project's "JPG" folder, 13 hands the front
// page's pictures to the word processor. Each runs inside the failure box of
// its panel.
#include <QList>
#include <QString>

class ResultPage;
class frmMAIN;

namespace PageOutput {

// Plugs panels 10-13 into the command table.
void registerAll();

// The loaded pages, numbered from 1 in this order: four passes over the open
// windows, one per kind of page name.
QList<ResultPage*> pageList(frmMAIN& main);
// The number of the page in front; 1 when the front window is no page.
int frontPage(frmMAIN& main, const QList<ResultPage*>& pages);
// A typed page number: not a number gives 1, then it is kept within 1 ... count.
int normalisePage(const QString& text, int count);
// Page n maximised and shown in front, every other page hidden.
void bringToFront(frmMAIN& main, const QList<ResultPage*>& pages, int n);

// The folder of the screenshots, with a trailing "/".
QString screenshotFolder(frmMAIN& main);
// The screenshot name offered for the active records' panel (6): its text, or
// for several records the designations of its tooltip joined by "_", at most
// 40 characters, then "-1"; always a name refusedName accepts.
QString proposedName(const QString& panelText, const QString& panelToolTip);
// A screenshot name the user typed: empty when acceptable, else why not (in
// the language sprache).
QString refusedName(const QString& name, short sprache);

void showPages(frmMAIN& main);          // panel 10
void printPages(frmMAIN& main);         // panel 11
void saveScreenshot(frmMAIN& main);     // panel 12
void sendToWordProcessor(frmMAIN& main); // panel 13

} // namespace PageOutput
