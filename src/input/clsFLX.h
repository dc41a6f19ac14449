#pragma once
// The grid editor: turns a read-only flex grid into a spreadsheet-like editor.
// It lays a text box (or, for choice-list columns, a combo box) over the cell
// being edited, checks and formats a value when the edit is committed, numbers
// the index columns, computes the time-difference column from the date and
// time columns, draws the two-line column headers with text markup into a
// picture box over the header row, shows a tooltip per column, and carries
// copy, paste, fill, row insertion and row removal.
//
// One instance serves one grid. The host binds the controls (EFLX, ETXT,
// EPIC, ECBO), then sets ELSB (which resets every other list), then the other
// lists, SCHRIFTEINSTELLUNGEN and BESCHRIFTEN. connectHostEvents() forwards
// the grid's, the text box's and the picture's events to the editor; a host
// that needs more (a date carry-down) connects its own slots after it.
//
// The editor holds no database knowledge: the host moves the grid contents
// through clsDATEN. Cells loaded from outside keep the exact text they were
// loaded with behind their formatted display (see ExactTexts), so a load and a
// save without edits writes back what was read.
//
// Key codes are VB key-ascii codes: 13 Enter, 0 double click, -1 copy/paste,
// -2 mouse press/release (fill). Positions are in twips from the grid's edge.
#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>
#include <memory>

class QComboBox;
class QLineEdit;
namespace gfx {
class PictureBox;
class MarkupText;
}
namespace vb {
class FlexGrid;
}

class clsFLX : public QObject {
    Q_OBJECT
public:
    // Column types (ELSTYP).
    enum ColumnType : int {
        typNumber = 0,
        typIndex1 = 1,
        typIndex2 = 2,
        typIndex3 = 3,
        typDate = 4,
        typTime = 5,
        typTimeDiff = 6,
        typChoice = 7,
    };

    explicit clsFLX(QObject* parent = nullptr);
    ~clsFLX() override;

    // ---- bound controls
    vb::FlexGrid* EFLX() const { return m_flx; }
    // Binding re-initialises: one data row, 15 mm per current column, EDET True.
    void setEFLX(vb::FlexGrid* grid);
    QLineEdit* ETXT() const { return m_txt; }
    void setETXT(QLineEdit* txt);
    QComboBox* ECBO() const { return m_cbo; }
    void setECBO(QComboBox* cbo);
    gfx::PictureBox* EPIC() const { return m_pic; }
    void setEPIC(gfx::PictureBox* pic);
    // The coupled editor: created empty (and owned) on first access; rows
    // appended, inserted or removed here are mirrored in its grid once bound.
    clsFLX* EFLXK();
    // Couples another editor (not owned; it must outlive this one or be unset).
    void setEFLXK(clsFLX* coupled);

    // ---- per-column lists, one element per grid column, indexed from 0
    QVariantList ELSB() const { return m_LSB; }
    // Column widths in mm; defines the column count and resets every other list.
    void setELSB(const QVariantList& widths);
    QVariantList ELST1() const { return m_LST1; }
    void setELST1(const QVariantList& v);
    QVariantList ELST2() const { return m_LST2; } // empty: one-line headers
    void setELST2(const QVariantList& v);
    QVariantList ELSTTT() const { return m_LSTTT; }
    void setELSTTT(const QVariantList& v);
    QVariantList ELSTYP() const { return m_LSTYP; }
    void setELSTYP(const QVariantList& v);
    QStringList ELCBO(int col) const;
    void setELCBO(int col, const QStringList& choices);
    QVariantList ELFORMAT() const { return m_LFORMAT; }
    void setELFORMAT(const QVariantList& v);
    QVariantList ELA() const { return m_LA; } // 1 left, 2 centre, 3 right
    void setELA(const QVariantList& v);
    QVariantList ELMIN() const { return m_LMIN; }
    void setELMIN(const QVariantList& v);
    QVariantList ELMAX() const { return m_LMAX; }
    void setELMAX(const QVariantList& v);

    // ---- index numbering: empty, one integer, or a list of two or three
    QVariant ELINDEXMIN() const { return m_LINDEXMIN; }
    void setELINDEXMIN(const QVariant& v); // also renumbers
    QVariant ELINDEXMAX() const { return m_LINDEXMAX; }
    void setELINDEXMAX(const QVariant& v); // also sizes the grid

    // ---- flags and state
    bool EBOH() const { return m_BOH; }
    void setEBOH(bool v);
    // -1: against the row before; 0: against data row 1; n > 0: against the
    // last row above whose cell in column n differs.
    short EDET() const { return m_DET; }
    void setEDET(short v);
    short ESNR() const { return m_SNR; }
    short EZNR() const { return m_ZNR; }
    QVariant EMATRIX(int col, int row) const;
    void setEMATRIX(int col, int row, const QVariant& value);

