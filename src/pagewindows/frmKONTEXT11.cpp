#include "pagewindows/frmKONTEXT11.h"

#include "data/Session.h"
#include "data/clsDATEN.h"
#include "evaluation/StepRange.h"
#include "pages/PermeabilityAxes.h"
#include "pagewindows/ResultPage.h"
#include "platform/Convert.h"
#include "platform/Format.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"
#include "widgets/WaitCursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const Keys kRow11{{"IDOBJEKT", 11}};
const Keys kRow14{{"IDOBJEKT", 14}};

// A combo entry or a stored value as text, the way the lists are filled.
QString text(float v) { return vb::CStr(v); }

// Selects the entry that shows the value's text; without one the combo keeps
// the value as its own text, so a limit outside the list is not lost.
void selectByText(QComboBox* c, float value)
{
    const int i = c->findText(text(value), Qt::MatchExactly);
    c->setCurrentIndex(i);
    if (i < 0) c->setEditText(text(value));
}

// As above, comparing the entries as numbers (k10 limits come back from the
// database with the rounding of a single).
void selectByNumber(QComboBox* c, double value)
{
    for (int i = 0; i < c->count(); ++i) {
        const std::optional<double> entry = vb::ParseNumber(c->itemText(i));
        if (entry && std::abs(*entry - value) <= 1e-5 * std::max(std::abs(*entry), std::abs(value))) {
            c->setCurrentIndex(i);
            return;
        }
    }
    c->setCurrentIndex(-1);
    c->setEditText(text(static_cast<float>(value)));
}

// The step number a combo entry or a typed text starts with; 0 when none.
int leadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,5})(\\s|$)"));
    const auto m = number.match(text);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QLabel* axisLabel(const QString& html, QWidget* parent)
{
    auto* l = new QLabel(html, parent);
    l->setTextFormat(Qt::RichText);
    l->setFixedWidth(80);
    return l;
}

} // namespace

// ---------------------------------------------------------------- checks

std::optional<frmKONTEXT11::Limits> frmKONTEXT11::limitsOf(const Session& s, const QString& axis,
                                                           const QString& minText, const QString& diffText,
                                                           bool logarithmic, QString& message)
{
    const std::optional<double> min = vb::ParseNumber(minText);
    const std::optional<double> diff = vb::ParseNumber(diffText);
    for (const auto& [value, txt] : {std::pair{min, minText}, std::pair{diff, diffText}}) {
        if (!value || !std::isfinite(static_cast<float>(*value))) {
            message = s.tr(QStringLiteral("%1: \"%2\" ist keine Zahl."), QStringLiteral("%1: \"%2\" is not a number."))
                          .arg(axis, txt.trimmed());
            return std::nullopt;
        }
    }
    if (*diff <= 0) {
        message = s.tr(QStringLiteral("%1: Die Differenz muss größer als 0 sein."),
                       QStringLiteral("%1: The difference must be greater than 0."))
                      .arg(axis);
        return std::nullopt;
    }
    if (logarithmic && *min <= 0) {
        message = s.tr(QStringLiteral("%1: Auf einer logarithmischen Achse muss das Minimum größer als 0 sein."),
                       QStringLiteral("%1: On a logarithmic axis the minimum must be greater than 0."))
                      .arg(axis);
        return std::nullopt;
    }
    const float MIN = static_cast<float>(*min);
    const float MAX = static_cast<float>(*min + *diff);
    // a difference lost in the rounding of a single would give an empty axis
    if (!std::isfinite(MAX) || !(MAX > MIN)) {
        message = s.tr(QStringLiteral("%1: Die Differenz ist zu klein für das Minimum."),
                       QStringLiteral("%1: The difference is too small for the minimum."))
                      .arg(axis);
        return std::nullopt;
    }
    return Limits{MIN, MAX};
}

// ---------------------------------------------------------------- stored settings

