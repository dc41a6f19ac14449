#pragma once
// A ruled table on a drawing surface: a title, a head block with the column
// headings, a body block with the data rows (scrolled by a vertical bar on
// screen, every row on the printer), an optional foot block with column
// statistics, and a footnote. Lengths in the surface's millimetres.
//
// Blocks are handed over as [column][row] arrays of values; an empty
// (invalid) QVariant is an empty cell.
#include "graphics/MarkupText.h"
#include "graphics/PenSettings.h"
#include "graphics/ScrollBar.h"
#include "graphics/Surface.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class clsTABELLE {
public:
    using Block = QVector<QVector<QVariant>>; // [column][row]

    clsTABELLE();

    gfx::Surface* EOBJEKT() const { return m_surface; }
    void setEOBJEKT(gfx::Surface* surface);
    // The body's scroll bar on screen; none draws every row.
    gfx::ScrollBar* EYBALKEN() const { return m_bar; }
    void setEYBALKEN(gfx::ScrollBar* bar) { m_bar = bar; }

    float EXDL() const { return m_EXDL; }
    void setEXDL(float v) { m_EXDL = v; }
    float EYDO() const { return m_EYDO; }
    void setEYDO(float v) { m_EYDO = v; }
    float ERO() const { return m_ERO; }
    void setERO(float v) { m_ERO = v; }
    float ERU() const { return m_ERU; }
    void setERU(float v) { m_ERU = v; }
    float ERL() const { return m_ERL; }
    void setERL(float v) { m_ERL = v; }
    float ERZ() const { return m_ERZ; }
    void setERZ(float v) { m_ERZ = v; }
    float EZH() const { return m_EZH; }
    void setEZH(float v) { m_EZH = v; }
    float EZA() const { return m_EZA; }
    void setEZA(float v) { m_EZA = v; }

    // Column widths; required (an empty list is reported when a block is drawn).
    QVector<float> ELSB() const { return m_ELSB; }
    void setELSB(const QVector<float>& v) { m_ELSB = v; }
    // Rule at each inner column boundary: 0 none, 1 single, 2 double.
    QVector<short> ELGIT() const { return m_ELGIT; }
    void setELGIT(const QVector<short>& v) { m_ELGIT = v; }
    QVector<short> ELGITLEER() const { return m_ELGITLEER; }
    void setELGITLEER(const QVector<short>& v) { m_ELGITLEER = v; }
    // Alignment per column: 0 left, 1 centred, 2 right, 3 on the decimal point.
    QVector<short> ELA() const { return m_ELA; }
    void setELA(const QVector<short>& v) { m_ELA = v; }
    // Number format per column; empty = the value's own text; "SYMBOL" = a point symbol code.
    QStringList ELFORMAT() const { return m_ELFORMAT; }
    void setELFORMAT(const QStringList& v) { m_ELFORMAT = v; }
    // 1 = mean, standard deviation and coefficient of variation in the foot block.
    QVector<short> ELMW() const { return m_ELMW; }
    void setELMW(const QVector<short>& v) { m_ELMW = v; }
    // Row labels of the foot block, which then run over the columns before
    // the first statistics column ("m", "s", "v" when none are given).
    QStringList ELFUSS() const { return m_ELFUSS; }
    void setELFUSS(const QStringList& v) { m_ELFUSS = v; }
    // Text colour per body row; a row without an entry, or with -1, keeps the
    // surface's colour.
    QVector<qint32> ELZFARBE() const { return m_ELZFARBE; }
    void setELZFARBE(const QVector<qint32>& v) { m_ELZFARBE = v; }
    short EEZ() const { return m_EEZ; }
    void setEEZ(short v) { m_EEZ = v; }
    short ELZ() const { return m_ELZ; }
    void setELZ(short v) { m_ELZ = v; }
    // Height of the head block plus the body block drawn so far.
    float HOEHE() const;
    // The body rows drawn on paper; first < 0 (the default) draws every row.
    // A page printing a long table over several sheets gives each its share.
    void setPaperRows(short first, short last)
    {
        m_paperFirst = first;
        m_paperLast = last;
    }
    // How many body rows fit below a head block of `headRows` rows when
    // nothing of the table, its footnote included, may reach below `bottom`
    // (surface millimetres); at least one.
    int rowsFitting(int headRows, double bottom);

    // POSITION 1 body, 2 foot with statistics, anything else head.
    void TABELLE(const Block& X, short POSITION);
    void TITEL(const QString& TXT);
    // Lines separated by "\n", below the table; room is kept for EFNZ lines.
    void FUSSNOTE(const QString& TXT);
    short EFNZ() const { return m_EFNZ; }
    void setEFNZ(short v) { m_EFNZ = v; }
    // The pen width in pixels and the colour the pen ended with.
    gfx::Pen LINIENEINSTELLUNGEN(short LINIENART, float LINIENBREITE, qint32 FARBE);
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, short FETT, short UNTERSTRICHEN,
                              short KURSIV, qint32 FARBE);

    struct Statistics {
        double mean = 0;
        double s = 0;
        double cv = 0;
    };
    static Statistics statistics(const QVector<double>& x);

private:
    // The rows a body of `rows` rows shows now (EEZ..ELZ); places or hides the
    // scroll bar on screen.
    void chooseBodyRows(int rows, float totalWidth);
    gfx::Surface& surface() const;
    float rowHeight();
    float blockHeight(int rows) const;
    // Box and vertical rules of a block; no rules before column `from`.
    void drawFrame(float top, float height, int columns, int from = 0);
    // Room a foot block takes below the body: none without statistics.
    float footRoom() const;
    // asText: the value is drawn as it is, not in the column's format.
    void drawCell(const QVariant& value, int column, float x, float bottom, bool asText);
    // Room below the body for its bottom padding and the footnote line, so a
    // scrolled body never pushes the footnote off the surface.
    float footnoteRoom() const;
    int lastFittingRow(int rows) const;
    // Rows (at most `rows`) whose bottoms, with the padding and footnote below,
    // stay above `limit` when the body starts at `bodyTop`.
    int fittingRows(double bodyTop, double limit, int rows) const;
    void placeBar(float totalWidth);

    gfx::Surface* m_surface = nullptr;
    gfx::ScrollBar* m_bar = nullptr;
    short m_EFNZ = 1;
    float m_EXDL = 0, m_EYDO = 0, m_ERO = 0, m_ERU = 0, m_ERL = 0, m_ERZ = 0, m_EZH = 0, m_EZA = 1;
    QVector<float> m_ELSB;
    QVector<short> m_ELGIT, m_ELGITLEER, m_ELA, m_ELMW;
    QStringList m_ELFORMAT, m_ELFUSS;
    QVector<qint32> m_ELZFARBE;
    short m_EEZ = 0, m_ELZ = 0;
    short m_paperFirst = -1, m_paperLast = -1;
    float m_headHeight = 0, m_bodyHeight = 0, m_footHeight = 0;
    gfx::MarkupText m_text;
};
