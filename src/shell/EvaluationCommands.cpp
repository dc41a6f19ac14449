#include "shell/EvaluationCommands.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "evaluation/EvaluationRows.h"
#include "evaluation/clsBERECHNEN.h"
#include "pagewindows/mdiSEITE1.h"
#include "platform/OnError.h"
#include "platform/System.h"
#include "shell/Commands.h"
#include "shell/MenuTree.h"
#include "shell/SummaryExport.h"
#include "widgets/WaitCursor.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <memory>

namespace EvaluationCommands {

namespace {

constexpr int kShowFinishedMs = 1500;

vb::OnError onErrorOf(frmMAIN& main, const QString& item)
{
    return vb::OnError(MenuTree::plainCaption(main.caption(item)));
}

// A page on the results has been shown and finished: GEAENDERT.
void pageShown(frmMAIN& main) { main.session().GEAENDERT = true; }

std::unique_ptr<mdiSEITE1> loadPage(frmMAIN& main)
{
    auto page = std::make_unique<mdiSEITE1>(main.session());
    connectResultPage(main, page.get());
    page->Form_Load();
    vb::DoEvents();
    return page;
}

} // namespace

void registerAll()
{
    Commands::setHandler(QStringLiteral("mnuAUSWERTEN"), mnuAUSWERTEN_Click);
    Commands::setHandler(QStringLiteral("mnuBERECHNEN"), mnuBERECHNEN_Click);
    Commands::setHandler(QStringLiteral("mnuNEUBERECHNEN"), mnuNEUBERECHNEN_Click);
    Commands::setHandler(QStringLiteral("mnuUEBERSICHT"), SummaryExport::mnuUEBERSICHT_Click);
}

MainDisabled::MainDisabled(frmMAIN& main) : m_main(&main) { main.setEnabled(false); }

MainDisabled::~MainDisabled() { end(); }

void MainDisabled::end()
{
    if (m_main) m_main->setEnabled(true);
}

void showProgress(frmMAIN& main, bool on)
{
    if (QProgressBar* bar = main.pgbBERECHNEN()) {
        bar->setVisible(on);
        if (!on) bar->setValue(0);
    }
}

void setProgress(frmMAIN& main, int value)
{
    if (QProgressBar* bar = main.pgbBERECHNEN()) bar->setValue(value);
}

void finishProgress(frmMAIN& main)
{
    setProgress(main, 100);
    vb::DoEvents();
    vb::Sleep(kShowFinishedMs);
    showProgress(main, false);
}

void connectResultPage(frmMAIN& main, ResultPage* page)
{
    QPointer<frmMAIN> m(&main);
    page->progress = [m](int value) {
        if (m) setProgress(*m, value);
    };
    page->panelCommand = [m](int panel) {
        if (m) m->stbMAIN_PanelClick(panel);
    };
    page->quitCommand = [m] {
        if (m)
            if (QAction* quit = m->menuItem(QStringLiteral("mnuBEENDEN"))) quit->trigger();
    };
    page->helpCommand = [m] {
        if (m)
            if (QAction* help = m->menuItem(QStringLiteral("mnuHILFE"))) help->trigger();
    };
    page->activated = [m] {
        if (m) m->panels().setVisible(10, false);
    };
    if (QMdiArea* area = main.mdiArea()) page->resize(area->viewport()->size());
}

QMdiSubWindow* showResultPage(frmMAIN& main, ResultPage* page)
{
    QMdiSubWindow* sub = main.showChild(page);
    // no File menu while a result page is shown, however it came up
    main.setMenuEnabled(QStringLiteral("mnuDATEI"), false);
    for (int panel = 10; panel <= 15; ++panel) {
        main.panels().setVisible(panel, true);
        main.panels().setPressed(panel, false);
    }
    return sub;
}

bool showLoadedPage(frmMAIN& main, std::unique_ptr<ResultPage> page)
{
    // a page whose building failed is dropped: nothing of it is shown
    if (!page || !page->loaded()) return false;
    showResultPage(main, page.release());
    return true;
}

void mnuAUSWERTEN_Click(frmMAIN& main)
{
    WaitCursor wait;
    ado::Connection& cnnX = main.session().cnnX;
    auto enable = [&main](const char* item, bool on) { main.setMenuEnabled(QString::fromLatin1(item), on); };
    const QVector<qint32> active = EvaluationRows::activeRecords(cnnX);

    if (active.isEmpty()) {
        for (const char* item : {"mnuEINGABEGRAFIK", "mnuBERECHNEN", "mnuMBERECHNEN", "mnuFBERECHNEN", "mnuNEUBERECHNEN"})
            enable(item, false);
    } else if (active.size() == 1) {
        if (EvaluationRows::ensureResultRow(cnnX, active.first())) {
            enable("mnuBERECHNEN", false);
            enable("mnuFBERECHNEN", false);
        } else {
            enable("mnuBERECHNEN", true);
        }
        enable("mnuMBERECHNEN", false);
        enable("mnuNEUBERECHNEN", true);
    } else {
        enable("mnuEINGABEGRAFIK", false);
        enable("mnuBERECHNEN", false);
        EvaluationRows::ensureMultipleRecord(cnnX);
        enable("mnuMBERECHNEN", true);
        enable("mnuFBERECHNEN", false);
        enable("mnuNEUBERECHNEN", false);
    }
}

void mnuBERECHNEN_Click(frmMAIN& main)
{
    vb::OnError onError = onErrorOf(main, QStringLiteral("mnuBERECHNEN"));
    WaitCursor wait;
    MainDisabled disabled(main);
    std::unique_ptr<mdiSEITE1> page;
    if (!onError([&] {
            showProgress(main, true);
            vb::DoEvents();
        }))
        return;
    if (!onError([&] { page = loadPage(main); })) return;
    disabled.end();
    bool shown = false;
    if (!onError([&] { shown = showLoadedPage(main, std::move(page)); })) return;
    if (!onError([&] { finishProgress(main); })) return;
    if (shown) onError([&] { pageShown(main); });
}

void mnuNEUBERECHNEN_Click(frmMAIN& main)
{
    vb::OnError onError = onErrorOf(main, QStringLiteral("mnuNEUBERECHNEN"));
    ado::Connection& cnnX = main.session().cnnX;
    MainDisabled disabled(main);
    qint32 id = 0;
    if (!onError([&] { showProgress(main, true); })) return;
    if (!onError([&] {
            const QVector<qint32> ids = EvaluationRows::activeRecords(cnnX, true);
            if (!ids.isEmpty()) id = ids.first();
        }))
        return;
    if (!onError([&] { EvaluationRows::markNotEvaluated(cnnX, id); })) return;

    vb::DoEvents();
    WaitCursor wait;
    bool evaluated = false;
    if (!onError([&] {
            clsBERECHNEN calc(main.session(), [&main](int value) { setProgress(main, value); });
            evaluated = calc.BERECHNUNG();
        }))
        return;
    if (!evaluated) {
        // the evaluation has told the user; the record stays not evaluated
        disabled.end();
        showProgress(main, false);
        return;
    }

    std::unique_ptr<mdiSEITE1> page;
    vb::DoEvents();
    if (!onError([&] { page = loadPage(main); })) return;
    disabled.end();
    bool shown = false;
    if (!onError([&] {
            shown = showLoadedPage(main, std::move(page));
            vb::DoEvents();
        }))
        return;
    // without a page drawn from them the limits are still to be found
    if (shown && !onError([&] { EvaluationRows::markEvaluated(cnnX, id); }))
        return;
    if (!onError([&] { finishProgress(main); })) return;
    if (shown) onError([&] { pageShown(main); });
}

} // namespace EvaluationCommands
