#include "pagewindows/mdiSEITE1.h"

#include "widgets/ScrollBarControl.h"

#include <QScrollBar>

mdiSEITE1::mdiSEITE1(Session& s, QWidget* parent)
    : ResultPage(std::make_unique<Seite1Drawer>(s), parent), m_vsc13(new QScrollBar(Qt::Vertical, picBILD13()))
{
    setObjectName(QStringLiteral("mdiSEITE1"));
    Tag = QStringLiteral("Seite 1");
    setWindowTitle(Tag);
    m_vsc13->setObjectName(QStringLiteral("vscBILD13"));
    m_vsc13->hide();
    m_vsc13Control = std::make_unique<ScrollBarControl>(m_vsc13);
    drawer().setTableScrollBar(m_vsc13Control.get());
    connect(m_vsc13, &QScrollBar::valueChanged, this, [this] { drawer().BILD13(); });
}

mdiSEITE1::~mdiSEITE1() { drawer().setTableScrollBar(nullptr); }
