#include "graphics/clsGRAFIK.h"

#include "data/Session.h"
#include "data/clsDATEN.h"
#include "graphics/Interpolation.h"
#include "graphics/PointSymbol.h"
#include "graphics/VBColor.h"
#include "platform/OnError.h"

#include <cmath>

using gfx::AxisDivision;

namespace {
const QString kFehler = QStringLiteral("VB-Fehler: ");

bool finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }
} // namespace

clsGRAFIK::clsGRAFIK(Session& s) : m_s(s)
{
    setELX(0);
    setELY(0);
    if (m_s.cnnX.isOpen()) m_EID = clsDATEN(m_s).ESPIDW();
}

// ------------------------------------------------------------------ settings

void clsGRAFIK::setEOBJEKT(gfx::Surface* surface)
{
    m_surface = surface;
    m_text.setSurface(surface);
    if (surface) {
        setELX(static_cast<float>(surface->Width() / gfx::kTwipsPerMm));
        setELY(static_cast<float>(surface->Height() / gfx::kTwipsPerMm));
        SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
    }
}

void clsGRAFIK::setELX(float v)
{
    m_ELX = v;
    m_x = gfx::AxisLists{{0, v}, {v}, {1}, {0}, {0}};
}

void clsGRAFIK::setELY(float v)
{
    m_ELY = v;
    m_y = gfx::AxisLists{{0, v}, {v}, {1}, {0}, {0}};
}

void clsGRAFIK::setEXYIT(float v) { m_EXYIT = static_cast<float>(AxisDivision::roundEven(v)); }

QRectF clsGRAFIK::diagramArea() const { return QRectF(m_EXDL, m_EYDO, m_ELX, m_ELY); }

QRectF clsGRAFIK::plotArea() const
{
    return QRectF(QPointF(m_EXDL + m_RL, m_EYDO + m_RO), QPointF(m_EXDL + m_ELX - m_RR, m_EYDO + m_ELY - m_RU));
}

void clsGRAFIK::setScales(short OX, short OY, float RL, float RR, float RO, float RU, float XMIN, float XMAX,
                          float YMIN, float YMAX, float MX, float MY)
{
    m_OX = OX;
    m_OY = OY;
    m_RL = RL;
    m_RR = RR;
    m_RO = RO;
    m_RU = RU;
    m_XMIN = XMIN;
    m_XMAX = XMAX;
    m_YMIN = YMIN;
    m_YMAX = YMAX;
    m_MX = MX;
    m_MY = MY;
}

gfx::Surface& clsGRAFIK::surface() const
{
    if (!m_surface) vb::Raise(91, QStringLiteral("Objektvariable oder With-Blockvariable nicht festgelegt"));
    return *m_surface;
}

// ------------------------------------------------------------------ transforms

QPointF clsGRAFIK::transform(float x, float y) const
{
    if (m_MX == 0 || m_MY == 0) vb::Raise(vb::errDivisionByZero, QStringLiteral("Division durch Null"));
    const double left = static_cast<double>(m_EXDL) + m_SX + m_RL;
    const double top = static_cast<double>(m_EYDO) + m_SY + m_RO;
    const double xp = m_OX == 1 ? left + (static_cast<double>(x) - m_XMIN) / m_MX : left + (static_cast<double>(m_XMAX) - x) / m_MX;
    const double yp = m_OY == 1 ? top + (static_cast<double>(m_YMAX) - y) / m_MY : top + (static_cast<double>(y) - m_YMIN) / m_MY;
    const QPointF p(xp, yp);
    if (!finite(p)) vb::Raise(vb::errOverflow, QStringLiteral("Überlauf"));
    return p;
}

void clsGRAFIK::KOORDTRANS(float x, float y, float& xp, float& yp)
{
    vb::OnError onError(QStringLiteral("Koordinatentransformation"), kFehler);
    onError([&] {
        const QPointF p = transform(x, y);
        xp = static_cast<float>(p.x());
        yp = static_cast<float>(p.y());
    });
}

