#include "widgets/FlexGrid.h"

#include "platform/VBError.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <cmath>

namespace vb {

std::optional<int> ControlIndex(const QObject* control)
{
    if (!control) return std::nullopt;
    const QVariant p = control->property("Index");
    if (p.isValid()) {
        bool ok = false;
        const int i = p.toInt(&ok);
        if (ok) return i;
    }
    static const QRegularExpression suffix(QStringLiteral("_(\\d+)$"));
    const auto m = suffix.match(control->objectName());
    if (m.hasMatch()) return m.captured(1).toInt();
    return std::nullopt;
}

QColor SystemWindowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }

namespace {
Qt::Alignment toQt(int align)
{
    switch (align) {
    case flexAlignLeftTop: return Qt::AlignLeft | Qt::AlignTop;
    case flexAlignLeftCenter: return Qt::AlignLeft | Qt::AlignVCenter;
    case flexAlignLeftBottom: return Qt::AlignLeft | Qt::AlignBottom;
    case flexAlignCenterTop: return Qt::AlignHCenter | Qt::AlignTop;
    case flexAlignCenterCenter: return Qt::AlignCenter;
    case flexAlignCenterBottom: return Qt::AlignHCenter | Qt::AlignBottom;
    case flexAlignRightTop: return Qt::AlignRight | Qt::AlignTop;
    case flexAlignRightCenter: return Qt::AlignRight | Qt::AlignVCenter;
    case flexAlignRightBottom: return Qt::AlignRight | Qt::AlignBottom;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// General alignment: numbers to the right, text to the left.
Qt::Alignment generalAlignment(const QString& text)
{
    bool num = false;
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    t.toDouble(&num);
    return num ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter);
}

int keyShift(Qt::KeyboardModifiers m)
{
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) | ((m & Qt::AltModifier) ? 4 : 0);
}
} // namespace

// Paints every cell: fixed cells in BackColorFixed, the selection block
// (except the current cell) highlighted, the others in BackColor.
class FlexGridDelegate : public QStyledItemDelegate {
public:
    explicit FlexGridDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int row = index.row();
        const int col = index.column();
        const bool fixed = m_grid->isFixed(row, col);
        const bool current = row == m_grid->m_row && col == m_grid->m_col;
        const bool selected = !fixed && !current && m_grid->inSelection(row, col);
        const QPalette& pal = option.palette;
        p->fillRect(option.rect, fixed ? m_grid->m_backColorFixed : selected ? pal.color(QPalette::Highlight) : m_grid->m_backColor);
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty()) {
            int align = fixed ? m_grid->FixedAlignment(col) : m_grid->ColAlignment(col);
            const Qt::Alignment a = align == flexAlignGeneral ? generalAlignment(text) : toQt(align);
            const QColor fg = selected ? pal.color(QPalette::HighlightedText)
                                       : pal.color(m_grid->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
            p->save();
            p->setPen(fg);
            p->setFont(option.font);
            const QRect r = option.rect.adjusted(2, 0, -2, 0);
            p->drawText(r, static_cast<int>(a) | Qt::TextSingleLine,
                        option.fontMetrics.elidedText(text, Qt::ElideNone, r.width()));
            p->restore();
        }
        if (current && !fixed && m_grid->hasFocus()) {
            p->save();
            QPen pen(pal.color(QPalette::Text));
            pen.setStyle(Qt::DotLine);
            p->setPen(pen);
            p->drawRect(option.rect.adjusted(1, 1, -2, -2));
            p->restore();
        }
    }

private:
    FlexGrid* m_grid;
};

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(2, 2, parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setDefaultSectionSize(64);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setMouseTracking(true);
    setWordWrap(false);
    setItemDelegate(new FlexGridDelegate(this));
    const QPalette pal = QApplication::palette();
    m_backColor = SystemWindowBackground();
    m_backColorFixed = pal.color(QPalette::Button);
    m_backColorBkg = pal.color(QPalette::Dark);
    setBackColorBkg(m_backColorBkg);
    m_colAlign.fill(flexAlignGeneral, columnCount());
    m_fixedAlign.fill(flexAlignLeftCenter, columnCount());
}

void FlexGrid::setToolTipText(const QString& t)
{
    setToolTip(t);
    viewport()->setToolTip(t);
}

