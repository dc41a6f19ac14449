// clsFLX: binding, the per-column lists, fonts, numbering, refresh and the
// time differences. The editing cycle is in clsFLXEdit.cpp, clipboard and row
// operations in clsFLXRows.cpp, the header picture in clsFLXHeader.cpp.
#include "input/clsFLX.h"

#include "graphics/VBColor.h"
#include "graphics/MarkupText.h"
#include "input/FlexCells.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/Format.h"
#include "platform/OnError.h"
#include "platform/VBError.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <cmath>

using flexcells::title;

namespace {

constexpr double kTwipsPerMm = 56.7;

// A list element as a number; an empty element is 0, text that is no number
// raises a type mismatch.
double number(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) return 0;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString();
        if (t.trimmed().isEmpty()) return 0;
        if (const auto d = vb::ParseNumber(t)) return *d;
        vb::Raise(vb::errTypeMismatch, QStringLiteral("Type mismatch"));
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok) vb::Raise(vb::errTypeMismatch, QStringLiteral("Type mismatch"));
    return d;
}

int integer(const QVariant& v) { return static_cast<int>(std::lround(number(v))); }

QVariant at(const QVariantList& list, int i) { return i >= 0 && i < list.size() ? list[i] : QVariant(); }


} // namespace

clsFLX::clsFLX(QObject* parent) : QObject(parent) {}

clsFLX::~clsFLX() = default;

// ---------------------------------------------------------------- bound controls

void clsFLX::setEFLX(vb::FlexGrid* grid)
{
    vb::OnError step(title("FLX"));
    step([&] { m_flx = grid; });
    if (!m_flx) return;
    QVariantList widths;
    step([&] {
        for (int c = 0; c < m_flx->Cols(); ++c) widths << 15;
    });
    step([&] { m_flx->setRows(m_flx->FixedRows() + 1); });
    step([&] { setELSB(widths); });
    step([&] { m_DET = -1; });
}

void clsFLX::setETXT(QLineEdit* txt)
{
    vb::OnError step(title("TXT"));
    step([&] {
        if (m_txt) m_txt->removeEventFilter(this);
        m_txt = txt;
        if (m_txt) m_txt->hide();
    });
}

void clsFLX::setECBO(QComboBox* cbo)
{
    vb::OnError step(title("CBO"));
    step([&] {
        if (m_cbo) m_cbo->removeEventFilter(this);
        m_cbo = cbo;
        if (m_cbo) m_cbo->hide();
    });
}

clsFLX* clsFLX::EFLXK()
{
    if (!m_coupled) {
        m_ownCoupled = std::make_unique<clsFLX>();
        m_coupled = m_ownCoupled.get();
    }
    return m_coupled;
}

void clsFLX::setEFLXK(clsFLX* coupled)
{
    vb::OnError step(title("FLXK"));
    step([&] {
        if (coupled == m_ownCoupled.get()) return;
        m_ownCoupled.reset();
        m_coupled = coupled;
    });
}

// ---------------------------------------------------------------- per-column lists

void clsFLX::resetLists(int cols)
{
    const auto empty = [cols] { return QVariantList(cols > 0 ? cols : 0); };
    m_LST1 = empty();
    m_LSTTT = empty();
    m_LSTYP = empty();
    m_LFORMAT = empty();
    m_LA = empty();
    m_LMIN = empty();
    m_LMAX = empty();
    m_LCBO = QVector<QStringList>(std::max(cols, 0));
    for (int c = 0; c < cols; ++c) {
        m_LST1[c] = QStringLiteral("I") + QString::number(c + 1);
        m_LSTTT[c] = QStringLiteral("SpaltenNr.") + QString::number(c + 1);
        m_LSTYP[c] = 0;
        m_LFORMAT[c] = QString();
        m_LA[c] = 2;
    }
}

void clsFLX::setELSB(const QVariantList& widths)
{
    vb::OnError step(title("LSB"));
    step([&] { m_LSB = widths; });
    if (!m_flx) return;
    step([&] { m_flx->setCols(static_cast<int>(widths.size())); });
    step([&] { applyWidths(); });
    step([&] { resetLists(static_cast<int>(widths.size())); });
    step([&] { setELST1(m_LST1); });
    step([&] { setELSTYP(m_LSTYP); });
    step([&] { setELA(m_LA); });
    step([&] { m_BOH = true; });
    step([&] { SCHRIFTEINSTELLUNGEN(QString(), 0, false, false, false, 0); });
}

