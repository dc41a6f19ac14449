// clsFLX: the header picture over the grid's header row, drawn with the
// drawing toolkit's markup renderer in the six header fonts.
#include "input/clsFLX.h"

#include "graphics/MarkupText.h"
#include "widgets/PictureBox.h"
#include "graphics/VBColor.h"
#include "input/FlexCells.h"
#include "widgets/FlexGrid.h"
#include "platform/OnError.h"

#include <cmath>

using flexcells::title;

namespace {
constexpr double kTwipsPerMm = 56.7;
constexpr double kBorder = 56.7;         // the grid's frame
constexpr double kScrollBarRoom = 311.85; // room for the vertical scroll bar
} // namespace

void clsFLX::setEPIC(gfx::PictureBox* pic)
{
    vb::OnError step(title("PIC"));
    step([&] {
        if (m_pic) m_pic->removeEventFilter(this);
        m_pic = pic;
        m_picWidget = pic;
        m_markup = pic ? std::make_unique<gfx::MarkupText>(pic) : nullptr;
    });
    step([&] { headerFontsChanged(); });
}

void clsFLX::headerFontsChanged()
{
    if (!m_pic || !m_markup) return;
    const QFont& f = m_headerFonts[2];
    m_markup->setFont(f.family(), static_cast<short>(f.pointSize()), f.bold(), f.underline(), f.italic(),
                      gfx::fromQColor(m_gridColor.isValid() ? m_gridColor : QColor(Qt::black)));
    m_pic->Font.strikethrough = f.strikeOut();
    m_markup->rebuildSlots();
}

void clsFLX::BESCHRIFTEN()
{
    vb::OnError step(title("Text"));
    if (!m_flx || !m_pic || m_LST1.isEmpty()) return;
    const double gridWidth = m_flx->Width();
    const int firstData = m_flx->FixedRows();
    step([&] {
        double width = 0;
        for (int c = 0; c < m_flx->Cols(); ++c) {
            if (!m_flx->ColIsVisible(c)) continue;
            width += m_flx->ColWidth(c);
            if (width > gridWidth) {
                const bool allRowsShown = firstData < m_flx->Rows() && m_flx->RowIsVisible(firstData) &&
                                          m_flx->RowIsVisible(m_flx->Rows() - 1);
                width = gridWidth - (allRowsShown ? kBorder : kScrollBarRoom);
                break;
            }
        }
        const double height = m_flx->Rows() > 0 ? m_flx->RowHeight(0) : 0;
        const double tw = m_flx->twipsPerPixel();
        // the picture lies over the header row, inside the grid's frame
        QWidget* parent = m_pic->parentWidget();
        const QPoint global = m_flx->viewport()->mapToGlobal(QPoint(0, 0));
        m_pic->move(parent ? parent->mapFromGlobal(global) : global);
        m_pic->resize(std::max(1, static_cast<int>(std::lround(width / tw))), std::max(1, static_cast<int>(std::lround(height / tw))));
        m_pic->raise();
        m_pic->BackColor = gfx::fromQColor(m_flx->BackColorFixed());
        m_pic->Cls();
    });
    step([&] {
        const double half = (m_flx->Rows() > 0 ? m_flx->RowHeight(0) : 0) / 2.0;
        double x = kBorder;
        for (int c = 0; c < m_flx->Cols(); ++c) {
            // a column of width 0 (a hidden value column) shows no header
            if (!m_flx->ColIsVisible(c) || m_flx->ColWidth(c) <= 0) continue;
            const double w = m_flx->ColWidth(c);
            TEXTZEICHNEN(static_cast<float>(x + w / 2 - kBorder), 0, m_LST1.value(c).toString(), 1, 0);
            if (!m_LST2.isEmpty())
                TEXTZEICHNEN(static_cast<float>(x + w / 2 - kBorder), static_cast<float>(half), m_LST2.value(c).toString(), 1, 0);
            x += w;
            if (x > gridWidth) break;
        }
    });
    // end the painting so the picture can be shown (and destroyed) safely
    step([&] { m_pic->flush(); });
    step([&] { applyAlignment(); });
}

void clsFLX::TEXTZEICHNEN(float x, float y, const QString& text, short horizontal, short vertical)
{
    vb::OnError step(title("Text"));
    if (!m_markup || text.isEmpty()) return;
    step([&] { m_markup->draw(QPointF(x / kTwipsPerMm, y / kTwipsPerMm), text, 0, horizontal, vertical); });
}