bool FlexGrid::viewportEvent(QEvent* e)
{
    // The grid shows one tooltip for the whole control, not per item.
    if (e->type() == QEvent::ToolTip) {
        const QString t = toolTip();
        if (t.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), t, viewport());
        return true;
    }
    return QTableWidget::viewportEvent(e);
}

// ---------------------------------------------------------------- shape
//
// Rows above TopRow and columns left of LeftCol are hidden (see scrolling);
// their sizes are kept here while they are hidden, and every change of the
// grid's shape first shows them again, so indexes never shift under the memory.

void FlexGrid::checkIndex(Axis a, int i) const
{
    if (i < 0 || i >= count(a)) Raise(381, QStringLiteral("Subscript out of range"));
}

QHeaderView* FlexGrid::header(Axis a) const { return a == kRows ? verticalHeader() : horizontalHeader(); }

int FlexGrid::viewportExtent(Axis a) const { return a == kRows ? viewport()->height() : viewport()->width(); }

int FlexGrid::sectionPx(Axis a, int i) const
{
    if (auto it = m_hiddenPx[a].constFind(i); it != m_hiddenPx[a].constEnd()) return *it;
    return header(a)->sectionSize(i);
}

void FlexGrid::setSectionPx(Axis a, int i, int px)
{
    if (m_hiddenPx[a].contains(i)) m_hiddenPx[a][i] = px;
    else header(a)->resizeSection(i, px);
}

void FlexGrid::setSectionHidden(Axis a, int i, bool hide)
{
    if (a == kRows) setRowHidden(i, hide);
    else setColumnHidden(i, hide);
}

void FlexGrid::showAll()
{
    const bool was = m_syncing;
    m_syncing = true;
    for (Axis a : {kRows, kCols}) {
        for (auto it = m_hiddenPx[a].constBegin(); it != m_hiddenPx[a].constEnd(); ++it) {
            if (it.key() >= count(a)) continue;
            setSectionHidden(a, it.key(), false);
            header(a)->resizeSection(it.key(), it.value());
        }
        m_hiddenPx[a].clear();
    }
    m_syncing = was;
}

void FlexGrid::setRows(int n)
{
    n = std::max(n, 0);
    showAll();
    setRowCount(n);
    if (m_fixed[kRows] > n) m_fixed[kRows] = n;
    clampCursor();
    applyScroll();
}

void FlexGrid::setCols(int n)
{
    n = std::max(n, 0);
    showAll();
    setColumnCount(n);
    if (m_fixed[kCols] > n) m_fixed[kCols] = n;
    m_colAlign.resize(n, flexAlignGeneral);
    m_fixedAlign.resize(n, flexAlignLeftCenter);
    clampCursor();
    applyScroll();
}

void FlexGrid::setFixedRows(int n)
{
    // As the original control: at least one non-fixed row must remain.
    if (n < 0 || (n > 0 && n >= rowCount())) Raise(errInvalidProperty, QStringLiteral("FixedRows out of range"));
    setFixed(kRows, n);
}

void FlexGrid::setFixedCols(int n)
{
    if (n < 0 || (n > 0 && n >= columnCount())) Raise(errInvalidProperty, QStringLiteral("FixedCols out of range"));
    setFixed(kCols, n);
}

void FlexGrid::setFixed(Axis a, int n)
{
    showAll();
    m_fixed[a] = n;
    m_first[a] = n;
    clampCursor();
    applyScroll();
    viewport()->update();
}

void FlexGrid::AddItem(const QString& text, int index)
{
    const int at = (index < 0 || index > rowCount()) ? rowCount() : index;
    showAll();
    insertRow(at);
    const QStringList cells = text.split(QLatin1Char('\t'));
    for (int c = 0; c < cells.size() && c < columnCount(); ++c) setTextMatrix(at, c, cells[c]);
    clampCursor();
    applyScroll();
}

void FlexGrid::RemoveItem(int index)
{
    checkIndex(kRows, index);
    showAll();
    removeRow(index);
    clampCursor();
    applyScroll();
}