void clsGRAFIK::KOORDTRANSINV(float xp, float yp, float& x, float& y, short logx, short logy)
{
    vb::OnError onError(QStringLiteral("Inverse Koordinatentransformation"), kFehler);
    onError([&] {
        const double dx = static_cast<double>(xp) - m_EXDL - m_SX - m_RL;
        const double dy = static_cast<double>(yp) - m_EYDO - m_SY - m_RO;
        double wx = m_OX == 1 ? m_XMIN + dx * m_MX : m_XMAX - dx * m_MX;
        double wy = m_OY == 1 ? m_YMAX - dy * m_MY : m_YMIN + dy * m_MY;
        if (logx == 1) wx = std::pow(10.0, wx);
        if (logy == 1) wy = std::pow(10.0, wy);
        if (!std::isfinite(wx) || !std::isfinite(wy)) vb::Raise(vb::errOverflow, QStringLiteral("Überlauf"));
        x = static_cast<float>(wx);
        y = static_cast<float>(wy);
    });
}

// ------------------------------------------------------------------ text

void clsGRAFIK::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, short FETT,
                                     short UNTERSTRICHEN, short KURSIV, qint32 FARBE)
{
    vb::OnError onError(QStringLiteral("Schrifteinstellungen"), QStringLiteral("VB-Fehler:"));
    onError([&] {
        surface();
        m_text.setFont(SCHRIFTART, SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV, FARBE);
    });
}

void clsGRAFIK::TEXT(float x, float y, const QString& text, short reference, short angle, short horizontal,
                     short vertical)
{
    QString copy = text;
    TEXT(x, y, copy, reference, angle, horizontal, vertical);
}

void clsGRAFIK::TEXT(float x, float y, QString& text, short reference, short angle, short horizontal, short vertical)
{
    vb::OnError onError(QStringLiteral("Text"), kFehler);
    onError([&] {
        surface();
        if (text.isEmpty()) return;
        gfx::TextMarkup::convertNumber(text);
        const QRectF bounds = reference == 1 ? plotArea() : diagramArea();
        // a text that would stick out of the widened area is left out
        m_text.draw(textPoint(x, y, reference), text, angle, horizontal, vertical, bounds.adjusted(-1, -1, 1, 1));
    });
}

QPointF clsGRAFIK::textPoint(float x, float y, short reference) const
{
    if (reference == 1) return transform(m_ESKTX == 1 ? AxisDivision::log10or0(x) : x, y);
    if (reference == 2) return QPointF(x, y) + QPointF(m_EXDL + m_SX, m_EYDO + m_SY);
    return QPointF(x, y);
}

QRectF clsGRAFIK::textBox(float x, float y, const QString& text, short reference, short angle, short horizontal,
                          short vertical)
{
    surface();
    QString copy = text;
    gfx::TextMarkup::convertNumber(copy);
    return m_text.inkExtent(m_text.layout(copy), angle, horizontal, vertical).translated(textPoint(x, y, reference));
}

// ------------------------------------------------------------------ lines

bool clsGRAFIK::clip(QPointF& a, QPointF& b, const QRectF& r) const
{
    if (!finite(a) || !finite(b)) return false;
    auto outcode = [&](QPointF p) {
        int c = 0;
        if (p.x() < r.left()) c |= 1;
        else if (p.x() > r.right()) c |= 2;
        if (p.y() < r.top()) c |= 4;
        else if (p.y() > r.bottom()) c |= 8;
        return c;
    };
    // each end outside is moved to the edge it crosses, interpolating along
    // the other coordinate, so vertical and horizontal segments need no division
    for (int pass = 0; pass < 4; ++pass) {
        const int ca = outcode(a), cb = outcode(b);
        if ((ca | cb) == 0) return true;
        if (ca & cb) return false;
        QPointF& p = ca ? a : b;
        const QPointF q = ca ? b : a;
        const int c = ca ? ca : cb;
        std::optional<double> v;
        if (c & 1) {
            if ((v = gfx::interpolate(p.x(), q.x(), r.left(), p.y(), q.y()))) p = QPointF(r.left(), *v);
        } else if (c & 2) {
            if ((v = gfx::interpolate(p.x(), q.x(), r.right(), p.y(), q.y()))) p = QPointF(r.right(), *v);
        } else if (c & 4) {
            if ((v = gfx::interpolate(p.y(), q.y(), r.top(), p.x(), q.x()))) p = QPointF(*v, r.top());
        } else if ((v = gfx::interpolate(p.y(), q.y(), r.bottom(), p.x(), q.x()))) {
            p = QPointF(*v, r.bottom());
        }
        if (!v) return false;
    }
    return outcode(a) == 0 && outcode(b) == 0;
}