void clsFLX::applyWidths()
{
    for (int c = 0; c < m_flx->Cols(); ++c) {
        m_flx->setColWidth(c, static_cast<int>(std::lround(number(at(m_LSB, c)) * kTwipsPerMm)));
        m_flx->setFixedAlignment(c, vb::flexAlignCenterCenter);
    }
}

void clsFLX::setELST1(const QVariantList& v)
{
    vb::OnError step(title("LST1"));
    step([&] { m_LST1 = v; });
}

void clsFLX::setELST2(const QVariantList& v)
{
    vb::OnError step(title("LST2"));
    step([&] { m_LST2 = v; });
}

void clsFLX::setELSTTT(const QVariantList& v)
{
    vb::OnError step(title("LSTTT"));
    step([&] { m_LSTTT = v; });
}

void clsFLX::setELSTYP(const QVariantList& v)
{
    vb::OnError step(QStringLiteral("LSTYP - FlexGrid"));
    step([&] { m_LSTYP = v; });
    step([&] { applyTypes(); });
}

void clsFLX::applyTypes()
{
    m_index = {-1, -1, -1};
    m_dateCol = m_timeCol = m_diffCol = -1;
    const int cols = m_flx ? m_flx->Cols() : static_cast<int>(m_LSTYP.size());
    for (int c = 0; c < cols; ++c) {
        // when several columns carry the same type, the last one counts
        switch (columnType(c)) {
        case typIndex1: m_index[0] = c; break;
        case typIndex2: m_index[1] = c; break;
        case typIndex3: m_index[2] = c; break;
        case typDate: m_dateCol = c; break;
        case typTime: m_timeCol = c; break;
        case typTimeDiff: m_diffCol = c; break;
        default: break;
        }
    }
    m_LINDEXMIN = QVariant();
    m_start = {0, 0, 0};
    if (!m_flx) return;
    const int fixed = m_index[0] < 0 ? 0 : m_index[1] < 0 ? 1 : m_index[2] < 0 ? 2 : 3;
    m_flx->setFixedCols(fixed);
}

QStringList clsFLX::ELCBO(int col) const { return col >= 0 && col < m_LCBO.size() ? m_LCBO[col] : QStringList(); }

void clsFLX::setELCBO(int col, const QStringList& choices)
{
    vb::OnError step(title("LCBO"));
    step([&] {
        if (col < 0) vb::Raise(9, QStringLiteral("Subscript out of range"));
        if (col >= m_LCBO.size()) m_LCBO.resize(col + 1);
        m_LCBO[col] = choices;
    });
}

void clsFLX::setELFORMAT(const QVariantList& v)
{
    vb::OnError step(title("LFORMAT"));
    step([&] { m_LFORMAT = v; });
}

void clsFLX::setELA(const QVariantList& v)
{
    vb::OnError step(title("LA "));
    step([&] { m_LA = v; });
    step([&] { applyAlignment(); });
}

void clsFLX::applyAlignment()
{
    if (!m_flx) return;
    for (int c = 0; c < m_flx->Cols(); ++c) {
        m_flx->setFixedAlignment(c, vb::flexAlignCenterCenter);
        const QVariant a = at(m_LA, c);
        if (a.isNull() || !a.isValid()) continue;
        switch (integer(a)) {
        case 1: m_flx->setColAlignment(c, vb::flexAlignLeftCenter); break;
        case 2: m_flx->setColAlignment(c, vb::flexAlignCenterCenter); break;
        case 3: m_flx->setColAlignment(c, vb::flexAlignRightCenter); break;
        default: break; // any other value leaves the column as it is
        }
    }
}

void clsFLX::setELMIN(const QVariantList& v)
{
    vb::OnError step(title("LMIN"));
    step([&] { m_LMIN = v; });
}

void clsFLX::setELMAX(const QVariantList& v)
{
    vb::OnError step(title("LMAX"));
    step([&] { m_LMAX = v; });
}

// ---------------------------------------------------------------- index numbering

