#include "graphics/clsTABELLE.h"

#include "graphics/PointSymbol.h"
#include "platform/Convert.h"
#include "platform/Format.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"

#include <algorithm>
#include <cmath>

namespace {
const QString kTitle = QStringLiteral("Tabelle");
const QString kSymbolFormat = QStringLiteral("SYMBOL");

// A cell holds a value unless it is empty or blank text.
bool hasValue(const QVariant& v)
{
    return v.isValid() && !v.isNull() && !v.toString().trimmed().isEmpty();
}

std::optional<double> numberOf(const QVariant& v)
{
    if (!hasValue(v)) return std::nullopt;
    if (v.typeId() == QMetaType::QString) return vb::ParseNumber(v.toString());
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}
} // namespace

clsTABELLE::clsTABELLE() = default;

void clsTABELLE::setEOBJEKT(gfx::Surface* surface)
{
    // the surfaces draw in millimetres already, so no scale has to be worked out
    m_surface = surface;
    m_text.setSurface(surface);
}

gfx::Surface& clsTABELLE::surface() const
{
    if (!m_surface) vb::Raise(91, QStringLiteral("Objektvariable oder With-Blockvariable nicht festgelegt"));
    return *m_surface;
}

float clsTABELLE::HOEHE() const { return m_headHeight + m_bodyHeight; }

float clsTABELLE::rowHeight()
{
    if (m_EZH <= 0) m_EZH = static_cast<float>(surface().TextHeight(QStringLiteral("X")));
    return m_EZH;
}

float clsTABELLE::blockHeight(int rows) const
{
    if (rows <= 0) return 0;
    return static_cast<float>(rows - 1) * m_EZH * m_EZA + 2 * m_ERZ + m_EZH;
}

float clsTABELLE::footnoteRoom() const
{
    return m_ERZ + 1.5f + std::max<short>(m_EFNZ, 1) * static_cast<float>(m_surface->TextHeight(QStringLiteral("X")));
}

float clsTABELLE::footRoom() const
{
    return std::find(m_ELMW.begin(), m_ELMW.end(), short(1)) != m_ELMW.end() ? blockHeight(3) : 0;
}

int clsTABELLE::fittingRows(double bodyTop, double limit, int rows) const
{
    const double firstBottom = bodyTop + m_ERZ + m_EZH;
    // the body's bottom padding, the foot and the footnote still have to fit below the row
    const double below = m_ERZ + footRoom() + footnoteRoom();
    int n = 0;
    while (n < rows && firstBottom + n * static_cast<double>(m_EZH) * m_EZA + below <= limit + 1e-6) ++n;
    return n;
}

int clsTABELLE::lastFittingRow(int rows) const
{
    return fittingRows(m_ERO + m_headHeight, m_surface->sizeMm().height() - m_ERU, rows) - 1;
}

int clsTABELLE::rowsFitting(int headRows, double bottom)
{
    rowHeight(); // as the blocks will draw them
    return std::max(1, fittingRows(m_EYDO + m_ERO + blockHeight(headRows), bottom, 32767));
}

void clsTABELLE::placeBar(float totalWidth)
{
    const double top = m_ERO + m_headHeight;
    const double height = std::max(0.0, m_surface->sizeMm().height() - top - m_ERU);
    m_bar->show(*m_surface, QRectF(m_ERL + totalWidth, top, 5, height));
}

void clsTABELLE::chooseBodyRows(int rows, float totalWidth)
{
    const int last = rows - 1;
    m_EEZ = 0;
    m_ELZ = static_cast<short>(last);
    if (m_surface->isPrinter() && m_paperFirst >= 0) {
        m_EEZ = static_cast<short>(std::min<int>(m_paperFirst, last));
        m_ELZ = static_cast<short>(std::clamp<int>(m_paperLast, m_EEZ, last));
        return;
    }
    if (!m_bar || m_surface->isPrinter()) return;
    const int n = std::max(0, lastFittingRow(rows));
    const int v = m_bar->value();
    if (v == 0) {
        if (n >= last) {
            m_bar->hide();
        } else {
            placeBar(totalWidth);
            m_ELZ = static_cast<short>(n);
        }
        return;
    }
    if (n >= last) {
        // everything fits again: back to the top, without a redraw from the bar
        m_bar->resetQuietly();
        return;
    }
    const double range = static_cast<double>(m_bar->maximum()) - m_bar->minimum();
    const double part = range != 0 ? std::round(v / range * 1000.0) / 1000.0 : 0;
    const auto first = vb::ToInt16(part * (last - n));
    m_EEZ = static_cast<short>(std::clamp<int>(first.value_or(0), 0, last - n));
    m_ELZ = static_cast<short>(std::min(n + m_EEZ, last));
}

