#pragma once
// The batch command "talpex-batch print PROJECT_DB (--record KEN |
// --records KEN,KEN,...) --pdf OUT.pdf [--presets PRESETS_DB]": the result
// page of one record (Seite 1) or the multiple page of several records printed
// into a PDF file without a window, through the pages' own printing. It works
// on a temporary copy, evaluating first what has no valid results, so the
// project file itself is never changed. Draws without a window: a
// QGuiApplication (the offscreen platform will do) is enough.
#include "batch/BatchRun.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QTextStream;
class PageDrawer;
class Session;

class BatchPrint : public BatchExit {
public:
    // Builds the loaded page on the session's active record(s): Seite 1, or
    // the multiple page when multiple is true. nullptr when it cannot.
    using PageFactory = std::function<std::unique_ptr<PageDrawer>(Session& s, bool multiple)>;

    // args: the command-line arguments after the program name. A message box
    // is told on stderr and fails the run.
    static int run(const QStringList& args, QTextStream& out, QTextStream& err, const PageFactory& pages = {});
    static QString usage();
    // The program's own result pages.
    static std::unique_ptr<PageDrawer> resultPage(Session& s, bool multiple);
};
