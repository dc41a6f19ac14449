#include "shell/MultipleEvaluation.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "evaluation/EvaluationRows.h"
#include "pagewindows/mdiMSEITE1.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "shell/Commands.h"
#include "shell/EvaluationCommands.h"
#include "shell/MenuTree.h"
#include "widgets/WaitCursor.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QPointer>
#include <memory>
#include <optional>

namespace MultipleEvaluation {

namespace {

const QString kItem = QStringLiteral("mnuMBERECHNEN");

// The header row of the multiple evaluation; its comment is asked for once,
// when the row is created.
void ensureHeaderRow(Session& s)
{
    EvaluationRows::ensureMultipleHeader(s.cnnX, [&s] {
        return vb::InputBox(s.tr(QStringLiteral("Kommentar: "), QStringLiteral("Comment: ")),
                            s.tr(QStringLiteral("Mehrfachauswertung"), QStringLiteral("Mulitple Calculation")))
            .value_or(QString());
    });
}

void reportRecordsWithoutResults(frmMAIN& main, const mdiMSEITE1& page, const QString& title)
{
    const QStringList missing = page.drawer().recordsWithoutResults();
    if (missing.isEmpty()) return;
    const QString list = missing.join(QStringLiteral(", "));
    Session& s = main.session();
    vb::MsgBox(s.tr(QStringLiteral("Für folgende Datensätze liegen keine Ergebnisse vor: ") + list +
                        QStringLiteral("\nSie werden nicht dargestellt."),
                    QStringLiteral("There are no results for the following files: ") + list +
                        QStringLiteral("\nThey are not shown.")),
               vb::vbInformation, title);
}

} // namespace

void registerAll() { Commands::setHandler(kItem, mnuMBERECHNEN_Click); }

void mnuMBERECHNEN_Click(frmMAIN& main)
{
    Session& s = main.session();
    const QString title = MenuTree::plainCaption(main.caption(kItem));
    vb::OnError onError(title);
    // Asked before the hourglass appears: the user types here.
    if (!onError([&] { ensureHeaderRow(s); })) return;

    WaitCursor wait;
    EvaluationCommands::MainDisabled disabled(main);
    EvaluationCommands::showProgress(main, true);

    // owned here until the main window shows it
    std::unique_ptr<mdiMSEITE1> page;
    onError([&] {
        page = std::make_unique<mdiMSEITE1>(s);
        EvaluationCommands::connectResultPage(main, page.get());
        page->Form_Load();
    });
    // a page not drawn whole has found no limits to keep: nothing is marked or shown
    if (!page || !page->loaded()) {
        EvaluationCommands::showProgress(main, false);
        return;
    }
    if (!onError([&] { EvaluationCommands::finishProgress(main); })) return;
    if (!onError([&] { EvaluationRows::markEvaluated(s.cnnX, 0); })) return;
    disabled.end();
    // shown as every result page is, with panels 10 to 15
    QPointer<mdiMSEITE1> shown = page.get();
    if (!onError([&] { EvaluationCommands::showLoadedPage(main, std::move(page)); })) return;
    s.GEAENDERT = true;
    main.setMenuEnabled(QStringLiteral("mnuDATEI"), false);
    main.setMenuEnabled(QStringLiteral("mnuEXTRAS"), false);
    if (shown) reportRecordsWithoutResults(main, *shown, title);
}

} // namespace MultipleEvaluation