void clsTABELLE::drawFrame(float top, float height, int columns, int from)
{
    gfx::Surface& s = surface();
    const double x0 = m_EXDL + m_ERL;
    double width = 0;
    for (int c = 0; c < columns; ++c) width += m_ELSB[c];
    const double bottom = top + height;
    s.Line(x0, top, x0 + width, top);
    s.Line(x0 + width, top, x0 + width, bottom);
    s.Line(x0 + width, bottom, x0, bottom);
    s.Line(x0, bottom, x0, top);
    if (columns < 2) return;
    double x = x0;
    for (int c = 0; c + 1 < columns; ++c) {
        x += m_ELSB[c];
        if (c + 1 < from) continue;
        const short code = c < m_ELGIT.size() ? m_ELGIT[c] : 0;
        if (code >= 1) s.Line(x, top, x, bottom);
        if (code == 2) s.Line(x + 0.5, top, x + 0.5, bottom);
    }
}

void clsTABELLE::drawCell(const QVariant& value, int column, float x, float bottom, bool asText)
{
    const float w = m_ELSB[column];
    const QString format = column < m_ELFORMAT.size() ? m_ELFORMAT[column] : QString();
    if (!asText && format.compare(kSymbolFormat, Qt::CaseInsensitive) == 0) {
        const auto code = numberOf(value);
        if (code) gfx::drawSymbol(surface(), QPointF(x + w / 2.0, bottom - m_EZH / 2.0), static_cast<int>(*code));
        return;
    }
    const QString text = asText ? value.toString() : vb::Format(value, format);
    if (text.isEmpty()) return;
    const double y = bottom - 1.0;
    switch (column < m_ELA.size() ? m_ELA[column] : 0) {
    case 1: m_text.draw(QPointF(x + w / 2.0, y), text, 0, 1, 1); break;
    case 2: m_text.draw(QPointF(x + w - 1.5, y), text, 0, 2, 1); break;
    case 3: {
        // decimal points of a column line up; a point in the left half of the
        // format moves them left of the centre, leaving room for the decimals
        // fixed texts such as "0.0E0  *" carry a point whatever the session uses
        qsizetype point = text.indexOf(vb::DecimalSeparator());
        if (point < 0) point = text.indexOf(QLatin1Char('.'));
        // a heading or unit without a point has nothing to line up: placed by the
        // format offset it would run into the next column's rule
        if (point < 0 && value.userType() == QMetaType::QString) {
            m_text.draw(QPointF(x + w / 2.0, y), text, 0, 1, 1);
            break;
        }
        const int p = static_cast<int>(point) + 1;
        const int q = static_cast<int>(format.indexOf(QLatin1Char('.'))) + 1;
        const double L = format.size();
        const double offset = L > 0 ? (L / 2 - q) * (w / 2.0 - 1.5) / L : 0;
        const double start = x + w / 2.0 - m_text.layout(text.left(p)).width - offset;
        m_text.draw(QPointF(start, y), text, 0, 0, 1);
        break;
    }
    default: m_text.draw(QPointF(x + 1.5, y), text, 0, 0, 1);
    }
}

clsTABELLE::Statistics clsTABELLE::statistics(const QVector<double>& x)
{
    Statistics st;
    const auto n = x.size();
    if (n == 0) return st;
    double sum = 0, sum2 = 0;
    for (const double v : x) {
        sum += v;
        sum2 += v * v;
    }
    st.mean = sum / n;
    const double q = sum2 - n * st.mean * st.mean;
    st.s = q > 0 && n > 1 ? std::sqrt(q / (n - 1)) : 0;
    st.cv = st.mean != 0 ? st.s / st.mean : 0;
    return st;
}

