#include "shell/frmEXPIMP.h"

#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "exchange/RecordCopy.h"
#include "widgets/FolderList.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "shell/ModalTag.h"
#include "widgets/WaitCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString canonical(const QString& path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : c;
}
} // namespace

frmEXPIMP::frmEXPIMP(Session& s, QWidget* owner) : QDialog(owner), m_s(s)
{
    buildControls();
    vb::OnError onError(QStringLiteral("Export/Import"));
    onError([&] {
        WaitCursor wait;
        const QString projectDirectory = QFileInfo(s.PROJEKTSPFAD + QLatin1Char('/') + s.PROJEKT).absolutePath();
        m_fraIMP->setTitle(s.tr(QStringLiteral("Aktuelles Projekt: "), QStringLiteral("Selected Projekt: ")) + s.PROJEKT);
        m_fraEXP->setTitle(s.tr(QStringLiteral("Externes Projekt"), QStringLiteral("External Project")));
        m_cmdSCHLIESSEN->setText(s.tr(QStringLiteral("Schließen"), QStringLiteral("Quit")));
        m_drvEXP->setDrive(projectDirectory);
        m_dirEXP->setRoot(m_drvEXP->Drive());
        m_dirEXP->setPath(projectDirectory);
        fill(m_lstIMP, s.cnnX);
        m_opened = false;
    });
}

frmEXPIMP::~frmEXPIMP() = default;

void frmEXPIMP::buildControls()
{
    setObjectName(QStringLiteral("frmEXPIMP"));
    setWindowTitle(QStringLiteral("Export/Import"));
    m_drvEXP = new vb::DriveListBox(m_s.PROJEKTSPFAD, this);
    m_drvEXP->setObjectName(QStringLiteral("drvEXP"));
    m_dirEXP = new vb::DirListBox(this);
    m_dirEXP->setObjectName(QStringLiteral("dirEXP"));
    m_fraIMP = new QGroupBox(this);
    m_fraIMP->setObjectName(QStringLiteral("fraIMP"));
    m_fraEXP = new QGroupBox(this);
    m_fraEXP->setObjectName(QStringLiteral("fraEXP"));
    m_lstIMP = new QListWidget(m_fraIMP);
    m_lstIMP->setObjectName(QStringLiteral("lstIMP"));
    m_lstEXP = new QListWidget(m_fraEXP);
    m_lstEXP->setObjectName(QStringLiteral("lstEXP"));
    for (QListWidget* l : {m_lstIMP, m_lstEXP}) l->setSelectionMode(QAbstractItemView::MultiSelection);
    (new QVBoxLayout(m_fraIMP))->addWidget(m_lstIMP);
    (new QVBoxLayout(m_fraEXP))->addWidget(m_lstEXP);
    m_cmdEXP = new QPushButton(QStringLiteral("Export >>"), this);
    m_cmdEXP->setObjectName(QStringLiteral("cmdEXP"));
    m_cmdIMP = new QPushButton(QStringLiteral("<< Import"), this);
    m_cmdIMP->setObjectName(QStringLiteral("cmdIMP"));
    m_cmdSCHLIESSEN = new QPushButton(QStringLiteral("Schließen"), this);
    m_cmdSCHLIESSEN->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    for (QPushButton* b : {m_cmdEXP, m_cmdIMP, m_cmdSCHLIESSEN}) b->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdEXP);
    buttons->addWidget(m_cmdIMP);
    buttons->addStretch();
    auto* other = new QVBoxLayout;
    other->addWidget(m_drvEXP);
    other->addWidget(m_dirEXP, 2);
    other->addWidget(m_fraEXP, 3);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_fraIMP, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addLayout(other, 0, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_cmdSCHLIESSEN);
    grid->addLayout(bottom, 1, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    resize(720, 480);

    connect(m_drvEXP, &vb::DriveListBox::Change, this, [this](const QString& drive) {
        m_dirEXP->setRoot(drive);
        m_dirEXP->setPath(drive);
    });
    connect(m_dirEXP, &vb::DirListBox::Change, this, [this](const QString& folder) { dirEXP_Change(folder); });
    connect(m_cmdEXP, &QPushButton::clicked, this, [this] { cmdEXP_Click(); });
    connect(m_cmdIMP, &QPushButton::clicked, this, [this] { cmdIMP_Click(); });
    connect(m_cmdSCHLIESSEN, &QPushButton::clicked, this, &QDialog::reject);
}

