#include "pagewindows/frmKONTEXTBase.h"

#include "data/Session.h"
#include "pagewindows/ResultPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

frmKONTEXTBase::frmKONTEXTBase(ResultPage* page, QWidget* owner) : QDialog(owner), m_page(page)
{
    setFont(QFont(QStringLiteral("Arial"), 9));
    setModal(true);
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdABBRECHEN = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cmdABBRECHEN, &QPushButton::clicked, this, [this] { cmdABBRECHEN_Click(); });
}

QLayout* frmKONTEXTBase::buttonRow()
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_cmdOK);
    row->addWidget(m_cmdABBRECHEN);
    return row;
}

QLayout* frmKONTEXTBase::k10Caption(QCheckBox* chk, QLabel*& lblK, QLabel*& lbl10)
{
    lblK = new QLabel(QStringLiteral("k"), this);
    lblK->setObjectName(QStringLiteral("lblK"));
    lbl10 = new QLabel(QStringLiteral("10"), this);
    lbl10->setObjectName(QStringLiteral("lbl10"));
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.75);
    lbl10->setFont(small);
    lbl10->setContentsMargins(0, 6, 0, 0);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(chk);
    row->addWidget(lblK, 0, Qt::AlignVCenter);
    row->addWidget(lbl10, 0, Qt::AlignVCenter);
    row->addStretch();
    return row;
}

QCheckBox* frmKONTEXTBase::logK10Box(const Session& s)
{
    auto* chk = new QCheckBox(s.tr(QStringLiteral("k₁₀ logarithmisch"), QStringLiteral("logarithmic k₁₀ axis")), this);
    chk->setObjectName(QStringLiteral("chkLOGK10"));
    return chk;
}

void frmKONTEXTBase::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous()) place();
}

void frmKONTEXTBase::place()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - frameGeometry().width()) / 2, area.y() + area.height() / 10);
}

void frmKONTEXTBase::redraw(const QStringList& names)
{
    if (!m_page) return;
    for (const PageDrawer::Diagram& d : m_page->diagrams())
        if (names.contains(d.name) && d.draw) d.draw(0, 0, 0, nullptr);
}