void clsTABELLE::TABELLE(const Block& X, short POSITION)
{
    vb::OnError onError(kTitle);
    int columns = 0;
    int rows = 0;
    if (!onError([&] {
            surface();
            if (m_ELSB.isEmpty()) {
                vb::MsgBox(QStringLiteral("Angabe der Spaltenbreiten in Objekt ") + m_surface->name() +
                               QStringLiteral(" fehlt !"),
                           vb::vbExclamation, kTitle);
                return;
            }
            columns = static_cast<int>(std::min(m_ELSB.size(), X.size()));
            for (int c = 0; c < columns; ++c) rows = std::max(rows, static_cast<int>(X[c].size()));
            m_text.rebuildSlots(); // the table writes in the surface's current font
            rowHeight();
        }))
        return;
    if (columns == 0) return;
    float totalWidth = 0;
    for (int c = 0; c < columns; ++c) totalWidth += m_ELSB[c];
    const float x0 = m_EXDL + m_ERL;
    const float y0 = m_EYDO + m_ERO;
    const float step = m_EZH * m_EZA;

    auto drawRows = [&](float top, int first, int lastRow, const auto& valueAt, bool asText = false,
                        const QVector<qint32>& colours = {}) {
        const qint32 normal = m_surface->ForeColor;
        for (int r = first; r <= lastRow; ++r) {
            const float bottom = top + m_ERZ + m_EZH + static_cast<float>(r - first) * step;
            m_surface->ForeColor = r < colours.size() && colours[r] >= 0 ? colours[r] : normal;
            float x = x0;
            for (int c = 0; c < columns; ++c) {
                if (!onError([&] { drawCell(valueAt(c, r), c, x, bottom, asText); })) {
                    m_surface->ForeColor = normal;
                    return false;
                }
                x += m_ELSB[c];
            }
        }
        m_surface->ForeColor = normal;
        return true;
    };
    auto cellOf = [&](int c, int r) { return r < X[c].size() ? X[c][r] : QVariant(); };

    if (POSITION == 1) {
        float top = y0 + m_headHeight;
        if (!onError([&] {
                chooseBodyRows(rows, totalWidth);
                m_bodyHeight = rows > 0 ? blockHeight(m_ELZ - m_EEZ + 1) : 0;
            }))
            return;
        if (rows == 0) return;
        if (!onError([&] { drawFrame(top, m_bodyHeight, columns); })) return;
        drawRows(top, m_EEZ, m_ELZ, cellOf, false, m_ELZFARBE);
    } else if (POSITION == 2) {
        // three rows: mean, standard deviation and coefficient of variation,
        // the first two in the column's format, the ratio with three decimals
        QVector<QStringList> foot(columns, QStringList{QString(), QString(), QString()});
        for (int c = 0; c < columns; ++c) {
            if ((c < m_ELMW.size() ? m_ELMW[c] : 0) != 1) continue;
            QVector<double> values;
            bool complete = rows > 0;
            for (int r = 0; r < rows && complete; ++r) {
                const auto v = numberOf(cellOf(c, r));
                if (v) values.append(*v);
                else complete = false;
            }
            if (!complete) {
                foot[c] = {QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-")};
                continue;
            }
            const Statistics st = statistics(values);
            const QString format = c < m_ELFORMAT.size() ? m_ELFORMAT[c] : QString();
            foot[c] = {vb::Format(QVariant(st.mean), format), vb::Format(QVariant(st.s), format),
                       vb::Format(st.cv, QStringLiteral("0.000"))};
        }
        // the labels run over the columns before the first statistics
        int labelColumns = 0;
        while (labelColumns < columns && (labelColumns < m_ELMW.size() ? m_ELMW[labelColumns] : 0) != 1) ++labelColumns;
        const bool labelled = !m_ELFUSS.isEmpty() && labelColumns > 0;
        if (labelled) foot[0] = {QString(), QString(), QString()};
        else if ((m_ELMW.isEmpty() ? 0 : m_ELMW[0]) != 1)
            foot[0] = {QStringLiteral("m"), QStringLiteral("s"), QStringLiteral("v")};
        const float top = y0 + m_headHeight + m_bodyHeight;
        m_footHeight = blockHeight(3);
        if (!onError([&] { drawFrame(top, m_footHeight, columns, labelled ? labelColumns : 0); })) return;
        if (!drawRows(top, 0, 2, [&](int c, int r) { return QVariant(foot[c][r]); }, true)) return;
        for (int r = 0; labelled && r < 3 && r < m_ELFUSS.size(); ++r) {
            const float bottom = top + m_ERZ + m_EZH + static_cast<float>(r) * step;
            onError([&] { m_text.draw(QPointF(x0 + 1.5, bottom - 1.0), m_ELFUSS[r], 0, 0, 1); });
        }
    } else {
        // a head starts a new table
        m_headHeight = blockHeight(rows);
        m_bodyHeight = 0;
        m_footHeight = 0;
        if (!onError([&] { drawFrame(y0, m_headHeight, columns); })) return;
        drawRows(y0, 0, rows - 1, cellOf);
    }
}

void clsTABELLE::TITEL(const QString& TXT)
{
    vb::OnError onError(kTitle);
    onError([&] {
        surface();
        m_text.rebuildSlots();
        m_text.draw(QPointF(m_EXDL + m_ERL, m_EYDO + m_ERO - m_ERZ - 1.5), TXT, 0, 0, 2);
    });
}

void clsTABELLE::FUSSNOTE(const QString& TXT)
{
    vb::OnError onError(kTitle);
    onError([&] {
        surface();
        m_text.rebuildSlots();
        const double top = m_EYDO + m_ERO + m_headHeight + m_bodyHeight + m_footHeight + m_ERZ + 1.5;
        const double line = surface().TextHeight(QStringLiteral("X"));
        const QStringList lines = TXT.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) m_text.draw(QPointF(m_EXDL + m_ERL + 1.5, top + i * line), lines[i], 0, 0, 0);
    });
}

gfx::Pen clsTABELLE::LINIENEINSTELLUNGEN(short LINIENART, float LINIENBREITE, qint32 FARBE)
{
    gfx::Pen pen{LINIENBREITE, FARBE};
    vb::OnError onError(QStringLiteral("Linieneinstellungen"));
    onError([&] { pen = gfx::applyPen(surface(), LINIENART, LINIENBREITE, FARBE); });
    return pen;
}

void clsTABELLE::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, short FETT,
                                      short UNTERSTRICHEN, short KURSIV, qint32 FARBE)
{
    vb::OnError onError(QStringLiteral("Schrifteinstellungen"));
    onError([&] {
        surface();
        m_text.setFont(SCHRIFTART, SCHRIFTGROESSE, FETT, UNTERSTRICHEN, KURSIV, FARBE);
    });
}