void clsGRAFIK::drawSegment(QPointF a, QPointF b, std::optional<qint32> colour, short bosk)
{
    gfx::Surface& s = surface();
    if (!clip(a, b, bosk == 1 ? diagramArea() : plotArea())) return;
    s.Line(a.x(), a.y(), b.x(), b.y(), colour.value_or(s.ForeColor));
}

void clsGRAFIK::LINIE(float X1, float Y1, float X2, float Y2, std::optional<qint32> FB, short BOSK)
{
    vb::OnError onError(QStringLiteral("LINIE"));
    onError.setText([](const vb::VBError& e) {
        return QStringLiteral("VB-Fehler: \nFehlerNr. ") + QString::number(e.Number()) + QLatin1Char('\n') +
               e.Description();
    });
    onError([&] { drawSegment(QPointF(X1, Y1), QPointF(X2, Y2), FB, BOSK); });
}

gfx::Pen clsGRAFIK::LINIENEINSTELLUNGEN(short LINIENART, float LINIENBREITE, qint32 FARBE)
{
    gfx::Pen pen{LINIENBREITE, FARBE};
    vb::OnError onError(QStringLiteral("Linieneinstellungen"), QStringLiteral("VB-Fehler "));
    onError([&] { pen = gfx::applyPen(surface(), LINIENART, LINIENBREITE, FARBE); });
    return pen;
}

void clsGRAFIK::drawArrow(QPointF tail, QPointF tip)
{
    const double dist = std::hypot(tip.x() - tail.x(), tip.y() - tail.y());
    double c = 2.5;
    if (2 * c > dist) c = dist / 2;
    const double a = gfx::RICHTUNGSWINKEL(tip.x(), tip.y(), tail.x(), tail.y());
    const QPointF e1 = tip + QPointF(std::cos(a + 0.2617994), std::sin(a + 0.2617994)) * c;
    const QPointF e2 = tip + QPointF(std::cos(a - 0.2617994), std::sin(a - 0.2617994)) * c;
    drawSegment(tip, e1, std::nullopt, 0);
    drawSegment(tip, e2, std::nullopt, 0);
    drawSegment(e1, e2, std::nullopt, 0);
}

void clsGRAFIK::PFEIL(float XP1, float YP1, float XP2, float YP2)
{
    vb::OnError onError(QStringLiteral("Pfeil"), kFehler);
    onError([&] { drawArrow(QPointF(XP1, YP1), QPointF(XP2, YP2)); });
}

// ------------------------------------------------------------------ curves

QVector<int> clsGRAFIK::pickPoints(short every, int n)
{
    QVector<int> out;
    if (n <= 0) return out;
    if (every == -1) {
        out.append(0);
    } else if (every == 1 || every == 2) {
        for (int i = 0; i < n; ++i) out.append(i);
    } else if (every >= 3) {
        const int k = std::max(1, AxisDivision::roundEven(static_cast<double>(n - 1) / (every - 1)));
        for (int i = 0; i < n; i += k) out.append(i);
    }
    return out;
}

// The shape of EPTYP; points left out on a logarithmic axis break the curve.
void clsGRAFIK::drawCurve(const QVector<QPointF>& p, const QVector<bool>& skip, const QVector<bool>* BOL)
{
    gfx::Surface& s = surface();
    const int n = p.size();
    const QRectF plot = plotArea();
    auto segment = [&](int i, int j) {
        if (!skip[i] && !skip[j]) drawSegment(p[i], p[j], std::nullopt, 0);
    };
    auto fill = [&](const QVector<QPointF>& pts, int style) {
        const int oldStyle = s.FillStyle;
        const qint32 oldColour = s.FillColor;
        s.FillStyle = style;
        s.FillColor = s.ForeColor;
        s.Polygon(pts, plot);
        s.FillStyle = oldStyle;
        s.FillColor = oldColour;
    };
    QVector<QPointF> kept;
    for (int i = 0; i < n; ++i)
        if (!skip[i]) kept.append(p[i]);

    switch (m_EPTYP) {
    case 1:
        for (int i = 1; i < n; ++i) segment(i - 1, i);
        if (n > 2) segment(n - 1, 0);
        break;
    case 2:
    case 3:
    case 4: {
        static const int styles[] = {gfx::vbFSSolid, gfx::vbUpwardDiagonal, gfx::vbDiagonalCross};
        fill(kept, styles[m_EPTYP - 2]);
        break;
    }
    case 5:
    case 6: {
        if (kept.size() >= 2) {
            QVector<QPointF> area = kept;
            area << QPointF(kept.last().x(), plot.bottom()) << QPointF(kept.first().x(), plot.bottom());
            fill(area, m_EPTYP == 5 ? gfx::vbFSSolid : gfx::vbUpwardDiagonal);
        }
        for (int i = 1; i < n; ++i) segment(i - 1, i);
        break;
    }
    case 7:
        for (int i = 1; i < n; ++i) {
            if (skip[i - 1] || skip[i]) continue;
            const QPointF corner(p[i].x(), p[i - 1].y());
            drawSegment(p[i - 1], corner, std::nullopt, 0);
            drawSegment(corner, p[i], std::nullopt, 0);
        }
        break;
    case 8:
        for (int i = 0; i < n; ++i)
            if (!skip[i]) drawSegment(p[i], QPointF(p[i].x(), plot.bottom()), std::nullopt, 0);
        break;
    default:
        for (int i = 1; i < n; ++i) {
            if (BOL && i < BOL->size() && !(*BOL)[i]) continue;
            segment(i - 1, i);
        }
    }
}

