#include "shell/frmEXPINF.h"

#include "data/Session.h"
#include "exchange/InfExport.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "widgets/WaitCursor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Export Informationssystem");
}

frmEXPINF::frmEXPINF(Session& s, QProgressBar* progress, QWidget* owner)
    : QDialog(owner), m_s(s), m_progress(progress)
{
    buildControls();
    WaitCursor wait;
    m_lblAKTP1->setText(s.tr(QStringLiteral("Datensätze"), QStringLiteral("Files")));
    m_lblAKTI1->setText(m_lblAKTP1->text());
    m_lblAKTP2->setText(s.tr(QStringLiteral("des aktuellen Projektes"), QStringLiteral("from current project")));
    m_lblAKTI2->setText(m_lblAKTP2->text());
    m_lblAKTI3->setText(s.tr(QStringLiteral("im Informationssystem"), QStringLiteral("in the information system")));
    m_cmdUEBERNEHMEN->setText(s.tr(QStringLiteral("Übernehmen"), QStringLiteral("Apply")));
    m_cmdSCHLIESSEN->setText(s.tr(QStringLiteral("Schließen"), QStringLiteral("Quit")));
    showProgress(0);

    m_export = std::make_unique<InfExport>(s);
    if (!m_export->open()) {
        vb::MsgBox(QStringLiteral("Informationssystem DOLMIR ist nicht installiert!"), vb::vbExclamation, kTitle);
        if (m_progress) m_progress->setVisible(false);
        return;
    }
    fillLists();
    if (m_progress) m_progress->setVisible(false);
}

frmEXPINF::~frmEXPINF() = default;

bool frmEXPINF::installed() const { return m_export && m_export->isOpen(); }

int frmEXPINF::exec()
{
    if (!installed()) {
        done(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void frmEXPINF::buildControls()
{
    setObjectName(QStringLiteral("frmEXPINF"));
    setWindowTitle(kTitle);
    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    m_lblAKTP1 = label("lblAKTP1");
    m_lblAKTP2 = label("lblAKTP2");
    m_lblAKTI1 = label("lblAKTI1");
    m_lblAKTI2 = label("lblAKTI2");
    m_lblAKTI3 = label("lblAKTI3");
    m_fraPROJ = new QGroupBox(QStringLiteral("Aktuelles Projekt"), this);
    m_fraPROJ->setObjectName(QStringLiteral("fraPROJ"));
    m_fraINF = new QGroupBox(QStringLiteral("Informations System"), this);
    m_fraINF->setObjectName(QStringLiteral("fraINF"));
    m_lstPROJ = new QListWidget(m_fraPROJ);
    m_lstPROJ->setObjectName(QStringLiteral("lstPROJ"));
    m_lstINF = new QListWidget(m_fraINF);
    m_lstINF->setObjectName(QStringLiteral("lstINF"));
    // The right list's selection follows lstINF_Click alone (mouse only), so
    // that a second click on the selected entry can clear it.
    m_lstINF->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstINF->setFocusPolicy(Qt::NoFocus);

    auto* left = new QVBoxLayout(m_fraPROJ);
    left->addWidget(m_lblAKTP1);
    left->addWidget(m_lblAKTP2);
    left->addWidget(m_lstPROJ);
    auto* right = new QVBoxLayout(m_fraINF);
    right->addWidget(m_lblAKTI1);
    right->addWidget(m_lblAKTI2);
    right->addWidget(m_lblAKTI3);
    right->addWidget(m_lstINF);

    m_cmdUEBERNEHMEN = new QPushButton(this);
    m_cmdUEBERNEHMEN->setObjectName(QStringLiteral("cmdUEBERNEHMEN"));
    m_cmdSCHLIESSEN = new QPushButton(this);
    m_cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    for (QPushButton* b : {m_cmdUEBERNEHMEN, m_cmdSCHLIESSEN}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdUEBERNEHMEN);
    buttons->addWidget(m_cmdSCHLIESSEN);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_fraPROJ, 0, 0);
    grid->addWidget(m_fraINF, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    resize(560, 400);

    connect(m_lstINF, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { lstINF_Click(m_lstINF->row(item)); });
    connect(m_cmdUEBERNEHMEN, &QPushButton::clicked, this, [this] { cmdUEBERNEHMEN_Click(); });
    connect(m_cmdSCHLIESSEN, &QPushButton::clicked, this, &QDialog::reject);
}

void frmEXPINF::showProgress(int value)
{
    if (!m_progress) return;
    m_progress->setVisible(true);
    m_progress->setValue(std::clamp(value, m_progress->minimum(), m_progress->maximum()));
}

void frmEXPINF::fillLists()
{
    m_infSelected = -1;
    m_lstPROJ->clear();
    m_lstINF->clear();
    const QVector<RecordLine> project = m_export->projectRecords();
    showProgress(50);
    const QVector<RecordLine> inf = m_export->infRecords();
    showProgress(100);
    for (const auto& [list, lines] : {std::pair{m_lstPROJ, &project}, std::pair{m_lstINF, &inf}})
        for (const RecordLine& l : *lines) (new QListWidgetItem(l.text, list))->setData(Qt::UserRole, l.id);
}

void frmEXPINF::lstINF_Click(int row)
{
    for (int i = 0; i < m_lstINF->count(); ++i) m_lstINF->item(i)->setSelected(false);
    if (row < 0 || row >= m_lstINF->count() || row == m_infSelected) {
        m_infSelected = -1;
        m_lstINF->setCurrentRow(-1);
        return;
    }
    m_infSelected = row;
    m_lstINF->setCurrentRow(row);
    m_lstINF->item(row)->setSelected(true);
}

void frmEXPINF::cmdUEBERNEHMEN_Click()
{
    vb::OnError onError(kTitle);
    onError([&] {
        QListWidgetItem* project = m_lstPROJ->currentItem();
        if (!project || !project->isSelected()) {
            vb::MsgBox(QStringLiteral("Auswahl eines Datensatzes des aktuellen Projektes fehlt !"), vb::vbOKOnly, kTitle);
            return;
        }
        const qint32 projectId = project->data(Qt::UserRole).toInt();
        if (!m_export->hasResults(projectId)) return;
        std::optional<qint32> infId;
        if (m_infSelected >= 0) {
            if (vb::MsgBox(QStringLiteral("Ausgewählten Datensatz überschreiben ?"), vb::vbYesNo | vb::vbQuestion, kTitle) == vb::vbNo)
                return;
            infId = m_lstINF->item(m_infSelected)->data(Qt::UserRole).toInt();
        } else if (vb::MsgBox(QStringLiteral("Neuen Datensatz anlegen ?"), vb::vbYesNo | vb::vbQuestion, kTitle) == vb::vbNo) {
            return;
        }
        WaitCursor wait;
        const std::optional<qint32> written = m_export->exportRecord(projectId, infId);
        // The new entry appears only once the information system holds it.
        if (written && !infId) (new QListWidgetItem(project->text(), m_lstINF))->setData(Qt::UserRole, *written);
        if (written && infId) m_lstINF->item(m_infSelected)->setText(project->text());
    });
}

void frmEXPINF::done(int result)
{
    m_export.reset();
    if (m_progress) m_progress->setVisible(false);
    QDialog::done(result);
}
