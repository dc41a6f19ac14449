// clsFLX: copy and paste through the system clipboard, fill, and the
// insertion and removal of data rows (mirrored in the coupled editor).
#include "input/clsFLX.h"

#include "graphics/MarkupText.h"
#include "input/FlexCells.h"
#include "widgets/FlexGrid.h"
#include "platform/OnError.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>

using flexcells::title;

namespace {
constexpr int kFillPointer = 2; // the grid's cross pointer marks armed fill mode
}

void clsFLX::copyBlock()
{
    QClipboard* cb = QApplication::clipboard();
    cb->clear();
    cb->setText(m_flx->Clip());
}

void clsFLX::pasteBlock()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) return;
    QString text = data->text();
    // Spreadsheets end the block with a line break; it is no further row.
    if (text.endsWith(QLatin1String("\r\n"))) text.chop(2);
    else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
    if (text.isEmpty()) return;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    const QStringList lines = text.split(QLatin1Char('\r'));
    // The disabled row of the empty state is never stored: the block gets
    // real rows of its own, from the first editable cell.
    if (!m_flx->Enabled() && !leaveEmptyState(static_cast<int>(lines.size()))) return;

    // The cells the grid will write no longer stand for a loaded value.
    const int r0 = std::min(m_flx->Row(), m_flx->RowSel()), r1 = std::max(m_flx->Row(), m_flx->RowSel());
    const int c0 = std::min(m_flx->Col(), m_flx->ColSel()), c1 = std::max(m_flx->Col(), m_flx->ColSel());
    for (int i = 0; i < lines.size() && r0 + i <= r1; ++i) {
        const auto cells = lines[i].count(QLatin1Char('\t')) + 1;
        for (int j = 0; j < cells && c0 + j <= c1; ++j) flexcells::forget(m_flx, r0 + i, c0 + j);
    }
    m_flx->setClip(text);
}

bool clsFLX::fillArmed() const { return m_flx && m_flx->MousePointer() == kFillPointer; }

void clsFLX::armFill(float x)
{
    const double left = m_flx->CellLeft();
    const double width = m_flx->CellWidth();
    const bool inHandle = x > left + 0.85 * width && x < left + width;
    m_flx->setMousePointer(inHandle ? kFillPointer : 0);
}

void clsFLX::completeFill()
{
    if (!fillArmed()) return;
    const int row = m_flx->Row(), col = m_flx->Col();
    const QString text = m_flx->TextMatrix(row, col);
    // ascending only: a selection dragged up or left of the cell fills nothing there
    for (int r = row; r <= m_flx->RowSel(); ++r)
        for (int c = col; c <= m_flx->ColSel(); ++c) {
            if (r == row && c == col) continue;
            m_flx->setTextMatrix(r, c, text);
            flexcells::copy(m_flx, row, col, r, c);
        }
    m_flx->setMousePointer(0);
}

bool clsFLX::leaveEmptyState(int rows)
{
    ZEILEEINFUEGEN();
    if (!m_flx->Enabled()) return false;
    const int first = m_flx->FixedRows();
    m_flx->setRows(first + rows);
    if (m_coupled && m_coupled->EFLX()) {
        m_coupled->EFLX()->setRows(m_coupled->EFLX()->FixedRows() + rows);
        m_coupled->NUMMERIEREN();
    }
    NUMMERIEREN();
    m_flx->setRow(first);
    m_flx->setCol(m_flx->FixedCols());
    m_flx->setRowSel(m_flx->Rows() - 1);
    m_flx->setColSel(m_flx->Cols() - 1);
    return true;
}

bool clsFLX::editorOpen() const { return (m_txt && !m_txt->isHidden()) || (m_cbo && !m_cbo->isHidden()); }

void clsFLX::ZEILEEINFUEGEN()
{
    vb::OnError step(title("Zeile einfügen"));
    // a value that failed its check is still being edited in its row
    if (!m_flx || editorOpen()) return;
    step([&] {
        if (!m_flx->Enabled()) {
            // leaving the empty state: the kept empty row becomes usable
            m_flx->setBackColor(vb::SystemWindowBackground());
            m_flx->setEnabledState(true);
        } else {
            m_flx->AddItem(QString(), m_flx->Row());
        }
    });
    step([&] { NUMMERIEREN(); });
    step([&] {
        if (m_coupled && m_coupled->EFLX()) m_coupled->ZEILEEINFUEGEN();
    });
}

void clsFLX::ZEILEENTFERNEN()
{
    vb::OnError step(title("Zeile eintfernen"));
    if (!m_flx || editorOpen()) return;
    step([&] {
        if (m_flx->Rows() - m_flx->FixedRows() > 1) {
            m_flx->RemoveItem(m_flx->Row());
            NUMMERIEREN();
        } else if (m_flx->Rows() - m_flx->FixedRows() == 1) {
            // entering the empty state: one cleared, disabled row
            const int r = m_flx->FixedRows();
            for (int c = 0; c < m_flx->Cols(); ++c) setCell(r, c, QString());
            m_flx->setBackColor(m_flx->BackColorFixed());
            m_flx->setEnabledState(false);
        }
    });
    step([&] {
        if (m_coupled && m_coupled->EFLX()) m_coupled->ZEILEENTFERNEN();
    });
}