Bild11Settings Bild11Settings::read(Session& s, qint32 id)
{
    Bild11Settings st;
    clsDATEN g0(s);
    g0.setETABELLE(QStringLiteral("G0"));
    g0.setESPIDW(id);
    g0.DTVS(QStringLiteral("XMIN"), st.XMIN, kRow11) && g0.DTVS(QStringLiteral("XMAX"), st.XMAX, kRow11) &&
        g0.DTVS(QStringLiteral("YMIN"), st.YMIN, kRow11) && g0.DTVS(QStringLiteral("YMAX"), st.YMAX, kRow11) &&
        g0.DTVS(QStringLiteral("YMIN"), st.ZMIN, kRow14) && g0.DTVS(QStringLiteral("YMAX"), st.ZMAX, kRow14);
    clsDATEN a1(s);
    a1.setETABELLE(QStringLiteral("A1"));
    a1.setESPIDW(id);
    a1.DTVI(QStringLiteral("BILD14AN"), st.BILD14AN) && a1.DTVI(QStringLiteral("GITT"), st.GITT) &&
        a1.DTVI(QStringLiteral("GITK10"), st.GITK10) && a1.DTVV(QStringLiteral("VON"), st.VON) &&
        a1.DTVV(QStringLiteral("BIS"), st.BIS) && a1.DTVB(QStringLiteral("LOGK10"), st.LOGK10) &&
        a1.DTVB(QStringLiteral("LOGPHI"), st.LOGPHI);
    return st;
}

bool Bild11Settings::write(Session& s, qint32 id) const
{
    bool written = false;
    vb::OnError onError(QStringLiteral("Bild 11"));
    onError([&] {
        clsDATEN g0(s);
        g0.setETABELLE(QStringLiteral("G0"));
        g0.setESPIDW(id);
        clsDATEN a1(s);
        a1.setETABELLE(QStringLiteral("A1"));
        a1.setESPIDW(id);
        ado::Transaction transaction(g0.connection());

        // Bild 14 gets its margins only when it is drawn at a rescale: a level
        // overlay switched on later takes them from Bild 11.
        QVariant layout14;
        if (!g0.DTVV(QStringLiteral("OX"), layout14, kRow14)) return;
        if (layout14.isNull()) {
            for (const char* col : {"OX", "OY"}) {
                qint16 v = 0;
                if (!g0.DTVI(QString::fromLatin1(col), v, kRow11) || !g0.DVTI(QString::fromLatin1(col), v, kRow14)) return;
            }
            for (const char* col : {"RL", "RR", "RO", "RU", "MYMX"}) {
                float v = 0;
                if (!g0.DTVS(QString::fromLatin1(col), v, kRow11) || !g0.DVTS(QString::fromLatin1(col), v, kRow14)) return;
            }
        }
        const struct {
            const Keys& row;
            const char* col;
            float value;
        } values[] = {
            {kRow11, "MX", 0}, {kRow11, "MY", 0}, {kRow11, "XMIN", XMIN}, {kRow11, "XMAX", XMAX},
            {kRow11, "YMIN", YMIN}, {kRow11, "YMAX", YMAX},
            {kRow14, "MX", 0}, {kRow14, "MY", 0}, {kRow14, "XMIN", XMIN}, {kRow14, "XMAX", XMAX},
            {kRow14, "YMIN", ZMIN}, {kRow14, "YMAX", ZMAX},
        };
        for (const auto& v : values)
            if (!g0.DVTS(QString::fromLatin1(v.col), v.value, v.row)) return;
        if (!a1.DVTI(QStringLiteral("BILD14AN"), BILD14AN) || !a1.DVTI(QStringLiteral("GITT"), GITT) ||
            !a1.DVTI(QStringLiteral("GITK10"), GITK10) || !a1.DVTV(QStringLiteral("VON"), VON) ||
            !a1.DVTV(QStringLiteral("BIS"), BIS) || !a1.DVTB(QStringLiteral("LOGK10"), LOGK10) ||
            !a1.DVTB(QStringLiteral("LOGPHI"), LOGPHI))
            return;
        transaction.commit();
        written = true;
    });
    return written;
}

// ---------------------------------------------------------------- form

