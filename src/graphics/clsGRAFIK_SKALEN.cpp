// SKALEN of clsGRAFIK: the scales of both axes from G0, the lists and the
// data, the write-back of automatic limits and scale factors, and the axes.
#include "graphics/clsGRAFIK.h"

#include "graphics/TextMarkup.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "data/clsDATEN.h"
#include "platform/Convert.h"
#include "platform/Format.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"

#include <cmath>

using gfx::AxisDivision;

namespace {

// The G0 row of the diagram, through the data-access layer.
class G0Row {
public:
    G0Row(Session& s, qint32 id, short idObjekt)
        : m_data(openProject(s)), m_keys{{"IDOBJEKT", QVariant(static_cast<int>(idObjekt))}}
    {
        m_data.setETABELLE(QStringLiteral("G0"));
        m_data.setESPIDW(id);
    }
    bool read(const char* column, float& value)
    {
        float v = 0;
        if (!m_data.DTVS(QString::fromLatin1(column), v, m_keys)) return false;
        value = v;
        return true;
    }
    bool read(const char* column, short& value)
    {
        qint16 v = 0;
        if (!m_data.DTVI(QString::fromLatin1(column), v, m_keys)) return false;
        value = v;
        return true;
    }
    void write(const char* column, float value) { m_data.DVTS(QString::fromLatin1(column), value, m_keys); }

private:
    static Session& openProject(Session& s)
    {
        if (!s.cnnX.isOpen()) vb::Raise(3704, QStringLiteral("Die Verbindung zur Projektdatenbank ist nicht geöffnet."));
        return s;
    }

    clsDATEN m_data;
    Keys m_keys;
};

std::optional<QVector<float>> singles(const QVariant& v)
{
    if (!v.isValid() || v.isNull()) return QVector<float>{};
    if (v.metaType() == QMetaType::fromType<QVector<float>>()) return v.value<QVector<float>>();
    return std::nullopt;
}

} // namespace

void clsGRAFIK::SKALEN(short nr) { SKALEN(nr, QVariant(), QVariant()); }

void clsGRAFIK::SKALEN(short nr, const QVector<float>& x, const QVector<float>& y)
{
    SKALEN(nr, QVariant::fromValue(x), QVariant::fromValue(y));
}

void clsGRAFIK::SKALEN(short nr, const QVariant& x, const QVariant& y)
{
    const auto xs = singles(x);
    const auto ys = singles(y);
    if (!xs || !ys) {
        vb::MsgBox(xs ? QStringLiteral("Datenfehler: Sie Müssen ein Single-Feld für Y übergeben!")
                      : QStringLiteral("Datenfehler: Sie Müssen ein Single-Feld für X übergeben!"),
                   vb::vbExclamation, QStringLiteral("Skalen"));
        return;
    }
    // an absent array counts as one value 0
    const QVector<float> X = xs->isEmpty() ? QVector<float>{0} : *xs;
    const QVector<float> Y = ys->isEmpty() ? QVector<float>{0} : *ys;

    // the settings read and written back go in one transaction, so a drawing
    // costs one write to the disk, not one per value
    std::optional<ado::Transaction> transaction;
    if (m_s.cnnX.isOpen()) {
        try {
            transaction.emplace(m_s.cnnX);
        } catch (const vb::VBError&) {
            // without a transaction each value is written on its own; the
            // reads and writes below report what fails
        }
    }

    vb::OnError onError(QStringLiteral("Skalen"), QStringLiteral("VB-Fehler:"));
    onError([&] { readSettings(); });
    onError([&] {
        if (!m_x.MIN.isEmpty())
            m_sx = AxisDivision::divide(m_XMIN, m_XMAX, m_x, m_ESKTX == 1, m_EBOXMIN == -1, m_EBOXMAX == -1, nr, X);
    });
    onError([&] {
        if (!m_y.MIN.isEmpty())
            m_sy = AxisDivision::divide(m_YMIN, m_YMAX, m_y, m_ESKTY == 1, m_EBOYMIN == -1, m_EBOYMAX == -1, nr, Y);
    });
    onError([&] {
        // equal scale: one axis follows the other through the plot's aspect
        const double w = static_cast<double>(m_ELX) - m_RL - m_RR;
        const double h = static_cast<double>(m_ELY) - m_RO - m_RU;
        if (m_EXYIT == 1 && !m_y.MIN.isEmpty()) {
            if (w == 0) vb::Raise(vb::errDivisionByZero, QStringLiteral("Division durch Null"));
            m_YMAX = static_cast<float>(m_YMIN + (static_cast<double>(m_XMAX) - m_XMIN) * h / w);
            m_sy = AxisDivision::divide(m_YMIN, m_YMAX, m_y, m_ESKTY == 1, false, false, 0, {0});
        } else if (m_EXYIT == 2 && !m_x.MIN.isEmpty()) {
            if (h == 0) vb::Raise(vb::errDivisionByZero, QStringLiteral("Division durch Null"));
            m_XMAX = static_cast<float>((static_cast<double>(m_YMAX) - m_YMIN) * w / h + m_XMIN);
            m_sx = AxisDivision::divide(m_XMIN, m_XMAX, m_x, m_ESKTX == 1, false, false, 0, {0});
        }
    });
    onError([&] { writeLimits(); });
    if (nr != 1 && nr != 2) {
        onError([&] {
            if (m_ESKTX == 1) {
                m_XMIN = AxisDivision::log10or0(m_XMIN);
                m_XMAX = AxisDivision::log10or0(m_XMAX);
            }
            if (m_ESKTY == 1) {
                m_YMIN = AxisDivision::log10or0(m_YMIN);
                m_YMAX = AxisDivision::log10or0(m_YMAX);
            }
        });
        onError([&] { computeScaleFactors(); });
    }
    // what was written stays written, also when the user cancelled a step
    if (transaction) vb::OnError(QStringLiteral("Skalen"), QStringLiteral("VB-Fehler:"))([&] { transaction->commit(); });
    if (nr == 1 || nr == 2) return;
    onError([&] { drawAxis(true); });
    onError([&] { drawAxis(false); });
}

