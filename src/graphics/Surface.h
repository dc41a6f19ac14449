#pragma once
// A drawing surface as the toolkit sees a picture box or the printer: page
// coordinates in millimetres from the top-left corner, x to the right, y
// downwards, and the drawing state VB keeps on the surface (font, fore colour,
// pen width and style, current position).
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

namespace gfx {

constexpr double kTwipsPerMm = 56.7;

// The font of a surface (VB's Font object).
struct SurfaceFont {
    QString name = QStringLiteral("Arial");
    double size = 8;          // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int weight = 400;         // 400 normal, 700 bold
    bool operator==(const SurfaceFont&) const = default;
};

// VB's DrawStyle values.
enum DrawStyleKind { vbSolid = 0, vbDash = 1, vbDot = 2, vbDashDot = 3, vbDashDotDot = 4, vbInvisible = 5, vbInsideSolid = 6 };
// VB's FillStyle values.
enum FillStyleKind { vbFSSolid = 0, vbFSTransparent = 1, vbHorizontalLine = 2, vbVerticalLine = 3,
                     vbUpwardDiagonal = 4, vbDownwardDiagonal = 5, vbCross = 6, vbDiagonalCross = 7 };

// The pen of one drawing call.
struct PenState {
    qint32 color = 0;
    int width = 1;            // pixels
    int style = vbSolid;
};

class Surface {
public:
    virtual ~Surface();

    // ---- geometry
    virtual QSizeF sizeMm() const = 0;
    // Device pixels per millimetre (the same in x and y).
    virtual double pixelsPerMm() const = 0;
    // VB's Width and Height: the size in twips.
    double Width() const { return sizeMm().width() * kTwipsPerMm; }
    double Height() const { return sizeMm().height() * kTwipsPerMm; }
    virtual bool isPrinter() const { return false; }
    // The name a message uses for the surface (a control's name, "Printer").
    virtual QString name() const { return m_name; }
    void setName(const QString& n) { m_name = n; }

    // ---- drawing state
    SurfaceFont Font;
    qint32 ForeColor = 0;
    qint32 BackColor = 0xFFFFFF;
    int DrawWidth = 1;
    int DrawStyle = vbSolid;
    int DrawMode = 13;          // copy pen; the only mode drawn
    bool FontTransparent = true;
    int FillStyle = vbFSTransparent;
    qint32 FillColor = 0;
    double CurrentX = 0;
    double CurrentY = 0;

    // ---- operations (millimetres)
    void Line(double x1, double y1, double x2, double y2);                // in ForeColor
    void Line(double x1, double y1, double x2, double y2, qint32 color);
    // A circle of radius r; filled with the colour when `filled`.
    void Circle(double x, double y, double r, qint32 color, bool filled = false);
    void PSet(double x, double y, qint32 color);
    // A closed polygon in the pen, filled by FillStyle/FillColor, clipped to `clip`.
    void Polygon(const QVector<QPointF>& points, const QRectF& clip);
    // Prints the text with its top-left corner at CurrentX/CurrentY in the
    // surface font, turned counter-clockwise by angle degrees about that corner;
    // CurrentX/CurrentY move to the end of the text.
    void Print(const QString& text, double angleDegrees = 0);
    double TextWidth(const QString& text) const { return textWidth(text, Font); }
    double TextHeight(const QString& text = QString()) const { Q_UNUSED(text); return textHeight(Font); }
    virtual double textWidth(const QString& text, const SurfaceFont& font) const = 0;
    virtual double textHeight(const SurfaceFont& font) const = 0;
    // Clears the surface to the back colour and resets the current position.
    void Cls();

protected:
    PenState pen(qint32 color) const { return PenState{color, DrawWidth, DrawStyle}; }
    virtual void drawLine(QPointF a, QPointF b, const PenState& pen) = 0;
    virtual void drawCircle(QPointF c, double r, const PenState& pen, bool filled) = 0;
    virtual void drawPoint(QPointF p, const PenState& pen) = 0;
    virtual void drawPolygon(const QVector<QPointF>& points, const PenState& pen, int fillStyle, qint32 fillColor,
                             const QRectF& clip) = 0;
    virtual void drawText(QPointF topLeft, const QString& text, const SurfaceFont& font, qint32 color,
                          double angleDegrees, bool opaque, qint32 backColor) = 0;
    virtual void clear(qint32 backColor) = 0;

private:
    QString m_name;
};

} // namespace gfx