frmKONTEXT11::frmKONTEXT11(Session& s, ResultPage* page, qint32 recordId, QWidget* owner)
    : frmKONTEXTBase(page, owner), m_s(s), m_id(recordId)
{
    setObjectName(QStringLiteral("frmKONTEXT11"));
    setWindowTitle(s.tr(QStringLiteral("Diagrammeinstellungen"), QStringLiteral("Diagram settings")));

    // the lists the page divides its axes by
    m_cboXMIN = combo("cboXMIN", PermeabilityAxes::timeLimits(true));
    m_cboXDIFF = combo("cboXDIFF", PermeabilityAxes::timeLimits(false));
    m_cboYMIN = combo("cboYMIN", PermeabilityAxes::permeabilityLimits(true));
    m_cboYDIFF = combo("cboYDIFF", PermeabilityAxes::permeabilityLimits(false));
    m_chkGITT = new QCheckBox(QStringLiteral("Gitterlinien t"), this);
    m_chkGITT->setObjectName(QStringLiteral("chkGITT"));
    m_chkGITK10 = new QCheckBox(QStringLiteral("Gitterlinien"), this);
    m_chkGITK10->setObjectName(QStringLiteral("chkGITK10"));
    m_chkPHI = new QCheckBox(s.tr(QStringLiteral("φ-Kurve darstellen"), QStringLiteral("Show the φ curve")), this);
    m_chkPHI->setObjectName(QStringLiteral("chkPHI"));
    m_chkLOGPHI = new QCheckBox(s.tr(QStringLiteral("φ logarithmisch mit Ausgleichsgerade"), QStringLiteral("log head with fitted line")), this);
    m_chkLOGPHI->setObjectName(QStringLiteral("chkLOGPHI"));
    m_fraPHI = new QFrame(this);
    m_fraPHI->setObjectName(QStringLiteral("fraPHI"));
    m_cboZMIN = combo("cboZMIN", PermeabilityAxes::levelLimits(true));
    m_cboZDIFF = combo("cboZDIFF", PermeabilityAxes::levelLimits(false));
    m_cboVON = combo("cboVON", {});
    m_cboBIS = combo("cboBIS", {});
    m_chkLOGK10 = logK10Box(s);

    const QString minimum = QStringLiteral("Minimum");
    const QString difference = s.tr(QStringLiteral("Differenz"), QStringLiteral("Difference"));
    auto* axes = new QGridLayout;
    axes->addWidget(new QLabel(minimum, this), 0, 1);
    axes->addWidget(new QLabel(difference, this), 0, 2);
    axes->addWidget(axisLabel(QStringLiteral("t [h]"), this), 1, 0);
    axes->addWidget(m_cboXMIN, 1, 1);
    axes->addWidget(m_cboXDIFF, 1, 2);
    axes->addWidget(axisLabel(QStringLiteral("k<sub>10</sub> [m/s]"), this), 2, 0);
    axes->addWidget(m_cboYMIN, 2, 1);
    axes->addWidget(m_cboYDIFF, 2, 2);

    axes->addWidget(m_chkGITT, 3, 1);
    axes->addLayout(k10Caption(m_chkGITK10, m_lblK, m_lbl10), 3, 2);
    axes->addWidget(m_chkLOGK10, 4, 1, 1, 2);

    // the steps the reported k10 is taken over
    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel(s.tr(QStringLiteral("Auswertebereich: Schritt von"), QStringLiteral("Evaluated steps: from")), this));
    range->addWidget(m_cboVON);
    range->addWidget(new QLabel(s.tr(QStringLiteral("bis"), QStringLiteral("to")), this));
    range->addWidget(m_cboBIS);
    range->addStretch();

    // the level axis lines up with the two axes above
    auto* level = new QGridLayout(m_fraPHI);
    level->setContentsMargins(0, 0, 0, 0);
    level->addWidget(axisLabel(QStringLiteral("φ [mm]"), m_fraPHI), 0, 0);
    level->addWidget(m_cboZMIN, 0, 1);
    level->addWidget(m_cboZDIFF, 0, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(axes);
    layout->addSpacing(6);
    layout->addLayout(range);
    layout->addSpacing(6);
    layout->addWidget(m_chkPHI);
    layout->addWidget(m_chkLOGPHI);
    layout->addWidget(m_fraPHI);
    layout->addSpacing(6);
    layout->addLayout(buttonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_chkPHI, &QCheckBox::clicked, this, &frmKONTEXT11::chkPHI_Click);
    connect(m_chkLOGK10, &QCheckBox::clicked, this, &frmKONTEXT11::chkLOGK10_Click);
    Form_Load();
}

