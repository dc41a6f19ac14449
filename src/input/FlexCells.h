#pragma once
// Small helpers the grid editor shares between its files: the message-box
// titles and the exact text a cell keeps behind its formatted display.
//
// A cell loaded from outside the editor shows its value formatted by the
// column format ("#0.0" shows 12,345 as 12,3). The cell item keeps the exact
// text and the display it produced; as long as the cell still shows that
// display, the exact text stands for the cell's value.
#include <QString>
#include <optional>

namespace vb {
class FlexGrid;
}

namespace flexcells {

// "MSFlexGrid / " + a procedure label.
QString title(const QString& label);

// The exact text behind a cell, when the cell still shows the display formatted from it.
std::optional<QString> exact(const vb::FlexGrid* grid, int row, int col);
// The display shown for an exact text (nullopt when the cell keeps none).
std::optional<QString> display(const vb::FlexGrid* grid, int row, int col);
void remember(vb::FlexGrid* grid, int row, int col, const QString& exactText, const QString& displayText);
void forget(vb::FlexGrid* grid, int row, int col);
// Copies what a cell keeps to another cell (a fill copies the value, not only the display).
void copy(vb::FlexGrid* grid, int fromRow, int fromCol, int toRow, int toCol);

} // namespace flexcells