// ---------------------------------------------------------------- cells

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkIndex(kRows, row);
    checkIndex(kCols, col);
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    checkIndex(kRows, row);
    checkIndex(kCols, col);
    if (QTableWidgetItem* it = item(row, col)) {
        it->setText(text);
        return;
    }
    if (text.isEmpty()) return;
    auto* it = new QTableWidgetItem(text);
    it->setFlags(Qt::ItemIsEnabled);
    setItem(row, col, it);
}

// ---------------------------------------------------------------- current cell and selection

void FlexGrid::clampCursor()
{
    const auto clamp = [](int v, int lo, int hi) { return hi < lo ? lo : std::clamp(v, lo, hi); };
    const int lastRow = rowCount() - 1;
    const int lastCol = columnCount() - 1;
    m_row = clamp(m_row, m_fixed[kRows], lastRow);
    m_col = clamp(m_col, m_fixed[kCols], lastCol);
    m_rowSel = clamp(m_rowSel, m_fixed[kRows], lastRow);
    m_colSel = clamp(m_colSel, m_fixed[kCols], lastCol);
    for (Axis a : {kRows, kCols}) m_first[a] = clamp(m_first[a], m_fixed[a], std::max(m_fixed[a], maxFirst(a)));
}

void FlexGrid::setRow(int r)
{
    checkIndex(kRows, r);
    m_row = m_rowSel = r;
    m_colSel = m_col;
    viewport()->update();
}

void FlexGrid::setCol(int c)
{
    checkIndex(kCols, c);
    m_col = m_colSel = c;
    m_rowSel = m_row;
    viewport()->update();
}

void FlexGrid::setRowSel(int r)
{
    checkIndex(kRows, r);
    m_rowSel = r;
    viewport()->update();
}

void FlexGrid::setColSel(int c)
{
    checkIndex(kCols, c);
    m_colSel = c;
    viewport()->update();
}

bool FlexGrid::inSelection(int row, int col) const
{
    return row >= std::min(m_row, m_rowSel) && row <= std::max(m_row, m_rowSel) && col >= std::min(m_col, m_colSel)
        && col <= std::max(m_col, m_colSel);
}

QString FlexGrid::Clip() const
{
    QStringList lines;
    for (int r = std::min(m_row, m_rowSel); r <= std::max(m_row, m_rowSel) && r < rowCount(); ++r) {
        QStringList cells;
        for (int c = std::min(m_col, m_colSel); c <= std::max(m_col, m_colSel) && c < columnCount(); ++c) cells << TextMatrix(r, c);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\r'));
}

void FlexGrid::setClip(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    const QStringList lines = t.split(QLatin1Char('\r'));
    const int r0 = std::min(m_row, m_rowSel), r1 = std::max(m_row, m_rowSel);
    const int c0 = std::min(m_col, m_colSel), c1 = std::max(m_col, m_colSel);
    for (int i = 0; i < lines.size() && r0 + i <= r1 && r0 + i < rowCount(); ++i) {
        const QStringList cells = lines[i].split(QLatin1Char('\t'));
        for (int j = 0; j < cells.size() && c0 + j <= c1 && c0 + j < columnCount(); ++j) setTextMatrix(r0 + i, c0 + j, cells[j]);
    }
}

// ---------------------------------------------------------------- appearance

void FlexGrid::setBackColor(const QColor& c)
{
    m_backColor = c;
    viewport()->update();
}

void FlexGrid::setBackColorFixed(const QColor& c)
{
    m_backColorFixed = c;
    viewport()->update();
}

void FlexGrid::setBackColorBkg(const QColor& c)
{
    m_backColorBkg = c;
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) pal.setColor(group, QPalette::Base, c);
    setPalette(pal);
}

QColor FlexGrid::ForeColor() const { return palette().color(QPalette::Text); }

void FlexGrid::setForeColor(const QColor& c)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::Text, c);
    pal.setColor(QPalette::Inactive, QPalette::Text, c);
    setPalette(pal);
}

int FlexGrid::ColAlignment(int col) const { return col >= 0 && col < m_colAlign.size() ? m_colAlign[col] : flexAlignGeneral; }

void FlexGrid::setColAlignment(int col, int align)
{
    checkIndex(kCols, col);
    m_colAlign.resize(columnCount(), flexAlignGeneral);
    m_colAlign[col] = align;
    viewport()->update();
}

int FlexGrid::FixedAlignment(int col) const { return col >= 0 && col < m_fixedAlign.size() ? m_fixedAlign[col] : flexAlignLeftCenter; }

