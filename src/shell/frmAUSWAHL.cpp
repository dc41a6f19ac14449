#include "shell/frmAUSWAHL.h"

#include "data/Session.h"
#include "platform/OnError.h"
#include "shell/ModalTag.h"
#include "shell/RecordSelection.h"
#include "widgets/WaitCursor.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

frmAUSWAHL::frmAUSWAHL(Session& s, QWidget* owner) : QDialog(owner), m_s(s)
{
    setObjectName(QStringLiteral("frmAUSWAHL"));
    setWindowTitle(QStringLiteral("Auswahl"));
    setFont(QFont(QStringLiteral("Arial"), 9));
    m_lstKEN = new QListWidget(this);
    m_lstKEN->setObjectName(QStringLiteral("lstKEN"));
    m_lstKEN->setSelectionMode(QAbstractItemView::MultiSelection);
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdABBRECHEN);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_lstKEN, 1);
    layout->addLayout(buttons);
    resize(320, 280);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmAUSWAHL::cmdOK_Click);
    connect(m_cmdABBRECHEN, &QPushButton::clicked, this, &frmAUSWAHL::cmdABBRECHEN_Click);
    connect(m_lstKEN->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmAUSWAHL::lstKEN_Click);
}

frmAUSWAHL::~frmAUSWAHL() = default;

void frmAUSWAHL::showEvent(QShowEvent* e)
{
    // Loaded when shown, after the caller has written the mode into the tag.
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QDialog::showEvent(e);
}

void frmAUSWAHL::Form_Load()
{
    m_selection = std::make_unique<RecordSelection>(m_s.cnnX, m_s.TAG, m_s.SPRACHE);
    setWindowTitle(m_selection->caption());
    m_cmdABBRECHEN->setText(m_selection->cancelCaption());

    vb::OnError onError(m_selection->caption());
    onError([&] {
        WaitCursor wait;
        m_selection->load();
        const QSignalBlocker block(m_lstKEN->selectionModel());
        for (const RecordSelection::Line& line : m_selection->lines()) {
            auto* item = new QListWidgetItem(line.ken, m_lstKEN);
            item->setToolTip(line.comment);
        }
        showSelection();
    });
    if (const QWidget* owner = parentWidget()) {
        const QRect inner = owner->geometry();
        move(inner.x() + inner.width() / 5, inner.y() + (inner.height() - height()) / 3);
    }
}

void frmAUSWAHL::showSelection()
{
    const QSignalBlocker block(m_lstKEN->selectionModel());
    const auto& lines = m_selection->lines();
    for (int i = 0; i < lines.size() && i < m_lstKEN->count(); ++i) m_lstKEN->item(i)->setSelected(lines[i].selected);
}

void frmAUSWAHL::lstKEN_Click(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (!m_selection) return;
    vb::OnError onError(m_selection->caption());
    for (const auto& [range, state] : {std::pair{selected, true}, std::pair{deselected, false}})
        for (const QModelIndex& index : range.indexes())
            if (!onError([&] { m_selection->click(index.row(), state); })) break;
    m_lstKEN->setToolTip(m_selection->toolTip());
    showSelection();
}

void frmAUSWAHL::cmdOK_Click()
{
    vb::OnError onError(windowTitle());
    WaitCursor wait;
    if (m_selection && !onError([&] { m_selection->save(); })) return;
    ModalTag::finish(this, m_s, ModalTag::kOK);
}

void frmAUSWAHL::cmdABBRECHEN_Click() { ModalTag::finish(this, m_s, ModalTag::kCancel); }