    // ---- operations
    void NUMMERIEREN();
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, bool FETT, bool UNTERSTRICHEN,
                              bool KURSIV, qint32 FARBE);
    void AKTUALISIEREN();
    void BESCHRIFTEN();
    void BEARBEITEN(int key, float x = 0);
    void EINFUEGEN(int key);
    void ZEILEEINFUEGEN();
    void ZEILEENTFERNEN();
    void TOOLTIP(float x, float y);

    // The value check of a commit: trims `text` in place; shows the German
    // message titled "MSFlexGrid / " + caption and returns false when invalid.
    static bool WERTPRUEFUNG(QString& text, float min, float max, bool whole, bool dateTime, const QString& caption);
    // Seconds (or days when only the dates are valid) from date 1/time 1 to date 2/time 2.
    static float ZEITDIFFERENZ(const QString& date1, const QString& time1, const QString& date2, const QString& time2);

    // The six header fonts prepared by SCHRIFTEINSTELLUNGEN (slots 0 to 5).
    const QFont& headerFont(int slot) const { return m_headerFonts[static_cast<size_t>(slot)]; }
    // Whether a cell edit is open (an overlay editor is shown).
    bool editorOpen() const;
    // Whether fill mode is armed (shown by the cross pointer on the grid).
    bool fillArmed() const;
    // The columns of index levels 1-3 and of the date, time and time
    // difference, as the column types set them; -1 when absent.
    int indexColumn(int level) const { return m_index[static_cast<size_t>(level - 1)]; }
    int dateColumn() const { return m_dateCol; }
    int timeColumn() const { return m_timeCol; }
    int timeDiffColumn() const { return m_diffCol; }

    // Wires the grid's DblClick, KeyPress, MouseDown/Up, Click, Scroll and
    // MouseMove, the text box's and combo box's keys and the picture's
    // MouseMove to the editor, as the hosts of this program do.
    void connectHostEvents();

    // While it lives, every cell whose display still shows a loaded value holds
    // that value's exact text, so a grid transfer writes back what was read
    // rather than the rounded display; the display returns afterwards.
    class ExactTexts {
    public:
        explicit ExactTexts(clsFLX& flx);
        ~ExactTexts();
        ExactTexts(const ExactTexts&) = delete;
        ExactTexts& operator=(const ExactTexts&) = delete;

    private:
        struct Cell { int row, col; QString display; };
        clsFLX& m_flx;
        QVector<Cell> m_cells;
    };

signals:
    // After Enter in the text box or combo box was handled (committed, or
    // refused by the value check); key is 13.
    void editorKeyPress(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void resetLists(int cols);
    void applyWidths();
    void applyTypes();
    void applyAlignment();
    void appendRow();
    void openTextBox(int key);
    void openComboBox(int key);
    bool commitTextBox();
    bool commitComboBox();
    void copyBlock();
    void pasteBlock();
    // Makes the empty state's row usable and grows the grid to `rows` data
    // rows, all selected; false when the grid stays empty.
    bool leaveEmptyState(int rows);
    void armFill(float x);
    void completeFill();
    void refreshTimeDifferences();
    int referenceRow(int row) const;
    bool hasTime(int row) const;
    void columnLimits(int col, float& min, float& max) const;
    QString columnFormat(int col) const;
    int columnType(int col) const;
    QString header1(int col) const;
    QRect cellRectIn(QWidget* overlay, int row, int col) const;
    // Writes a cell the editor itself produced (its exact text is the display).
    void setCell(int row, int col, const QString& text);
    // Formats a cell for display, keeping a loaded value's exact text.
    void formatCell(int row, int col, const QString& format);
    // Rebuilds the markup fonts of the header picture from the header fonts.
    void headerFontsChanged();
    // Draws a header text with markup on the header picture (x, y in twips;
    // horizontal 0 start/1 centre/2 end, vertical 0 top/1 middle/2 bottom).
    void TEXTZEICHNEN(float x, float y, const QString& text, short horizontal, short vertical);

    vb::FlexGrid* m_flx = nullptr;
    QLineEdit* m_txt = nullptr;
    QComboBox* m_cbo = nullptr;
    gfx::PictureBox* m_pic = nullptr;
    QWidget* m_picWidget = nullptr; // the same picture, as the widget that gets mouse moves
    std::unique_ptr<clsFLX> m_ownCoupled;
    clsFLX* m_coupled = nullptr;
    std::unique_ptr<gfx::MarkupText> m_markup;

    QVariantList m_LSB, m_LST1, m_LST2, m_LSTTT, m_LSTYP, m_LFORMAT, m_LA, m_LMIN, m_LMAX;
    QVector<QStringList> m_LCBO;
    QVariant m_LINDEXMIN, m_LINDEXMAX;
    bool m_BOH = true;
    short m_DET = -1;
    short m_SNR = 0;
    short m_ZNR = 0;

    std::array<int, 3> m_index{-1, -1, -1};
    int m_dateCol = -1;
    int m_timeCol = -1;
    int m_diffCol = -1;
    std::array<int, 3> m_start{0, 0, 0}; // index start values of levels 1-3
    std::array<int, 2> m_max{0, 0};      // maxima of levels 2 and 3
    std::array<int, 3> m_counter{0, 0, 0};
    std::array<QFont, 6> m_headerFonts;
    QFont m_gridFont;
    QColor m_gridColor;
};
