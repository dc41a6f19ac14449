#pragma once
// Draws a text with markup on a surface: each run in its font slot and with
// its vertical shift, the whole string placed at a point by an angle and an
// anchor, and left out when it would stick out of a given rectangle.
#include "graphics/Surface.h"
#include "graphics/TextMarkup.h"

#include <array>
#include <optional>

class clsROTATOR;

namespace gfx {

class MarkupText {
public:
    explicit MarkupText(Surface* surface = nullptr) : m_surface(surface) { rebuildSlots(); }
    void setSurface(Surface* surface);
    Surface* surface() const { return m_surface; }

    // The surface font gets the name ("Arial" when empty), the size (8 below 1),
    // bold, underline and italic (non-zero = on) and the fore colour; the font
    // slots are rebuilt from it.
    void setFont(const QString& name, short size, short bold, short underline, short italic, qint32 color);
    // Slots 2 (plain) and 3 (Greek) as the surface font, 4 and 5 the same at
    // size / 1.175 rounded; 3 and 5 in "Symbol".
    void rebuildSlots();
    const SurfaceFont& slot(int i) const { return m_slots[static_cast<size_t>(i)]; }
    const SurfaceFont& fontOf(const TextRun& run) const;

    struct Layout {
        QVector<TextRun> runs;
        QVector<double> widths; // of each run in its font
        double width = 0;       // of all runs
        double height = 0;      // of the text in the plain font
    };
    Layout layout(const QString& text) const;

    // The offsets from the reference point of the corners of the text's box
    // for an angle (degrees) and the anchors, as (min x, min y, max x, max y).
    static QRectF extent(const Layout& l, double angleDegrees, short horizontal, short vertical);
    // The same offsets for the box the drawn runs cover: lowered and raised
    // runs reach beyond the box the anchors use.
    QRectF inkExtent(const Layout& l, double angleDegrees, short horizontal, short vertical) const;

    // Draws `text` (markup, no number conversion) with the reference point p.
    // With `bounds`, the text is drawn only when its box lies strictly inside.
    // Returns whether it was drawn.
    bool draw(QPointF p, const QString& text, double angleDegrees, short horizontal, short vertical,
              const std::optional<QRectF>& bounds = std::nullopt);

private:
    double shiftOf(const TextRun& run) const;
    Surface* m_surface = nullptr;
    std::array<SurfaceFont, 6> m_slots;
};

} // namespace gfx