frmKONTEXT11::~frmKONTEXT11() = default;

QComboBox* frmKONTEXT11::combo(const char* name, const QVector<float>& entries)
{
    auto* c = new QComboBox(this);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setFixedWidth(120);
    c->setMaxVisibleItems(15);
    for (float v : entries) c->addItem(text(v));
    return c;
}

void frmKONTEXT11::Form_Load()
{
    const Bild11Settings st = m_stored = Bild11Settings::read(m_s, m_id);
    vb::OnError onError(windowTitle());
    onError([&] { m_series = ResultSeries::read(m_s.cnnX, m_id); });
    fillSteps();
    const StepRange range = StepRange::resolve(st.VON, st.BIS, m_series.K10.size());
    m_cboVON->setCurrentIndex(range.first - 1);
    m_cboBIS->setCurrentIndex(range.last - 1);
    m_chkLOGK10->setChecked(st.LOGK10);
    selectByText(m_cboXMIN, st.XMIN);
    selectByText(m_cboXDIFF, st.XMAX - st.XMIN);
    selectByNumber(m_cboYMIN, st.YMIN);
    selectByNumber(m_cboYDIFF, static_cast<double>(st.YMAX) - st.YMIN);
    selectByText(m_cboZMIN, st.ZMIN);
    // a level axis never drawn has no range yet: the user picks one
    if (st.ZMAX > st.ZMIN) selectByText(m_cboZDIFF, st.ZMAX - st.ZMIN);
    else m_cboZDIFF->setCurrentIndex(-1);
    m_chkPHI->setChecked(st.BILD14AN != 0);
    m_chkGITT->setChecked(st.GITT != 0);
    m_chkGITK10->setChecked(st.GITK10 != 0);
    m_chkLOGPHI->setChecked(st.LOGPHI);
    chkPHI_Click();
}

void frmKONTEXT11::chkPHI_Click()
{
    // the level overlay and grid lines would cross each other's scales
    const bool phi = m_chkPHI->isChecked();
    m_fraPHI->setVisible(phi);
    m_chkLOGPHI->setEnabled(phi);
    if (phi && m_cboZDIFF->currentText().trimmed().isEmpty()) offerLevelLimits();
    if (phi) {
        m_chkGITT->setChecked(false);
        m_chkGITK10->setChecked(false);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_chkGITT), static_cast<QWidget*>(m_chkGITK10),
                       static_cast<QWidget*>(m_lblK), static_cast<QWidget*>(m_lbl10)})
        w->setEnabled(!phi);
}

void frmKONTEXT11::offerLevelLimits()
{
    const auto [MIN, MAX] = PermeabilityAxes::automaticLevelLimits(m_series.PHI);
    selectByText(m_cboZMIN, MIN);
    selectByText(m_cboZDIFF, MAX - MIN);
}

void frmKONTEXT11::chkLOGK10_Click()
{
    // limits of a linear axis from 0 have no place on a logarithmic one: the
    // decades of the record's values are offered instead
    const std::optional<double> min = vb::ParseNumber(m_cboYMIN->currentText());
    if (!m_chkLOGK10->isChecked() || (min && *min > 0)) return;
    const auto [MIN, MAX] = PermeabilityAxes::automaticLogarithmicLimits(m_series.K10);
    selectByNumber(m_cboYMIN, MIN);
    selectByNumber(m_cboYDIFF, static_cast<double>(MAX) - MIN);
}

void frmKONTEXT11::fillSteps()
{
    const int s = std::max<int>(m_series.N, 1) - 1;
    for (int step = 1; step <= m_series.K10.size(); ++step) {
        // step i ends at reading i + s (the table's Nr.), at the time T(i)
        const QString time = step < m_series.T.size() ? vb::Format(m_series.T[step], QStringLiteral("0.00")) : QString();
        const QString entry = QStringLiteral("%1 – Nr. %2 – %3 h").arg(step).arg(step + s).arg(time);
        m_cboVON->addItem(entry);
        m_cboBIS->addItem(entry);
    }
    for (QComboBox* c : {m_cboVON, m_cboBIS}) {
        c->setEnabled(c->count() > 0);
        // wide enough for its longest entry ("23 – Nr. 24 – 11.50 h"), in the box and in its list
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        c->setFixedWidth(std::max(c->width(), c->sizeHint().width()));
    }
}

