#include "graphics/MarkupText.h"

#include "graphics/clsROTATOR.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {
constexpr double kDegToRad = 0.017453292;
const QString kSymbol = QStringLiteral("Symbol");

// The text's directions on the page (y down) and the offset of its top-left
// corner from the reference point for the anchors.
struct Placement {
    QPointF along, down, start;
    Placement(const MarkupText::Layout& l, double angleDegrees, short horizontal, short vertical)
    {
        const double a = angleDegrees * kDegToRad;
        along = QPointF(std::cos(a), -std::sin(a));
        down = QPointF(std::sin(a), std::cos(a));
        const double hf = horizontal == 1 ? 0.5 : horizontal == 2 ? 1.0 : 0.0;
        const double vf = vertical == 1 ? 0.5 : vertical == 2 ? 1.0 : 0.0;
        start = -along * (hf * l.width) - down * (vf * l.height);
    }
};

// The smallest upright box around corners.
class Bounds {
public:
    void add(QPointF c)
    {
        x0 = std::min(x0, c.x());
        y0 = std::min(y0, c.y());
        x1 = std::max(x1, c.x());
        y1 = std::max(y1, c.y());
    }
    // the box of width w along and height h down from corner c
    void add(const Placement& p, QPointF c, double w, double h)
    {
        for (const QPointF k : {c, c + p.along * w, c + p.down * h, c + p.along * w + p.down * h}) add(k);
    }
    QRectF rect() const { return QRectF(QPointF(x0, y0), QPointF(x1, y1)); }

private:
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
};
} // namespace

void MarkupText::setSurface(Surface* surface)
{
    m_surface = surface;
    rebuildSlots();
}

void MarkupText::setFont(const QString& name, short size, short bold, short underline, short italic, qint32 color)
{
    if (!m_surface) return;
    SurfaceFont& f = m_surface->Font;
    f.name = name.isEmpty() ? QStringLiteral("Arial") : name;
    f.size = size < 1 ? 8 : size;
    f.bold = bold != 0;
    f.weight = f.bold ? 700 : 400;
    f.underline = underline != 0;
    f.italic = italic != 0;
    m_surface->ForeColor = color;
    rebuildSlots();
}

void MarkupText::rebuildSlots()
{
    const SurfaceFont base = m_surface ? m_surface->Font : SurfaceFont{};
    const double small = std::max(1.0, std::round(base.size / 1.175));
    for (SurfaceFont& f : m_slots) f = base;
    m_slots[3].name = kSymbol;
    m_slots[4].size = small;
    m_slots[5].name = kSymbol;
    m_slots[5].size = small;
}

const SurfaceFont& MarkupText::fontOf(const TextRun& run) const
{
    switch (run.kind) {
    case TextRun::Greek: return m_slots[3];
    case TextRun::Sub:
    case TextRun::Sup: return m_slots[4];
    case TextRun::GreekSub:
    case TextRun::GreekSup: return m_slots[5];
    default: return m_slots[2];
    }
}

double MarkupText::shiftOf(const TextRun& run) const
{
    // positive = up, in parts of the run's text height
    const double h = m_surface->textHeight(fontOf(run));
    switch (run.kind) {
    case TextRun::Sub:
    case TextRun::GreekSub: return -0.35 * h;
    case TextRun::Sup:
    case TextRun::GreekSup: return 0.25 * h;
    case TextRun::Greek: return 0.1 * h;
    case TextRun::Lowered: return -0.5 * h;
    default: return 0;
    }
}

MarkupText::Layout MarkupText::layout(const QString& text) const
{
    Layout l;
    if (!m_surface) return l;
    l.runs = TextMarkup::parse(text);
    for (const TextRun& r : l.runs) {
        const double w = m_surface->textWidth(r.text, fontOf(r));
        l.widths.append(w);
        l.width += w;
    }
    l.height = m_surface->textHeight(m_slots[2]);
    return l;
}

QRectF MarkupText::extent(const Layout& l, double angleDegrees, short horizontal, short vertical)
{
    const Placement p(l, angleDegrees, horizontal, vertical);
    Bounds b;
    b.add(p, p.start, l.width, l.height);
    return b.rect();
}

QRectF MarkupText::inkExtent(const Layout& l, double angleDegrees, short horizontal, short vertical) const
{
    const Placement p(l, angleDegrees, horizontal, vertical);
    Bounds b;
    b.add(p, p.start, l.width, l.height);
    if (!m_surface) return b.rect();
    double advance = 0;
    for (int i = 0; i < l.runs.size(); ++i) {
        const TextRun& run = l.runs[i];
        const double h = m_surface->textHeight(run.kind == TextRun::Lowered ? m_surface->Font : fontOf(run));
        b.add(p, p.start + p.along * advance - p.down * shiftOf(run), l.widths[i], h);
        advance += l.widths[i];
    }
    return b.rect();
}

bool MarkupText::draw(QPointF p, const QString& text, double angleDegrees, short horizontal, short vertical,
                      const std::optional<QRectF>& bounds)
{
    if (!m_surface || text.isEmpty()) return false;
    const Layout l = layout(text);
    if (l.runs.isEmpty()) return false;
    if (bounds) {
        const QRectF e = extent(l, angleDegrees, horizontal, vertical);
        if (!(bounds->left() < p.x() + e.left() && p.x() + e.right() < bounds->right() &&
              bounds->top() < p.y() + e.top() && p.y() + e.bottom() < bounds->bottom()))
            return false;
    }
    const Placement place(l, angleDegrees, horizontal, vertical);
    const QPointF &along = place.along, &down = place.down;
    const QPointF start = p + place.start;

    Surface& s = *m_surface;
    const SurfaceFont surfaceFont = s.Font;
    clsROTATOR rotator;
    if (angleDegrees != 0) {
        rotator.setDevice(&s);
        rotator.setAngle(static_cast<short>(angleDegrees));
        s.FontTransparent = true;
    }
    double advance = 0;
    for (int i = 0; i < l.runs.size(); ++i) {
        const TextRun& run = l.runs[i];
        const QPointF at = start + along * advance - down * shiftOf(run);
        s.Font = run.kind == TextRun::Lowered ? surfaceFont : fontOf(run);
        s.CurrentX = at.x();
        s.CurrentY = at.y();
        if (angleDegrees != 0) rotator.Label(run.text);
        else s.Print(run.text);
        advance += l.widths[i];
    }
    // the next text is measured in the surface font again
    s.Font = surfaceFont;
    return true;
}

} // namespace gfx