void clsGRAFIK::readSettings()
{
    G0Row g0(m_s, m_EID, m_EIDOBJEKT);
    // in this order, stopping at the first value that cannot be read
    g0.read("OX", m_OX) && g0.read("OY", m_OY) && g0.read("RL", m_RL) && g0.read("RR", m_RR) &&
        g0.read("RO", m_RO) && g0.read("RU", m_RU) && g0.read("XMIN", m_XMIN) && g0.read("XMAX", m_XMAX) &&
        g0.read("YMIN", m_YMIN) && g0.read("YMAX", m_YMAX);
}

// A printed copy is laid out for the paper and leaves the stored settings,
// which belong to the diagram on screen, as they are.
static bool printing(const gfx::Surface* surface) { return surface && surface->isPrinter(); }

void clsGRAFIK::writeLimits()
{
    if (printing(m_surface)) return;
    if (m_EBOXMIN != -1 && m_EBOXMAX != -1 && m_EBOYMIN != -1 && m_EBOYMAX != -1) return;
    G0Row g0(m_s, m_EID, m_EIDOBJEKT);
    if (m_EBOXMIN == -1) g0.write("XMIN", m_XMIN);
    if (m_EBOXMAX == -1) g0.write("XMAX", m_XMAX);
    if (m_EBOYMIN == -1) g0.write("YMIN", m_YMIN);
    if (m_EBOYMAX == -1) g0.write("YMAX", m_YMAX);
}

void clsGRAFIK::computeScaleFactors()
{
    G0Row g0(m_s, m_EID, m_EIDOBJEKT);
    float MYMX = 0, MX = 0, MY = 0;
    g0.read("MYMX", MYMX);
    g0.read("MX", MX);
    g0.read("MY", MY);
    m_MYMX = MYMX;
    const bool paper = printing(m_surface);
    if (paper) MX = MY = 0; // the stored pair was computed for the screen's diagram size
    if (MX != 0 && MY != 0) { // a fixed scale
        m_MX = MX;
        m_MY = MY;
        return;
    }
    m_MX = m_MY = 0;
    const double w = static_cast<double>(m_ELX) - m_RL - m_RR;
    const double h = static_cast<double>(m_ELY) - m_RO - m_RU;
    double mx = MX, my = MY;
    if (mx == 0) mx = w != 0 ? (static_cast<double>(m_XMAX) - m_XMIN) / w : 0;
    if (my == 0) my = h != 0 ? (static_cast<double>(m_YMAX) - m_YMIN) / h : 0;
    if (MYMX > 0) {
        if (mx > my) my = MYMX * mx;
        else mx = my / MYMX;
    }
    // a zero range or plot gives no scale; nothing unusable is stored
    if (!std::isfinite(mx) || !std::isfinite(my) || static_cast<float>(mx) == 0 || static_cast<float>(my) == 0)
        vb::Raise(vb::errDivisionByZero, QStringLiteral("Division durch Null"));
    m_MX = static_cast<float>(mx);
    m_MY = static_cast<float>(my);
    if (paper) return;
    g0.write("MX", m_MX);
    g0.write("MY", m_MY);
}