void frmEXPIMP::fill(QListWidget* list, ado::Connection& cnn)
{
    list->clear();
    const QVector<RecordLine> lines = RecordCopy::recordLines(cnn);
    if (lines.isEmpty()) {
        list->addItem(QStringLiteral("<leer>")); // refers to no record: carries no ID
        return;
    }
    for (const RecordLine& l : lines) {
        auto* item = new QListWidgetItem(l.text, list);
        item->setData(Qt::UserRole, l.id);
    }
}

bool frmEXPIMP::isOwnProject(const QString& database) const
{
    // Writing into the project's own file would be undone by the next Save.
    const QString c = canonical(database);
    return c == canonical(m_s.projectDatabasePath()) || c == canonical(m_s.XMDBPFAD());
}

void frmEXPIMP::closeOther()
{
    m_other.reset();
    m_lstEXP->clear();
    m_fraEXP->setTitle(m_s.tr(QStringLiteral("Externes Projekt"), QStringLiteral("External Project")));
}

void frmEXPIMP::dirEXP_Change(const QString& folder)
{
    // The project chosen before is not the other side any more, whatever this folder holds.
    closeOther();
    vb::OnError onError(QStringLiteral("Export/Import"));
    onError([&] {
        const QString database = folder + QLatin1Char('/') + schema::kProgramTitle + QStringLiteral(".mdb");
        if (!QFileInfo(database).isFile() || isOwnProject(database)) return;
        WaitCursor wait;
        auto cnn = std::make_unique<ado::Connection>();
        cnn->Open(ado::Connection::connectionString(database));
        schema::upgradeProject(*cnn);
        fill(m_lstEXP, *cnn);
        // Only a database whose records could be listed becomes the other side.
        m_other = std::move(cnn);
        m_opened = true;
        m_fraEXP->setTitle(m_s.tr(QStringLiteral("Projekt "), QStringLiteral("Project ")) + QFileInfo(folder).fileName());
    });
    if (!m_other) m_lstEXP->clear();
}

bool frmEXPIMP::otherProjectChosen() const
{
    if (m_other && m_other->isOpen()) return true;
    vb::MsgBox(m_s.tr(QStringLiteral("Kein externes Projekt ausgewählt!"), QStringLiteral("No external project chosen!")),
               vb::vbOKOnly | vb::vbExclamation, QStringLiteral("Export/Import"));
    return false;
}

void frmEXPIMP::copy(QListWidget* from, ado::Connection& source, ado::Connection& target, QListWidget* into)
{
    QVector<qint32> ids;
    for (int i = 0; i < from->count(); ++i) {
        const QVariant id = from->item(i)->data(Qt::UserRole);
        if (from->item(i)->isSelected() && id.isValid()) ids.append(id.toInt());
    }
    if (ids.isEmpty()) return;
    WaitCursor wait;
    RecordCopy(m_s, source, target).copy(ids);
    vb::OnError onError(QStringLiteral("Export/Import"));
    onError([&] { fill(into, target); });
}

void frmEXPIMP::cmdEXP_Click()
{
    if (otherProjectChosen()) copy(m_lstIMP, m_s.cnnX, *m_other, m_lstEXP);
}

void frmEXPIMP::cmdIMP_Click()
{
    if (!otherProjectChosen()) return;
    copy(m_lstEXP, *m_other, m_s.cnnX, m_lstIMP);
    m_opened = true;
}

void frmEXPIMP::done(int result)
{
    if (!m_unloaded) {
        m_unloaded = true;
        if (m_opened) {
            if (m_other) m_other->Close();
            m_s.TAG = ModalTag::kOK;
        }
        m_other.reset();
    }
    QDialog::done(result);
}