void clsFLX::setELINDEXMIN(const QVariant& v)
{
    vb::OnError step(title("LINDEXMIN"));
    step([&] {
        std::array<int, 3> s{0, 0, 0};
        if (v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList) {
            const QVariantList l = v.toList();
            for (int i = 0; i < 3 && i < l.size(); ++i) s[static_cast<size_t>(i)] = integer(l[i]);
        } else if (v.isValid() && !v.isNull()) {
            s[0] = integer(v);
        }
        m_LINDEXMIN = v;
        m_start = s;
    });
    step([&] { NUMMERIEREN(); });
}

void clsFLX::setELINDEXMAX(const QVariant& v)
{
    vb::OnError step(title("ELINDEXMAX"));
    bool isList = false;
    step([&] {
        std::array<int, 2> m{0, 0};
        isList = v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList;
        if (isList) {
            const QVariantList l = v.toList();
            for (int i = 0; i < 2 && i < l.size(); ++i) m[static_cast<size_t>(i)] = integer(l[i]);
        } else if (v.isValid() && !v.isNull()) {
            m[0] = integer(v);
        }
        m_LINDEXMAX = v;
        m_max = m;
    });
    step([&] {
        if (!m_flx) return;
        long rows = static_cast<long>(m_max[0]) - m_start[1] + 1;
        if (isList) rows *= static_cast<long>(m_max[1]) - m_start[2] + 1;
        // a maximum below its start leaves one data row rather than none
        m_flx->setRows(m_flx->FixedRows() + static_cast<int>(std::clamp(rows, 1L, 32767L)));
    });
}

void clsFLX::NUMMERIEREN()
{
    vb::OnError step(title("Aktulisieren"));
    if (!m_flx || m_index[0] < 0) return;
    step([&] {
        int n1 = m_start[0], n2 = m_start[1], n3 = m_start[2];
        const int levels = m_index[1] < 0 ? 1 : m_index[2] < 0 ? 2 : 3;
        for (int r = m_flx->FixedRows(); r < m_flx->Rows(); ++r) {
            if (levels == 2 && n2 > m_max[0]) {
                n2 = m_start[1];
                ++n1;
            } else if (levels == 3 && n3 > m_max[1]) {
                n3 = m_start[2];
                ++n2;
                if (n2 > m_max[0]) {
                    n2 = m_start[1];
                    ++n1;
                }
            }
            setCell(r, m_index[0], QString::number(n1));
            if (levels >= 2) setCell(r, m_index[1], QString::number(n2));
            if (levels == 3) setCell(r, m_index[2], QString::number(n3));
            if (levels == 1) ++n1;
            else if (levels == 2) ++n2;
            else ++n3;
        }
        m_counter = {n1, n2, n3};
    });
}

// ---------------------------------------------------------------- flags and cells

void clsFLX::setEBOH(bool v)
{
    vb::OnError step(title("EBOH"));
    step([&] { m_BOH = v; });
}

void clsFLX::setEDET(short v)
{
    vb::OnError step(title("EDET"));
    step([&] { m_DET = v; });
}

QVariant clsFLX::EMATRIX(int col, int row) const
{
    QVariant out;
    vb::OnError step(title("EMATRIX"));
    step([&] {
        if (!m_flx) vb::Raise(91, QStringLiteral("Object variable not set"));
        out = m_flx->TextMatrix(row, col);
    });
    return out;
}

void clsFLX::setEMATRIX(int col, int row, const QVariant& value)
{
    vb::OnError step(title("EMATRIX"));
    step([&] {
        if (!m_flx) vb::Raise(91, QStringLiteral("Object variable not set"));
        setCell(row, col, vb::CStr(value));
    });
}

void clsFLX::setCell(int row, int col, const QString& text)
{
    m_flx->setTextMatrix(row, col, text);
    flexcells::forget(m_flx, row, col);
}

void clsFLX::formatCell(int row, int col, const QString& format)
{
    const QString shown = m_flx->TextMatrix(row, col);
    if (shown.isEmpty()) return;
    const QString exact = flexcells::exact(m_flx, row, col).value_or(shown);
    const QString display = vb::Format(QVariant(exact), format);
    m_flx->setTextMatrix(row, col, display);
    flexcells::remember(m_flx, row, col, exact, display);
}

