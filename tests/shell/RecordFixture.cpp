#include "RecordFixture.h"

#include "common/TestSupport.h"
#include "data/Ado.h"
#include "shell/Commands.h"
#include "shell/EingabeForm.h"
#include "shell/InputMode.h"
#include "shell/ModalTag.h"
#include "shell/RecordCommands.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

RecordFixture::RecordFixture(const QString& programDir) : fi(programDir)
{
    Commands::clear();
    RecordCommands::registerAll();
    ado::Connection presets;
    presets.OpenFile(fi.dataFolder() + QStringLiteral("/VORGABE.mdb"));
    presets.Execute(QStringLiteral("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F]) VALUES (0,'Typ A',100,20,4)"));
    // The real dialog, with the next scripted action once it is on screen.
    Commands::setDialog(QStringLiteral("frmAUSWAHL"), [this](frmMAIN& owner) {
        auto* dlg = new frmAUSWAHL(fi.session, &owner);
        if (!m_script.isEmpty()) {
            auto action = m_script.takeFirst();
            QTimer::singleShot(0, dlg, [dlg, action] { action(*dlg); });
        }
        return dlg;
    });
}

RecordFixture::~RecordFixture()
{
    if (m_main) {
        fi.ui->answer(vb::vbNo);
        m_main->closeAs(vbAppWindows);
        m_main.reset();
    }
    Commands::clear();
}

frmMAIN& RecordFixture::start(const QString& language)
{
    fi.sys->language = language;
    m_main = std::make_unique<frmMAIN>(fi.session);
    if (!m_main->load()) throw std::runtime_error("start-up failed");
    return *m_main;
}

void RecordFixture::addRecord(long id, const QString& ken, bool akt, const QString& kom)
{
    testsupport::addRecord(cnn(), id, ken, akt, kom);
    cnn().Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H],[STRO],[N]) VALUES (%1, 50, 'Typ A', 1)").arg(id));
}

void RecordFixture::addEvaluated(long id, bool boneu)
{
    cnn().Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (%1, %2)").arg(id).arg(boneu ? 1 : 0));
}

void RecordFixture::addMultipleEvaluation()
{
    addRecord(0, QStringLiteral("M"), false, QStringLiteral("Mehrfachauswertung"));
    addEvaluated(0, false);
    cnn().Execute(QStringLiteral("INSERT INTO [M1] ([IDM],[KOM]) VALUES (1, 'alt')"));
}

int RecordFixture::count(const QString& sql)
{
    ado::Recordset rs(sql, cnn());
    return static_cast<int>(rs.RecordCount());
}

QList<long> RecordFixture::activeIds()
{
    ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true ORDER BY [ID]"), cnn());
    QList<long> ids;
    for (; !rs.Eof(); rs.MoveNext()) ids.append(rs.Value(0).toInt());
    return ids;
}

void RecordFixture::onSelection(std::function<void(frmAUSWAHL&)> action) { m_script.append(std::move(action)); }

void RecordFixture::clickLine(frmAUSWAHL& dlg, int row)
{
    QListWidget* list = dlg.lstKEN();
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

std::function<void(frmAUSWAHL&)> RecordFixture::choose(const QStringList& kens)
{
    return [kens](frmAUSWAHL& dlg) {
        QListWidget* list = dlg.lstKEN();
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->isSelected() != kens.contains(list->item(row)->text())) clickLine(dlg, row);
        dlg.cmdOK()->click();
    };
}

void RecordFixture::trigger(const QString& item) { m_main->menuItem(item)->trigger(); }

mdiEINGABE* RecordFixture::inputForm()
{
    auto* form = dynamic_cast<EingabeForm*>(InputMode::of(*m_main).form());
    return form ? form->form() : nullptr;
}