void FlexGrid::setFixedAlignment(int col, int align)
{
    checkIndex(kCols, col);
    m_fixedAlign.resize(columnCount(), flexAlignLeftCenter);
    m_fixedAlign[col] = align;
    viewport()->update();
}

void FlexGrid::setMousePointer(int p)
{
    m_mousePointer = p;
    if (p == 2) viewport()->setCursor(Qt::CrossCursor);
    else viewport()->unsetCursor();
}

int FlexGrid::Index() const { return ControlIndex(this).value_or(0); }
void FlexGrid::setIndex(int i) { setProperty("Index", i); }

void FlexGrid::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange) verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QTableWidget::changeEvent(e);
}

// ---------------------------------------------------------------- geometry

double FlexGrid::twipsPerPixel() const { return 1440.0 / std::max(1, logicalDpiX()); }

int FlexGrid::sizeTwips(Axis a, int i) const
{
    checkIndex(a, i);
    return static_cast<int>(std::lround(sectionPx(a, i) * twipsPerPixel()));
}

void FlexGrid::setSizeTwips(Axis a, int i, int twips)
{
    checkIndex(a, i);
    setSectionPx(a, i, static_cast<int>(std::lround(std::max(0, twips) / twipsPerPixel())));
    clampCursor();
    applyScroll();
}

int FlexGrid::posTwips(Axis a, int i) const
{
    checkIndex(a, i);
    const int px = a == kRows ? viewport()->geometry().y() + rowViewportPosition(i)
                              : viewport()->geometry().x() + columnViewportPosition(i);
    return static_cast<int>(std::lround(px * twipsPerPixel()));
}

int FlexGrid::Left() const { return static_cast<int>(std::lround(x() * twipsPerPixel())); }
int FlexGrid::Top() const { return static_cast<int>(std::lround(y() * twipsPerPixel())); }
int FlexGrid::Width() const { return static_cast<int>(std::lround(width() * twipsPerPixel())); }
int FlexGrid::Height() const { return static_cast<int>(std::lround(height() * twipsPerPixel())); }

// ---------------------------------------------------------------- scrolling
//
// Scrolling hides the non-fixed rows above TopRow and the columns left of
// LeftCol, so the fixed ones stay in place whatever their sizes. The view's
// own scroll bars serve as the controls: value v means TopRow = FixedRows + v.

int FlexGrid::maxFirst(Axis a) const
{
    const int n = count(a);
    int fixedPx = 0;
    for (int i = 0; i < m_fixed[a] && i < n; ++i) fixedPx += sectionPx(a, i);
    const int avail = viewportExtent(a) - fixedPx;
    int used = 0;
    int first = n;
    while (first - 1 >= m_fixed[a]) {
        used += sectionPx(a, first - 1);
        if (used > avail && first < n) break;
        --first;
    }
    return std::max(m_fixed[a], std::min(first, n - 1));
}

void FlexGrid::hideScrolledOut(Axis a)
{
    for (int i = 0; i < count(a); ++i) {
        const bool hide = i >= m_fixed[a] && i < m_first[a];
        if (m_hiddenPx[a].contains(i) == hide) continue;
        if (hide) {
            m_hiddenPx[a].insert(i, header(a)->sectionSize(i));
            setSectionHidden(a, i, true);
        } else {
            setSectionHidden(a, i, false);
            header(a)->resizeSection(i, m_hiddenPx[a].take(i));
        }
    }
    // The view's own offset stays at 0: everything before the first is hidden.
    header(a)->setOffset(0);
}

void FlexGrid::applyScroll()
{
    if (m_syncing) return;
    m_syncing = true;
    for (Axis a : {kRows, kCols}) hideScrolledOut(a);
    const int vmax = std::max(0, maxFirst(kRows) - m_fixed[kRows]);
    const int hmax = std::max(0, maxFirst(kCols) - m_fixed[kCols]);
    verticalScrollBar()->setRange(0, vmax);
    verticalScrollBar()->setPageStep(std::max(1, std::min(10, vmax)));
    verticalScrollBar()->setValue(m_first[kRows] - m_fixed[kRows]);
    horizontalScrollBar()->setRange(0, hmax);
    horizontalScrollBar()->setPageStep(1);
    horizontalScrollBar()->setValue(m_first[kCols] - m_fixed[kCols]);
    m_syncing = false;
    viewport()->update();
}

