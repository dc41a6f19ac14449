#pragma once
// One diagram on one drawing surface: its settings (the E properties), the
// scales computed by SKALEN from the settings stored in table G0 and the data,
// the transformation between world coordinates and page millimetres, and the
// drawing of texts with markup, clipped lines, curves with point symbols,
// arrowheads and axes.
//
// Calling order: set EID and EIDOBJEKT, then EOBJEKT (which sets ELX/ELY from
// the surface), offsets, sizes, axis settings and lists; call SKALEN; then draw
// with POLYGON, LINIE and TEXT, which use the scales SKALEN stored.
#include "graphics/AxisDivision.h"
#include "graphics/MarkupText.h"
#include "graphics/PenSettings.h"
#include "graphics/Surface.h"

#include <QRectF>
#include <QString>
#include <QVariant>
#include <QVector>
#include <optional>

class Session;

class clsGRAFIK {
public:
    // Reads and writes the diagram settings of `s`'s project. EID is the
    // current record (the first E1 row with AKT true), 0 without one or
    // without an open project.
    explicit clsGRAFIK(Session& s);

    // ---- settings
    qint32 EID() const { return m_EID; }
    void setEID(qint32 v) { m_EID = v; }
    short EIDOBJEKT() const { return m_EIDOBJEKT; }
    void setEIDOBJEKT(short v) { m_EIDOBJEKT = v; }
    gfx::Surface* EOBJEKT() const { return m_surface; }
    // Binds the surface: ELX/ELY from its size (resetting the axis lists), the
    // default font (Arial 8).
    void setEOBJEKT(gfx::Surface* surface);
    float EXDL() const { return m_EXDL; }
    void setEXDL(float v) { m_EXDL = v; }
    float EYDO() const { return m_EYDO; }
    void setEYDO(float v) { m_EYDO = v; }
    float ELX() const { return m_ELX; }
    // Also resets the x lists to (0, ELX), (ELX), (1), (0), (0).
    void setELX(float v);
    float ELY() const { return m_ELY; }
    void setELY(float v);
    short EAXEX() const { return m_EAXEX; }
    void setEAXEX(short v) { m_EAXEX = v; }
    short EAXEY() const { return m_EAXEY; }
    void setEAXEY(short v) { m_EAXEY = v; }
    short ESKTX() const { return m_ESKTX; }
    void setESKTX(short v) { m_ESKTX = v; }
    short ESKTY() const { return m_ESKTY; }
    void setESKTY(short v) { m_ESKTY = v; }
    short EBOXMIN() const { return m_EBOXMIN; }
    void setEBOXMIN(short v) { m_EBOXMIN = v; }
    short EBOXMAX() const { return m_EBOXMAX; }
    void setEBOXMAX(short v) { m_EBOXMAX = v; }
    short EBOYMIN() const { return m_EBOYMIN; }
    void setEBOYMIN(short v) { m_EBOYMIN = v; }
    short EBOYMAX() const { return m_EBOYMAX; }
    void setEBOYMAX(short v) { m_EBOYMAX = v; }
    // The axis lists; an empty ELXMIN (ELYMIN) leaves that axis undivided.
    QVector<float> ELXMIN() const { return m_x.MIN; }
    void setELXMIN(const QVector<float>& v) { m_x.MIN = v; }
    QVector<float> ELYMIN() const { return m_y.MIN; }
    void setELYMIN(const QVector<float>& v) { m_y.MIN = v; }
    QVector<float> ELXDIFF() const { return m_x.DIFF; }
    void setELXDIFF(const QVector<float>& v) { m_x.DIFF = v; }
    QVector<float> ELYDIFF() const { return m_y.DIFF; }
    void setELYDIFF(const QVector<float>& v) { m_y.DIFF = v; }
    QVector<short> ELXIT() const { return m_x.IT; }
    void setELXIT(const QVector<short>& v) { m_x.IT = v; }
    QVector<short> ELYIT() const { return m_y.IT; }
    void setELYIT(const QVector<short>& v) { m_y.IT = v; }
    QVector<short> ELXGIT() const { return m_x.GIT; }
    void setELXGIT(const QVector<short>& v) { m_x.GIT = v; }
    QVector<short> ELYGIT() const { return m_y.GIT; }
    void setELYGIT(const QVector<short>& v) { m_y.GIT = v; }
    QVector<short> ELXZL() const { return m_x.ZL; }
    void setELXZL(const QVector<short>& v) { m_x.ZL = v; }
    QVector<short> ELYZL() const { return m_y.ZL; }
    void setELYZL(const QVector<short>& v) { m_y.ZL = v; }
    QString ETEXTX() const { return m_ETEXTX; }
    void setETEXTX(const QString& v) { m_ETEXTX = v; }
    QString ETEXTY() const { return m_ETEXTY; }
    void setETEXTY(const QString& v) { m_ETEXTY = v; }
    QString ESKZX() const { return m_ESKZX; }
    void setESKZX(const QString& v) { m_ESKZX = v; }
    QString ESKZY() const { return m_ESKZY; }
    void setESKZY(const QString& v) { m_ESKZY = v; }
    float EXYIT() const { return m_EXYIT; }
    void setEXYIT(float v);
    short EPTYP() const { return m_EPTYP; }
    void setEPTYP(short v) { m_EPTYP = v; }