// The x axis, or with xAxis false the y axis: "along" is the axis direction,
// "across" the other one. Axis line, ticks and grid lines are clipped to the
// diagram area.
void clsGRAFIK::drawAxis(bool xAxis)
{
    const short code = xAxis ? m_EAXEX : m_EAXEY;
    if (code == 0 || m_MX == 0 || m_MY == 0) return; // no axis, or no scale (already reported)
    const gfx::AxisScale& sc = xAxis ? m_sx : m_sy;
    const bool logarithmic = (xAxis ? m_ESKTX : m_ESKTY) == 1;
    const float alongMin = xAxis ? m_XMIN : m_YMIN, alongMax = xAxis ? m_XMAX : m_YMAX;
    const float acrossMin = xAxis ? m_YMIN : m_XMIN, acrossMax = xAxis ? m_YMAX : m_XMAX;
    const float acrossScale = xAxis ? m_MY : m_MX;

    // where the axis line lies (world value on the other axis) and which way
    // ticks and labels point (+1 down resp. right)
    float across = 0;
    int dir = 0;
    if (code == 1) across = acrossMin;
    else if (code == -1) across = acrossMax;
    else if (code >= 2) across = acrossMin - code * acrossScale;
    else across = acrossMax - code * acrossScale;
    if (xAxis) dir = code > 0 ? 1 : -1;
    else dir = code > 0 ? -1 : 1;
    const short anchor = xAxis ? (dir > 0 ? 0 : 2) : (dir < 0 ? 2 : 0);
    const short angle = xAxis ? 0 : 90;
    const QPointF out = xAxis ? QPointF(0, dir) : QPointF(dir, 0);
    auto at = [&](float along, float acr) { return xAxis ? transform(along, acr) : transform(acr, along); };
    auto label = [&](QPointF p, QString text) {
        const QPointF q = p + out * 2;
        TEXT(static_cast<float>(q.x()), static_cast<float>(q.y()), text, 0, angle, 1, anchor);
    };
    auto gridLine = [&](float t) { drawSegment(at(t, acrossMin), at(t, acrossMax), std::nullopt, 1); };

    const QPointF start = at(alongMin, across), end = at(alongMax, across);
    drawSegment(start, end, std::nullopt, 1);
    const QString& picture = xAxis ? m_ESKZX : m_ESKZY;

    if (!logarithmic) {
        const int N = sc.ticks.size() - 1;
        int nextGrid = 0, nextLabel = 0;
        for (int i = 0; i <= N; ++i) {
            const QPointF p = at(sc.ticks[i], across);
            drawSegment(p, p + out * 1.5, std::nullopt, 1);
            if (i == nextGrid && sc.grid != 0) {
                gridLine(sc.ticks[i]);
                nextGrid += std::max(1, AxisDivision::roundEven(static_cast<double>(N) / sc.grid));
            }
            if (i == nextLabel && sc.labels != 0) {
                label(p, vb::Format(sc.ticks[i], picture));
                nextLabel += std::max(1, AxisDivision::roundEven(static_cast<double>(N) / sc.labels));
            }
        }
    } else {
        for (float t : sc.ticks) {
            const QPointF p = at(t, across);
            drawSegment(p, p + out * 1.5, std::nullopt, 1);
        }
        if (sc.grid != 0)
            for (float t : sc.gridTicks) gridLine(t);
        if (sc.labels != 0 && sc.labels == sc.grid) {
            auto labelText = [&](float t) {
                QString text = vb::Format(static_cast<float>(std::pow(10.0, t)), picture);
                // "#.##" leaves a bare point behind whole numbers
                if (text.endsWith(QLatin1Char('.')) || text.endsWith(vb::DecimalSeparator())) text.chop(1);
                return text;
            };
            // every label is about as long as the lower end's and keeps 2 mm to the next
            QString widest = labelText(alongMin);
            gfx::TextMarkup::convertNumber(widest);
            const double span = (m_text.layout(widest).width + 2) * (xAxis ? m_MX : m_MY);
            for (float t : AxisDivision::logarithmicLabels(alongMin, alongMax, sc.gridTicks, span)) label(at(t, across), labelText(t));
        }
    }

    const QString& title = xAxis ? m_ETEXTX : m_ETEXTY;
    if (!title.isEmpty()) {
        const QPointF mid = (start + end) / 2 + out * ((sc.labels > 1 || logarithmic) ? 6 : 2);
        TEXT(static_cast<float>(mid.x()), static_cast<float>(mid.y()), title, 0, angle, 1, anchor);
    }
}
