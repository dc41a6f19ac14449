#include "shell/StatusBar.h"

#include "platform/System.h"
#include "shell/StatusPanels.h"

#include <QLabel>
#include <QMouseEvent>

StatusBar::StatusBar(StatusPanels& panels, QWidget* parent) : QStatusBar(parent), m_panels(panels)
{
    setObjectName(QStringLiteral("stbMAIN"));
    setSizeGripEnabled(true);
    for (int n = 1; n <= StatusPanels::kCount; ++n) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("stbMAIN_%1").arg(n));
        label->setMargin(2);
        if (n == StatusPanels::kSpacer) {
            addWidget(label, 1);
        } else {
            addWidget(label, 0);
            label->setAlignment(StatusPanels::isCommand(n) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        }
        m_labels.append(label);
    }
    for (int n = 1; n <= StatusPanels::kCount; ++n) refresh(n);
    equaliseCommandWidths();
    connect(&m_panels, &StatusPanels::changed, this, [this](int n) {
        refresh(n);
        if (StatusPanels::isCommand(n)) equaliseCommandWidths();
    });
}

void StatusBar::refresh(int n)
{
    QLabel* label = m_labels.value(n - 1);
    if (!label) return;
    const PanelState& p = m_panels.panel(n);
    label->setText(p.text);
    label->setToolTip(p.toolTip);
    if (n == StatusPanels::kSpacer) label->setFrameStyle(QFrame::NoFrame);
    else if (StatusPanels::isCommand(n)) label->setFrameStyle(QFrame::Panel | (p.pressed ? QFrame::Sunken : QFrame::Raised));
    else label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setVisible(p.visible);
}

void StatusBar::equaliseCommandWidths()
{
    int width = 0;
    for (int n = StatusPanels::kFirstCommand; n <= StatusPanels::kCount; ++n)
        width = qMax(width, m_labels[n - 1]->fontMetrics().horizontalAdvance(m_panels.text(n)));
    width += 24;
    for (int n = StatusPanels::kFirstCommand; n <= StatusPanels::kCount; ++n) m_labels[n - 1]->setFixedWidth(width);
}

int StatusBar::panelAt(int x) const
{
    for (int n = 1; n <= StatusPanels::kCount; ++n) {
        const QLabel* label = m_labels[n - 1];
        if (!label->isVisible()) continue;
        const QRect g = label->geometry();
        if (x >= g.left() && x <= g.left() + g.width()) return n;
    }
    return 0;
}

void StatusBar::mousePressEvent(QMouseEvent* e)
{
    const int x = qRound(e->position().x());
    bool pressed = false;
    for (int n = StatusPanels::kFirstCommand; n <= StatusPanels::kCount; ++n) {
        const QLabel* label = m_labels[n - 1];
        if (!label->isVisible()) continue;
        const QRect g = label->geometry();
        if (x >= g.left() && x <= g.left() + g.width()) {
            m_panels.setPressed(n, true);
            pressed = true;
        }
    }
    if (pressed) {
        repaint();
        vb::Sleep(250); // lets the user see the pressed look
    }
    QStatusBar::mousePressEvent(e);
}

void StatusBar::mouseReleaseEvent(QMouseEvent* e)
{
    QStatusBar::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    const int n = panelAt(qRound(e->position().x()));
    if (n > 0) emit panelClick(n);
    // A press that ended elsewhere leaves no panel looking pressed.
    for (int c = StatusPanels::kFirstCommand; c <= StatusPanels::kCount; ++c) m_panels.setPressed(c, false);
}