    // ---- scale state (filled by SKALEN)
    short OX() const { return m_OX; }
    short OY() const { return m_OY; }
    float RL() const { return m_RL; }
    float RR() const { return m_RR; }
    float RO() const { return m_RO; }
    float RU() const { return m_RU; }
    float XMIN() const { return m_XMIN; }
    float XMAX() const { return m_XMAX; }
    float YMIN() const { return m_YMIN; }
    float YMAX() const { return m_YMAX; }
    float MX() const { return m_MX; }
    float MY() const { return m_MY; }
    float MYMX() const { return m_MYMX; }
    const gfx::AxisScale& scaleX() const { return m_sx; }
    const gfx::AxisScale& scaleY() const { return m_sy; }
    // The diagram and plot areas in page millimetres.
    QRectF diagramArea() const;
    QRectF plotArea() const;
    // For tests and callers that set the scales themselves.
    void setScales(short OX, short OY, float RL, float RR, float RO, float RU, float XMIN, float XMAX, float YMIN,
                   float YMAX, float MX, float MY);

    // ---- transforms (world values on a logarithmic axis are logarithms)
    void KOORDTRANS(float x, float y, float& xp, float& yp);
    // A log flag of 1 returns 10 to the power of the result on that axis.
    void KOORDTRANSINV(float xp, float yp, float& x, float& y, short logx, short logy);

    // ---- scales and axes
    // nr: -1 limits from this curve, drawn; 0 stored limits, drawn; 1 first of
    // several curves; 2 a further curve; 3 the last curve, drawn.
    void SKALEN(short nr);
    void SKALEN(short nr, const QVector<float>& x, const QVector<float>& y);
    // x and y must each be empty or hold a QVector<float>.
    void SKALEN(short nr, const QVariant& x, const QVariant& y);