void FlexGrid::updateGeometries()
{
    if (m_syncing) {
        QTableWidget::updateGeometries();
        return;
    }
    // The base sets its own scroll ranges, which may clamp ours: ignore that.
    m_syncing = true;
    QTableWidget::updateGeometries();
    m_syncing = false;
    clampCursor();
    applyScroll();
}

void FlexGrid::scrollContentsBy(int, int)
{
    if (m_syncing) return;
    const int top = m_fixed[kRows] + verticalScrollBar()->value();
    const int left = m_fixed[kCols] + horizontalScrollBar()->value();
    if (top == m_first[kRows] && left == m_first[kCols]) return;
    m_first[kRows] = top;
    m_first[kCols] = left;
    clampCursor();
    applyScroll();
    emit Scroll();
}

void FlexGrid::scrollTo(const QModelIndex& index, ScrollHint)
{
    if (index.isValid()) ensureVisible(index.row(), index.column());
}

void FlexGrid::setFirst(Axis a, int i)
{
    checkIndex(a, i);
    const int old = m_first[a];
    m_first[a] = std::clamp(i, m_fixed[a], std::max(m_fixed[a], maxFirst(a)));
    applyScroll();
    if (old != m_first[a]) emit Scroll();
}

bool FlexGrid::isVisible(Axis a, int i) const
{
    if (i < 0 || i >= count(a)) return false;
    if (i < m_fixed[a]) return true;
    if (i < m_first[a]) return false;
    const int pos = a == kRows ? rowViewportPosition(i) : columnViewportPosition(i);
    return pos < viewportExtent(a);
}

int FlexGrid::firstShowing(Axis a, int i) const
{
    int first = m_first[a];
    if (i < m_fixed[a] || i >= count(a)) return first;
    if (i < first) return i;
    // Move the first on until section i ends inside the viewport.
    const auto endOf = [&](int f) {
        int px = 0;
        for (int k = 0; k < m_fixed[a]; ++k) px += sectionPx(a, k);
        for (int k = f; k <= i; ++k) px += sectionPx(a, k);
        return px;
    };
    while (first < i && endOf(first) > viewportExtent(a)) ++first;
    return first;
}

void FlexGrid::ensureVisible(int row, int col)
{
    const int top = firstShowing(kRows, row);
    const int left = firstShowing(kCols, col);
    if (top == m_first[kRows] && left == m_first[kCols]) return;
    m_first[kRows] = top;
    m_first[kCols] = left;
    applyScroll();
    emit Scroll();
}

// ---------------------------------------------------------------- mouse and keys

void FlexGrid::cellAt(const QPoint& pos, int& row, int& col) const
{
    row = rowAt(pos.y());
    col = columnAt(pos.x());
}

void FlexGrid::mouseState(QMouseEvent* e, int& button, int& shift, float& x, float& y)
{
    const Qt::MouseButtons b = e->type() == QEvent::MouseMove ? e->buttons() : Qt::MouseButtons(e->button());
    button = ((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) | ((b & Qt::MiddleButton) ? 4 : 0);
    shift = keyShift(e->modifiers());
    // Positions relative to the grid's edge, as the original control reports them.
    const QPoint p = e->position().toPoint() + viewport()->geometry().topLeft();
    x = static_cast<float>(p.x() * twipsPerPixel());
    y = static_cast<float>(p.y() * twipsPerPixel());
    cellAt(e->position().toPoint(), m_mouseRow, m_mouseCol);
}

void FlexGrid::moveCurrent(int row, int col, bool extend)
{
    row = std::clamp(row, m_fixed[kRows], std::max(m_fixed[kRows], rowCount() - 1));
    col = std::clamp(col, m_fixed[kCols], std::max(m_fixed[kCols], columnCount() - 1));
    if (row >= rowCount() || col >= columnCount()) return;
    const bool cellChanged = !extend && (row != m_row || col != m_col);
    const bool selChanged = extend ? (row != m_rowSel || col != m_colSel) : (row != m_rowSel || col != m_colSel || cellChanged);
    if (extend) {
        m_rowSel = row;
        m_colSel = col;
    } else {
        m_row = m_rowSel = row;
        m_col = m_colSel = col;
    }
    ensureVisible(row, col);
    viewport()->update();
    if (cellChanged) emit EnterCell();
    if (selChanged) emit SelChange();
}

void FlexGrid::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    int button, shift;
    float x, y;
    mouseState(e, button, shift, x, y);
    if (e->button() == Qt::LeftButton && m_mouseRow >= 0 && m_mouseCol >= 0 && !isFixed(m_mouseRow, m_mouseCol)) {
        moveCurrent(m_mouseRow, m_mouseCol, (shift & 1) != 0);
        m_dragging = true;
    }
    emit MouseDown(button, shift, x, y);
}

