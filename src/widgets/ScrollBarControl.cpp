#include "widgets/ScrollBarControl.h"

#include "graphics/Surface.h"

#include <QSignalBlocker>
#include <cmath>

void ScrollBarControl::resetQuietly()
{
    if (!m_bar) return;
    const QSignalBlocker quiet(m_bar.data());
    m_bar->setValue(0);
    m_bar->setVisible(false);
}

void ScrollBarControl::hide()
{
    if (m_bar) m_bar->setVisible(false);
}

void ScrollBarControl::show(const gfx::Surface& surface, const QRectF& place)
{
    if (!m_bar) return;
    const double ppm = surface.pixelsPerMm();
    const auto px = [ppm](double mm) { return static_cast<int>(std::lround(mm * ppm)); };
    QPoint at(px(place.left()), px(place.top()));
    // the bar is normally a child of the picture box; otherwise map the position into its parent
    const auto* box = dynamic_cast<const QWidget*>(&surface);
    if (box && m_bar->parentWidget() && m_bar->parentWidget() != box)
        at = m_bar->parentWidget()->mapFromGlobal(box->mapToGlobal(at));
    m_bar->setGeometry(at.x(), at.y(), px(place.width()), px(place.height()));
    m_bar->setMinimum(0);
    m_bar->setMaximum(10000);
    m_bar->setPageStep(2000);
    m_bar->setSingleStep(300);
    m_bar->setVisible(true);
    m_bar->raise();
}