// ---------------------------------------------------------------- column settings

int clsFLX::columnType(int col) const
{
    const QVariant v = at(m_LSTYP, col);
    if (v.isNull() || !v.isValid()) return 0;
    bool ok = false;
    const int t = v.toInt(&ok);
    return ok ? t : -1;
}

QString clsFLX::columnFormat(int col) const
{
    const QVariant v = at(m_LFORMAT, col);
    return v.typeId() == QMetaType::QString ? v.toString() : QString();
}

QString clsFLX::header1(int col) const { return at(m_LST1, col).toString(); }

void clsFLX::columnLimits(int col, float& min, float& max) const
{
    // an empty limit counts as 0; an error value in either makes both 0
    min = max = 0;
    try {
        const float lo = static_cast<float>(number(at(m_LMIN, col)));
        const float hi = static_cast<float>(number(at(m_LMAX, col)));
        min = lo;
        max = hi;
    } catch (const vb::VBError&) {
    }
}

// ---------------------------------------------------------------- fonts

void clsFLX::SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, bool FETT, bool UNTERSTRICHEN,
                                  bool KURSIV, qint32 FARBE)
{
    vb::OnError step(title("Schrifteinstellungen"), QStringLiteral("VB-Error:"));
    if (!m_flx) return;
    QFont f;
    step([&] {
        f.setFamily(SCHRIFTART.isEmpty() ? QStringLiteral("Arial") : SCHRIFTART);
        f.setPointSize(SCHRIFTGROESSE < 1 ? 11 : SCHRIFTGROESSE);
        f.setBold(FETT);
        f.setItalic(KURSIV);
        f.setUnderline(UNTERSTRICHEN);
        m_gridFont = f;
        m_gridColor = FARBE < 1 ? QColor(Qt::black) : gfx::toQColor(FARBE);
        m_flx->setFont(f);
        m_flx->setForeColor(m_gridColor);
    });
    step([&] {
        // one text line for the header row, two when a second line is set
        const int lines = m_LST2.isEmpty() ? 1 : 2;
        const int px = lines * QFontMetrics(f).height() + 4;
        if (m_flx->Rows() > 0) m_flx->setRowHeight(0, static_cast<int>(std::lround(px * m_flx->twipsPerPixel())));
    });
    step([&] {
        for (QWidget* w : {static_cast<QWidget*>(m_txt), static_cast<QWidget*>(m_cbo)}) {
            if (!w) continue;
            w->setFont(f);
            QPalette pal = w->palette();
            pal.setColor(QPalette::Text, m_gridColor);
            w->setPalette(pal);
        }
    });
    step([&] {
        const int small = static_cast<int>(std::lround(f.pointSize() / 1.175));
        for (size_t i = 0; i < m_headerFonts.size(); ++i) {
            QFont h = f;
            h.setStrikeOut(f.strikeOut());
            if (i == 3 || i == 5) h.setFamily(QStringLiteral("Symbol"));
            if (i == 4 || i == 5) h.setPointSize(std::max(1, small));
            m_headerFonts[i] = h;
        }
        headerFontsChanged();
    });
}

// ---------------------------------------------------------------- refresh

void clsFLX::AKTUALISIEREN()
{
    vb::OnError step(title("Aktulisieren"));
    if (!m_flx) return;
    step([&] { NUMMERIEREN(); });
    step([&] {
        for (int c = 0; c < m_flx->Cols(); ++c) {
            const QString format = columnFormat(c);
            if (format.isEmpty()) continue;
            for (int r = m_flx->FixedRows(); r < m_flx->Rows(); ++r) formatCell(r, c, format);
        }
    });
    step([&] { refreshTimeDifferences(); });
}

int clsFLX::referenceRow(int row) const
{
    const int first = m_flx->FixedRows();
    if (m_DET == -1) return row - 1;
    if (m_DET <= 0) return first;
    // the last row above whose cell in column EDET differs from this row's
    const int col = m_DET;
    if (col >= m_flx->Cols()) return row - 1;
    const QString mine = m_flx->TextMatrix(row, col);
    for (int r = row - 1; r >= first; --r)
        if (m_flx->TextMatrix(r, col) != mine) return r;
    return first;
}

