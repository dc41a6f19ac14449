#include "RecordFixture.h"

#include "data/Ado.h"
#include "shell/Commands.h"
#include "shell/InputMode.h"
#include "shell/ModalTag.h"
#include "shell/RecordCommands.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

StandInInputForm::StandInInputForm(Log& log) : m_log(log)
{
    m_widget = new QWidget;
    m_widget->setObjectName(QStringLiteral("mdiEINGABE"));
    m_txtKEN = new QLineEdit(m_widget);
    m_txtKEN->setObjectName(QStringLiteral("txtKEN"));
    (new QVBoxLayout(m_widget))->addWidget(m_txtKEN);
}

QWidget* StandInInputForm::widget() { return m_widget; }

void StandInInputForm::OEFFNEN(long id)
{
    m_log.opened.append(id);
    ado::Recordset rs(QStringLiteral("SELECT [KEN] FROM [E1] WHERE [ID]=%1").arg(id), session().cnnX);
    if (!rs.Eof()) m_txtKEN->setText(rs.Value(QStringLiteral("KEN")).toString());
}

bool StandInInputForm::OK(long id)
{
    ado::Connection& cnn = session().cnnX;
    ado::Recordset e1(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=%1").arg(id), cnn);
    if (e1.Eof()) {
        e1.AddNew();
        e1.setValue(QStringLiteral("ID"), static_cast<int>(id));
    }
    e1.setValue(QStringLiteral("KEN"), m_txtKEN->text());
    e1.setValue(QStringLiteral("AKT"), true);
    e1.Update();
    cnn.Execute(QStringLiteral("DELETE FROM [E2] WHERE [ID]=%1").arg(id));
    cnn.Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H]) VALUES (%1, 100)").arg(id));
    m_log.stored.append(id);
    return !m_log.failOK;
}

QString StandInInputForm::KEN() const { return m_txtKEN->text(); }

RecordFixture::RecordFixture(const QString& programDir) : fi(programDir)
{
    Commands::clear();
    RecordCommands::registerAll();
    RecordInputForm::setFactory([this](frmMAIN&) { return std::make_unique<StandInInputForm>(formLog); });
    // The real dialog, with the next scripted action once it is on screen.
    Commands::setDialog(QStringLiteral("frmAUSWAHL"), [this](QWidget* owner) {
        auto* dlg = new frmAUSWAHL(fi.session, owner);
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
    RecordInputForm::setFactory({});
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
    ado::Recordset rs(QStringLiteral("SELECT * FROM [E1]"), cnn());
    rs.AddNew();
    rs.setValue(QStringLiteral("ID"), static_cast<int>(id));
    rs.setValue(QStringLiteral("KEN"), ken);
    if (!kom.isNull()) rs.setValue(QStringLiteral("KOM"), kom);
    rs.setValue(QStringLiteral("AKT"), akt);
    rs.Update();
    cnn().Execute(QStringLiteral("INSERT INTO [E2] ([ID],[H]) VALUES (%1, 50)").arg(id));
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

StandInInputForm* RecordFixture::inputForm()
{
    return static_cast<StandInInputForm*>(InputMode::of(*m_main).form());
}