    // ---- text
    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, short FETT, short UNTERSTRICHEN,
                              short KURSIV, qint32 FARBE);
    // reference 0 page mm, 1 world, 2 mm from the diagram corner; angle in
    // degrees; horizontal 0 start/1 centre/2 end; vertical 0 top/1 middle/2 bottom.
    // A number in exponent notation is rewritten in `text` (1E-05 -> 1*10{h,3}-05).
    void TEXT(float x, float y, QString& text, short reference, short angle, short horizontal, short vertical);
    void TEXT(float x, float y, const QString& text, short reference, short angle, short horizontal, short vertical);
    // The box (page mm) TEXT would cover with these arguments, in the current font, lowered and raised runs included.
    QRectF textBox(float x, float y, const QString& text, short reference, short angle, short horizontal, short vertical);

    // ---- lines
    // BOSK 1 clips to the diagram area, any other value to the plot area.
    void LINIE(float X1, float Y1, float X2, float Y2, std::optional<qint32> FB = std::nullopt, short BOSK = 0);
    // Returns the converted width (pixels) and colour.
    gfx::Pen LINIENEINSTELLUNGEN(short LINIENART, float LINIENBREITE, qint32 FARBE);
    void PFEIL(float XP1, float YP1, float XP2, float YP2);
    // A curve through world points in the current pen, clipped to the plot
    // area. On a logarithmic axis the caller's values are replaced by their
    // logarithms; values <= 0 there become 0 and their points are left out.
    // PSIT/PNR: 0 none, 1 or 2 every point, n >= 3 every k-th point with
    //   k = round((points - 1)/(n - 1)) (half to even, at least 1), -1 the first;
    //   symbols only inside the plot area. PSTYP: symbol 0..7 (PointSymbol.h).
    // FARBEN -1: pen colour by symbol type. BOL: false leaves out the segment
    //   to that point (EPTYP 0).
    // EPTYP: 0 open curve; 1 closed outline; 2 closed and filled, 3 hatched,
    //   4 cross-hatched; 5 area down to the lower plot edge filled, 6 hatched;
    //   7 step curve (across, then up or down); 8 a bar from every point down
    //   to the lower plot edge.
    // LAGETEXT: 1 above, 2 below, 3 right of (2 mm), 4 left of (2 mm) the last
    //   point; 5..8 the same at the first point, 9..12 at the middle point;
    //   13/14 above and right of the last/first point; others no label.
    // LAGEPFEIL: 1 arrowhead at the end, 2 at the start, 3 both, others none.
    void POLYGON(QVector<float>& X, QVector<float>& Y, short PSIT, short PSTYP, short PNR, const QString& TXT,
                 short LAGETEXT, short LAGEPFEIL, short FARBEN, const QVector<bool>* BOL = nullptr);

    // The points chosen by PSIT/PNR among n points.
    static QVector<int> pickPoints(short every, int n);

private:
    gfx::Surface& surface() const;
    // world -> page; raises 11 when the scales are not set
    QPointF transform(float x, float y) const;
    // The page point of TEXT's reference point.
    QPointF textPoint(float x, float y, short reference) const;
    bool clip(QPointF& a, QPointF& b, const QRectF& r) const;
    void drawSegment(QPointF a, QPointF b, std::optional<qint32> colour, short bosk);
    void drawArrow(QPointF tail, QPointF tip);
    void drawCurve(const QVector<QPointF>& p, const QVector<bool>& skip, const QVector<bool>* BOL);
    void drawLabel(const QVector<QPointF>& p, const QString& text, short LAGETEXT);
    void readSettings();
    void writeLimits();
    void computeScaleFactors();
    void drawAxis(bool xAxis);

    Session& m_s;
    qint32 m_EID = 0;
    short m_EIDOBJEKT = 11;
    gfx::Surface* m_surface = nullptr;
    float m_EXDL = 0, m_EYDO = 0, m_ELX = 0, m_ELY = 0;
    short m_EAXEX = 1, m_EAXEY = 1, m_ESKTX = 0, m_ESKTY = 0;
    short m_EBOXMIN = 0, m_EBOXMAX = 0, m_EBOYMIN = 0, m_EBOYMAX = 0;
    gfx::AxisLists m_x, m_y;
    QString m_ETEXTX, m_ETEXTY;
    QString m_ESKZX = QStringLiteral("####0"), m_ESKZY = QStringLiteral("####0");
    float m_EXYIT = 0;
    short m_EPTYP = 0;

    short m_OX = 1, m_OY = 1;
    float m_RL = 0, m_RR = 0, m_RO = 0, m_RU = 0;
    float m_XMIN = 0, m_XMAX = 0, m_YMIN = 0, m_YMAX = 0;
    float m_MX = 0, m_MY = 0, m_MYMX = 0;
    float m_SX = 0, m_SY = 0; // scroll offsets (no scroll bars: always 0)
    gfx::AxisScale m_sx, m_sy;
    gfx::MarkupText m_text;
};