void FlexGrid::mouseMoveEvent(QMouseEvent* e)
{
    int button, shift;
    float x, y;
    mouseState(e, button, shift, x, y);
    if (m_dragging && (e->buttons() & Qt::LeftButton)) {
        int row = m_mouseRow, col = m_mouseCol;
        const QPoint p = e->position().toPoint();
        if (p.y() >= viewport()->height()) row = std::min(rowCount() - 1, m_rowSel + 1); // drag beyond the edge scrolls
        if (p.x() >= viewport()->width()) col = std::min(columnCount() - 1, m_colSel + 1);
        if (row >= 0 && col >= 0) moveCurrent(row, col, true);
    }
    emit MouseMove(button, shift, x, y);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* e)
{
    int button, shift;
    float x, y;
    mouseState(e, button, shift, x, y);
    m_dragging = false;
    // As VB: the release that ends a double click gives MouseUp but no second Click.
    const bool endsDoubleClick = m_doubleClicked;
    m_doubleClicked = false;
    emit MouseUp(button, shift, x, y);
    if (e->button() == Qt::LeftButton && !endsDoubleClick) emit Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    int button, shift;
    float x, y;
    mouseState(e, button, shift, x, y);
    m_doubleClicked = true;
    emit DblClick();
}

void FlexGrid::keyPressEvent(QKeyEvent* e)
{
    const int shift = keyShift(e->modifiers());
    int code = e->key();
    if (code >= Qt::Key_Left && code <= Qt::Key_Down) code = 37 + (code - Qt::Key_Left); // vbKeyLeft .. vbKeyDown
    else if (code == Qt::Key_Return || code == Qt::Key_Enter) code = 13;
    else if (code == Qt::Key_PageUp) code = 33;
    else if (code == Qt::Key_PageDown) code = 34;
    else if (code == Qt::Key_End) code = 35;
    else if (code == Qt::Key_Home) code = 36;
    else if (code == Qt::Key_Delete) code = 46;
    else if (code == Qt::Key_Escape) code = 27;
    else if (code == Qt::Key_Tab) code = 9;
    else if (code == Qt::Key_Backspace) code = 8;
    emit KeyDown(code, shift);
    const bool extend = (shift & 1) != 0;
    const int r = extend ? m_rowSel : m_row;
    const int c = extend ? m_colSel : m_col;
    switch (e->key()) {
    case Qt::Key_Up: moveCurrent(r - 1, c, extend); return;
    case Qt::Key_Down: moveCurrent(r + 1, c, extend); return;
    case Qt::Key_Left: moveCurrent(r, c - 1, extend); return;
    case Qt::Key_Right: moveCurrent(r, c + 1, extend); return;
    case Qt::Key_PageUp: moveCurrent(r - 10, c, extend); return;
    case Qt::Key_PageDown: moveCurrent(r + 10, c, extend); return;
    case Qt::Key_Home: moveCurrent(r, m_fixed[kCols], extend); return;
    case Qt::Key_End: moveCurrent(r, columnCount() - 1, extend); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: emit KeyPress(13); return;
    case Qt::Key_Escape: emit KeyPress(27); return;
    case Qt::Key_Backspace: emit KeyPress(8); return;
    default: break;
    }
    const QString t = e->text();
    if (!t.isEmpty() && !(e->modifiers() & Qt::AltModifier)) {
        // Ctrl+letter arrives as its control character (Ctrl+C = 3), as VB delivers it.
        emit KeyPress(t.at(0).unicode());
        return;
    }
    e->ignore();
}

} // namespace vb