bool clsFLX::hasTime(int row) const { return m_timeCol >= 0 && !m_flx->TextMatrix(row, m_timeCol).trimmed().isEmpty(); }

void clsFLX::refreshTimeDifferences()
{
    if (m_diffCol < 0) return;
    const int first = m_flx->FixedRows();
    if (first >= m_flx->Rows()) return;
    setCell(first, m_diffCol, QStringLiteral("0"));
    const QString format = columnFormat(m_diffCol);
    const auto cell = [&](int r, int c) { return c < 0 ? QString() : m_flx->TextMatrix(r, c); };
    for (int r = first + 1; r < m_flx->Rows(); ++r) {
        const bool filled = !cell(r, m_dateCol).isEmpty() || (m_timeCol >= 0 && !cell(r, m_timeCol).isEmpty());
        if (!filled) continue;
        // A reading without its time has no difference and is no reference:
        // the difference runs from the last row above that has one.
        int ref = m_timeCol >= 0 && !hasTime(r) ? first - 1 : referenceRow(r);
        while (m_timeCol >= 0 && ref >= first && !hasTime(ref)) --ref;
        if (ref < first) {
            setCell(r, m_diffCol, QString());
            continue;
        }
        float diff = ZEITDIFFERENZ(cell(ref, m_dateCol), cell(ref, m_timeCol), cell(r, m_dateCol), cell(r, m_timeCol));
        // minutes from times, days from dates alone
        if (m_timeCol >= 0) diff /= 60.0f;
        QString shown = format.isEmpty() ? vb::CStr(diff) : vb::Format(diff, format);
        // a step under a minute must not show as 0: up to two decimals where it is not whole
        if (!format.isEmpty() && std::fmod(std::round(static_cast<double>(diff) * 100.0), 100.0) != 0) {
            shown = vb::Format(diff, QStringLiteral("#0.00"));
            if (shown.endsWith(QLatin1Char('0'))) shown.chop(1);
        }
        setCell(r, m_diffCol, shown);
        // the exact minutes stay behind the rounded display, so a transfer stores them
        flexcells::remember(m_flx, r, m_diffCol, vb::CStr(diff), shown);
    }
}

float clsFLX::ZEITDIFFERENZ(const QString& date1, const QString& time1, const QString& date2, const QString& time2)
{
    const auto d1 = vb::ParseDateTime(date1), d2 = vb::ParseDateTime(date2);
    const auto t1 = vb::ParseDateTime(time1), t2 = vb::ParseDateTime(time2);
    const auto secs = [](const QDateTime& t) { return static_cast<double>(t.time().msecsSinceStartOfDay()) / 1000.0; };
    if (d1 && d2) {
        const double days = static_cast<double>(d1->date().daysTo(d2->date()));
        if (t1 && t2) return static_cast<float>(days * 86400.0 + secs(*t2) - secs(*t1));
        return static_cast<float>(days);
    }
    if (t1 && t2) return static_cast<float>(secs(*t2) - secs(*t1));
    return 0.0f;
}

// ---------------------------------------------------------------- exact texts for a transfer

clsFLX::ExactTexts::ExactTexts(clsFLX& flx) : m_flx(flx)
{
    vb::FlexGrid* g = flx.m_flx;
    if (!g) return;
    for (int r = g->FixedRows(); r < g->Rows(); ++r)
        for (int c = 0; c < g->Cols(); ++c) {
            const QString display = g->TextMatrix(r, c);
            const auto e = flexcells::exact(g, r, c);
            if (!e || *e == display) continue;
            m_cells.append({r, c, display});
            g->setTextMatrix(r, c, *e);
            flexcells::remember(g, r, c, *e, *e);
        }
}

clsFLX::ExactTexts::~ExactTexts()
{
    vb::FlexGrid* g = m_flx.m_flx;
    if (!g) return;
    for (const Cell& cell : m_cells) {
        if (cell.row >= g->Rows() || cell.col >= g->Cols()) continue;
        const auto e = flexcells::exact(g, cell.row, cell.col);
        if (!e) continue; // changed meanwhile: keep what is there
        g->setTextMatrix(cell.row, cell.col, cell.display);
        flexcells::remember(g, cell.row, cell.col, *e, cell.display);
    }
}
