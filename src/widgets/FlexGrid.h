#pragma once
// The flex grid control: a read-only cell grid in the manner of MSFlexGrid on a
// QTableWidget. Rows and columns count from 0 and include the fixed (header)
// rows and columns, which stay in place while the other cells scroll. The
// current cell is (Row, Col); the selection block reaches from it to (RowSel,
// ColSel). Geometry is in twips (1440 per inch, through the screen's DPI).
// Events arrive as signals named after the VB events; mouse positions are in
// twips relative to the grid.
#include <QColor>
#include <QHash>
#include <QTableWidget>
#include <QVector>
#include <array>
#include <optional>

class QHeaderView;

namespace vb {

// A control's index in its control array: the dynamic property "Index", else
// the number after the last '_' of its objectName (msgFLX_1 -> 1).
std::optional<int> ControlIndex(const QObject* control);

// The system colour for window backgrounds (VB system colour index 5).
QColor SystemWindowBackground();

// VB alignment constants of the grid (flexAlign...).
enum FlexAlign : int {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3,
    flexAlignCenterCenter = 4,
    flexAlignCenterBottom = 5,
    flexAlignRightTop = 6,
    flexAlignRightCenter = 7,
    flexAlignRightBottom = 8,
    flexAlignGeneral = 9,
};

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // ---- shape
    int Rows() const { return rowCount(); }
    void setRows(int n);
    int Cols() const { return columnCount(); }
    void setCols(int n);
    int FixedRows() const { return m_fixed[kRows]; }
    void setFixedRows(int n);
    int FixedCols() const { return m_fixed[kCols]; }
    void setFixedCols(int n);
    // Adds a row (cells from tab-separated text) at index, or at the end.
    void AddItem(const QString& text, int index = -1);
    void RemoveItem(int index);

    // ---- cells
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    QString Text() const { return TextMatrix(m_row, m_col); } // the current cell
    void setText(const QString& text) { setTextMatrix(m_row, m_col, text); }

    // ---- current cell and selection; setting Row or Col collapses the selection
    int Row() const { return m_row; }
    void setRow(int r);
    int Col() const { return m_col; }
    void setCol(int c);
    int RowSel() const { return m_rowSel; }
    void setRowSel(int r);
    int ColSel() const { return m_colSel; }
    void setColSel(int c);
    // The selected block as text: cells separated by tab, rows by carriage
    // return. Setting it fills the block from its top-left cell, only within
    // the block; cells beyond the text keep their content.
    QString Clip() const;
    void setClip(const QString& text);

    // ---- appearance
    // The control's own flag (a disabled parent window does not clear it).
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabledState(bool on) { setEnabled(on); }
    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor& c);
    QColor BackColorFixed() const { return m_backColorFixed; }
    void setBackColorFixed(const QColor& c);
    QColor BackColorBkg() const { return m_backColorBkg; }
    void setBackColorBkg(const QColor& c);
    QColor ForeColor() const;
    void setForeColor(const QColor& c);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int align);
    int FixedAlignment(int col) const;
    void setFixedAlignment(int col, int align);
    QString ToolTipText() const { return toolTip(); }
    void setToolTipText(const QString& t);
    // 0 default arrow, 2 cross; other values are kept and show the arrow.
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int p);
    int Index() const; // control-array index, 0 when not in an array
    void setIndex(int i);

    // ---- geometry in twips
    double twipsPerPixel() const;
    int ColWidth(int col) const { return sizeTwips(kCols, col); }
    void setColWidth(int col, int twips) { setSizeTwips(kCols, col, twips); }
    int RowHeight(int row) const { return sizeTwips(kRows, row); }
    void setRowHeight(int row, int twips) { setSizeTwips(kRows, row, twips); }
    int CellLeft() const { return ColPos(m_col); } // of the current cell, from the grid's left edge
    int CellTop() const { return RowPos(m_row); }
    int CellWidth() const { return ColWidth(m_col); }
    int CellHeight() const { return RowHeight(m_row); }
    int ColPos(int col) const { return posTwips(kCols, col); }
    int RowPos(int row) const { return posTwips(kRows, row); }
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    // Cell under a point in twips from the grid's edge; -1 outside the cells.
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }

    // ---- scrolling: the first non-fixed row and column shown
    int TopRow() const { return m_first[kRows]; }
    void setTopRow(int r) { setFirst(kRows, r); }
    int LeftCol() const { return m_first[kCols]; }
    void setLeftCol(int c) { setFirst(kCols, c); }
    bool RowIsVisible(int row) const { return isVisible(kRows, row); }
    bool ColIsVisible(int col) const { return isVisible(kCols, col); }

signals:
    void Click();
    void DblClick();
    void KeyPress(int keyAscii);
    void KeyDown(int keyCode, int shift);
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void Scroll();
    void EnterCell();
    void SelChange();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void changeEvent(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    friend class FlexGridDelegate;
    bool isFixed(int row, int col) const { return row < m_fixed[kRows] || col < m_fixed[kCols]; }
    bool inSelection(int row, int col) const;
    void clampCursor();
    void moveCurrent(int row, int col, bool extend);
    void ensureVisible(int row, int col);
    void applyScroll();
    void cellAt(const QPoint& pos, int& row, int& col) const;
    void mouseState(QMouseEvent* e, int& button, int& shift, float& x, float& y);
    void showAll();

    // Rows and columns are handled alike, one axis at a time.
    enum Axis : int { kRows = 0, kCols = 1 };
    // Raises error 381 unless i is a row (column) of the grid.
    void checkIndex(Axis a, int i) const;
    int count(Axis a) const { return a == kRows ? rowCount() : columnCount(); }
    QHeaderView* header(Axis a) const;
    int viewportExtent(Axis a) const;
    // A row's height (a column's width) in pixels, also while it is scrolled out.
    int sectionPx(Axis a, int i) const;
    void setSectionPx(Axis a, int i, int px);
    void setSectionHidden(Axis a, int i, bool hide);
    // The largest first scrollable index that still fills the viewport.
    int maxFirst(Axis a) const;
    // Hides the sections scrolled out before the first one, shows the others.
    void hideScrolledOut(Axis a);
    // The first index that shows section i, starting from the current first.
    int firstShowing(Axis a, int i) const;
    void setFirst(Axis a, int i);
    void setFixed(Axis a, int n);
    int sizeTwips(Axis a, int i) const;
    void setSizeTwips(Axis a, int i, int twips);
    // A row's (column's) position from the grid's edge.
    int posTwips(Axis a, int i) const;
    bool isVisible(Axis a, int i) const;

    std::array<int, 2> m_fixed{1, 1};
    int m_row = 1;
    int m_col = 1;
    int m_rowSel = 1;
    int m_colSel = 1;
    std::array<int, 2> m_first{1, 1};          // TopRow and LeftCol
    std::array<QHash<int, int>, 2> m_hiddenPx; // scrolled-out sections and their sizes
    int m_mouseRow = -1;
    int m_mouseCol = -1;
    int m_mousePointer = 0;
    bool m_dragging = false;
    bool m_doubleClicked = false; // the next release ends a double click
    bool m_syncing = false;
    QColor m_backColor;
    QColor m_backColorFixed;
    QColor m_backColorBkg;
    QVector<int> m_colAlign;
    QVector<int> m_fixedAlign;
};

} // namespace vb