void clsGRAFIK::drawLabel(const QVector<QPointF>& p, const QString& text, short LAGETEXT)
{
    if (LAGETEXT < 1 || LAGETEXT > 14 || p.isEmpty()) return;
    const int n = p.size();
    QPointF at;
    short h = 0, v = 0;
    if (LAGETEXT >= 13) {
        at = (LAGETEXT == 13 ? p[n - 1] : p[0]) + QPointF(1, -1);
        h = 0;
        v = 2;
    } else {
        const int group = (LAGETEXT - 1) / 4, side = (LAGETEXT - 1) % 4;
        at = group == 0 ? p[n - 1] : group == 1 ? p[0] : p[n / 2];
        switch (side) {
        case 0: h = 1; v = 2; break;
        case 1: h = 1; v = 0; break;
        case 2: at += QPointF(2, 0); h = 0; v = 1; break;
        default: at -= QPointF(2, 0); h = 2; v = 1;
        }
    }
    TEXT(static_cast<float>(at.x()), static_cast<float>(at.y()), text, 0, 0, h, v);
}

void clsGRAFIK::POLYGON(QVector<float>& X, QVector<float>& Y, short PSIT, short PSTYP, short PNR, const QString& TXT,
                        short LAGETEXT, short LAGEPFEIL, short FARBEN, const QVector<bool>* BOL)
{
    vb::OnError onError(QStringLiteral("Polygon"), kFehler);
    onError([&] {
        gfx::Surface& s = surface();
        const int n = static_cast<int>(std::min(X.size(), Y.size()));
        if (n == 0) return;
        QVector<bool> skip(n, false);
        auto toLog = [&](QVector<float>& v) {
            for (int i = 0; i < n; ++i) {
                if (v[i] > 0) {
                    v[i] = std::log10(v[i]);
                } else {
                    v[i] = 0; // no logarithm: the point is left out
                    skip[i] = true;
                }
            }
        };
        if (m_ESKTX == 1) toLog(X);
        if (m_ESKTY == 1) toLog(Y);
        if (FARBEN == -1) s.ForeColor = gfx::QBColor(gfx::symbolColourIndex(PSTYP));

        QVector<QPointF> p(n);
        for (int i = 0; i < n; ++i) {
            if (!std::isfinite(X[i]) || !std::isfinite(Y[i])) skip[i] = true;
            else p[i] = transform(X[i], Y[i]);
        }
        drawCurve(p, skip, BOL);

        const QRectF plot = plotArea();
        for (int i : pickPoints(PSIT, n))
            if (!skip[i] && plot.contains(p[i])) gfx::drawSymbol(s, p[i], PSTYP);
        for (int i : pickPoints(PNR, n))
            if (!skip[i]) TEXT(static_cast<float>(p[i].x() + 1), static_cast<float>(p[i].y() - 1), QString::number(i), 0, 0, 0, 2);
        if (!TXT.isEmpty()) drawLabel(p, TXT, LAGETEXT);
        if (n >= 2 && (LAGEPFEIL == 1 || LAGEPFEIL == 3)) drawArrow(p[n - 2], p[n - 1]);
        if (n >= 2 && (LAGEPFEIL == 2 || LAGEPFEIL == 3)) drawArrow(p[1], p[0]);
    });
}