void frmKONTEXT11::cmdOK_Click()
{
    if (!m_page) { // the page is gone: nothing to set
        done(QDialog::Accepted);
        return;
    }
    struct Axis {
        QString name;
        QComboBox* min;
        QComboBox* diff;
        Limits limits;
    } axes[] = {
        {m_s.tr(QStringLiteral("Zeitachse t"), QStringLiteral("Time axis t")), m_cboXMIN, m_cboXDIFF, {}},
        {m_s.tr(QStringLiteral("k10-Achse"), QStringLiteral("k10 axis")), m_cboYMIN, m_cboYDIFF, {}},
        {m_s.tr(QStringLiteral("φ-Achse"), QStringLiteral("φ axis")), m_cboZMIN, m_cboZDIFF, {}},
    };
    for (Axis& a : axes) {
        QString message;
        const bool logarithmic = &a == &axes[1] && m_chkLOGK10->isChecked();
        const std::optional<Limits> l =
            limitsOf(m_s, a.name, a.min->currentText(), a.diff->currentText(), logarithmic, message);
        // the hidden level axis keeps its stored limits unless valid new ones were given
        if (!l && &a == &axes[2] && !m_chkPHI->isChecked()) {
            a.limits = {m_stored.ZMIN, m_stored.ZMAX};
            continue;
        }
        if (!l) {
            vb::MsgBox(message, vb::vbExclamation, m_s.tr(QStringLiteral("Datenfehler"), QStringLiteral("Data error")));
            (vb::ParseNumber(a.min->currentText()) ? a.diff : a.min)->setFocus();
            return;
        }
        a.limits = *l;
    }
    // the evaluated steps: in order and among the steps there are
    const int steps = m_series.K10.size();
    std::optional<StepRange> range = StepRange{1, steps};
    if (steps > 0) {
        range = StepRange::checked(leadingNumber(m_cboVON->currentText()), leadingNumber(m_cboBIS->currentText()), steps);
        if (!range) {
            vb::MsgBox(m_s.tr(QStringLiteral("Auswertebereich: Die Schritte von \"%1\" bis \"%2\" gibt es nicht; "
                                             "möglich sind Schritte von 1 bis %3, der erste nicht nach dem letzten."),
                              QStringLiteral("Evaluated steps: there are no steps from \"%1\" to \"%2\"; steps "
                                             "1 to %3 can be chosen, the first not after the last."))
                           .arg(m_cboVON->currentText().trimmed(), m_cboBIS->currentText().trimmed())
                           .arg(steps),
                       vb::vbExclamation, m_s.tr(QStringLiteral("Datenfehler"), QStringLiteral("Data error")));
            m_cboVON->setFocus();
            return;
        }
    }
    Bild11Settings st;
    // the first and the last step are kept as "from the first" and "to the last"
    st.VON = range->first > 1 ? QVariant(static_cast<qint16>(range->first)) : QVariant();
    st.BIS = range->last < steps ? QVariant(static_cast<qint16>(range->last)) : QVariant();
    st.LOGK10 = m_chkLOGK10->isChecked();
    st.XMIN = axes[0].limits.MIN;
    st.XMAX = axes[0].limits.MAX;
    st.YMIN = axes[1].limits.MIN;
    st.YMAX = axes[1].limits.MAX;
    st.ZMIN = axes[2].limits.MIN;
    st.ZMAX = axes[2].limits.MAX;
    st.BILD14AN = m_chkPHI->isChecked() ? 1 : 0;
    st.LOGPHI = m_chkLOGPHI->isChecked();
    st.GITT = m_chkGITT->isChecked() ? 1 : 0;
    st.GITK10 = m_chkGITK10->isChecked() ? 1 : 0;
    {
        const WaitCursor busy;
        if (!st.write(m_s, m_id)) return; // reported; the dialog stays for another try or Cancel
        // the range also changes the table's grey rows and its foot
        redraw({QStringLiteral("BILD11"), QStringLiteral("BILD13"), QStringLiteral("BILD14")});
    }
    done(QDialog::Accepted);
}
