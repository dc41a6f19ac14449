#include "input/FlexCells.h"

#include "widgets/FlexGrid.h"

namespace flexcells {

namespace {
constexpr int kExactRole = Qt::UserRole + 101;
constexpr int kDisplayRole = Qt::UserRole + 102;

bool inside(const vb::FlexGrid* grid, int row, int col)
{
    return grid && row >= 0 && col >= 0 && row < grid->rowCount() && col < grid->columnCount();
}
} // namespace

QString title(const QString& label) { return QStringLiteral("MSFlexGrid / ") + label; }

std::optional<QString> display(const vb::FlexGrid* grid, int row, int col)
{
    if (!inside(grid, row, col)) return std::nullopt;
    const QTableWidgetItem* it = grid->item(row, col);
    if (!it) return std::nullopt;
    const QVariant d = it->data(kDisplayRole);
    if (!d.isValid()) return std::nullopt;
    return d.toString();
}

std::optional<QString> exact(const vb::FlexGrid* grid, int row, int col)
{
    const auto shown = display(grid, row, col);
    if (!shown || grid->item(row, col)->text() != *shown) return std::nullopt;
    return grid->item(row, col)->data(kExactRole).toString();
}

void remember(vb::FlexGrid* grid, int row, int col, const QString& exactText, const QString& displayText)
{
    if (!inside(grid, row, col)) return;
    QTableWidgetItem* it = grid->item(row, col);
    if (!it) return;
    it->setData(kExactRole, exactText);
    it->setData(kDisplayRole, displayText);
}

void forget(vb::FlexGrid* grid, int row, int col)
{
    if (!inside(grid, row, col)) return;
    if (QTableWidgetItem* it = grid->item(row, col)) {
        it->setData(kExactRole, QVariant());
        it->setData(kDisplayRole, QVariant());
    }
}

void copy(vb::FlexGrid* grid, int fromRow, int fromCol, int toRow, int toCol)
{
    if (const auto e = exact(grid, fromRow, fromCol)) remember(grid, toRow, toCol, *e, *display(grid, fromRow, fromCol));
    else forget(grid, toRow, toCol);
}

} // namespace flexcells
