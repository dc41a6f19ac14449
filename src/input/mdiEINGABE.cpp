#include "input/mdiEINGABE.h"

#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "input/FlexCells.h"
#include "widgets/ControlData.h"
#include "widgets/PictureBox.h"
#include "widgets/WaitCursor.h"
#include "input/FormKeys.h"
#include "input/frmIMPORT.h"
#include "input/clsFLX.h"
#include "logger/LoggerImport.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/OnError.h"
#include "platform/VBError.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <optional>
#include <utility>

namespace {

// Grid columns and the E3 columns they hold, in transfer order.
enum Column : int { colNr = 0, colDatum = 1, colUhrzeit = 2, colDet = 3, colTemp = 4, colHst = 5, colHko = 6 };
const QStringList kReadingColumns = {"I1", "DATUM", "UHRZEIT", "DET", "TEMP", "HST", "HKO"};
// A row counts as a reading when it holds a time or a measured value.
constexpr int kReadingValueColumns[] = {colUhrzeit, colTemp, colHst, colHko};

const QString kCaptionN = QStringLiteral("n (Schrittweite)");
// Without two readings there is no upper limit for n but the column's range.
constexpr float kMaxStepWidth = 32767.0f;

// Shows a message in the language `sprache`; a language without texts shows nothing.
void message(short sprache, const QString& german, const QString& english, int style, const QString& caption)
{
    if (Session::hasTexts(sprache)) vb::MsgBox(Session::tr(sprache, german, english), style, caption);
}

// Shows a data error of the form, titled "Datenfehler" / "Data error".
void dataError(short sprache, const QString& german, const QString& english)
{
    message(sprache, german, english, vb::vbExclamation, Session::tr(sprache, QStringLiteral("Datenfehler"), QStringLiteral("Data error")));
}

QLabel* label(const QString& caption, QWidget* parent, const char* name)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// Transfers run one after the other as steps of one procedure: a transfer
// that reports a failure (the data layer has shown its box) stops the rest; a
// run-time failure answered with OK goes on with the next transfer, Cancel
// stops. done() tells whether every transfer so far succeeded.
class Sequence {
public:
    explicit Sequence(vb::OnError& step) : m_step(step) {}
    void operator()(const std::function<bool()>& transfer)
    {
        if (!m_going) return;
        bool result = false;
        const bool failedBefore = m_step.failed();
        if (!m_step([&] { result = transfer(); })) {
            m_done = m_going = false;
            return;
        }
        if (m_step.failed() != failedBefore) m_done = false;
        else if (!result) m_done = m_going = false;
    }
    bool going() const { return m_going; }
    bool done() const { return m_done; }
    // Lets a later, independent transfer run after a stop (not after Cancel).
    void resume() { m_going = !m_step.cancelled(); }

private:
    vb::OnError& m_step;
    bool m_going = true;
    bool m_done = true;
};

QLineEdit* textBox(QWidget* parent, const char* name)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    return t;
}

} // namespace

// ---------------------------------------------------------------- form load

mdiEINGABE::mdiEINGABE(Session& s, QWidget* parent) : QWidget(parent), m_s(s), m_SPRACHE(s.SPRACHE)
{
    setObjectName(QStringLiteral("mdiEINGABE"));
    buildControls();

    m_FLX = m_grid.createEditor();
    configureGrid();
    wireEvents();

    m_E1 = std::make_unique<ControlData>(m_s);
    m_E1->setETABELLE(QStringLiteral("E1"));
    m_E2 = std::make_unique<ControlData>(m_s);
    m_E2->setETABELLE(QStringLiteral("E2"));
    m_E3 = std::make_unique<ControlData>(m_s);
    m_E3->setETABELLE(QStringLiteral("E3"));
    m_V1 = std::make_unique<ControlData>(m_s);
    m_V1->setETABELLE(schema::kPresetsTable);
    m_V1->setESPID(QString());
    m_V1->setEBOV(true);
    fillStandpipes();

    m_SSTab->setCurrentIndex(0);
    DATUMERGAENZEN();
    resize(sizeHint());
}

mdiEINGABE::~mdiEINGABE()
{
    // no Validate while the controls die; the editor watches them: release it first
    disconnect(qApp, nullptr, this, nullptr);
    m_FLX.reset();
}

clsFLX& mdiEINGABE::FLX(int) const { return *m_FLX; }

void mdiEINGABE::buildControls()
{
    // record header
    m_fraKEN = new QGroupBox(this);
    m_fraKEN->setObjectName(QStringLiteral("fraKEN"));
    m_lblKEN = label(QStringLiteral("Datensatz"), m_fraKEN, "lblKEN");
    m_txtKEN = textBox(m_fraKEN, "txtKEN");
    m_lblKOM = label(QStringLiteral("Kommentar"), m_fraKEN, "lblKOM");
    m_txtKOM = textBox(m_fraKEN, "txtKOM");
    auto* header = new QHBoxLayout(m_fraKEN);
    header->addWidget(m_lblKEN);
    header->addWidget(m_txtKEN, 1);
    header->addSpacing(12);
    header->addWidget(m_lblKOM);
    header->addWidget(m_txtKOM, 3);

    // the measurement tab
    m_SSTab = new QTabWidget(this);
    m_SSTab->setObjectName(QStringLiteral("SSTab"));
    m_fraREITER = new QWidget;
    m_fraREITER->setObjectName(QStringLiteral("fraREITER_0"));
    m_SSTab->addTab(m_fraREITER, QStringLiteral("Meßdaten"));

    m_lblSTRO = label(QStringLiteral("Standrohr"), m_fraREITER, "lblSTRO");
    m_cboSTRO = new QComboBox(m_fraREITER);
    m_cboSTRO->setObjectName(QStringLiteral("cboSTRO"));
    m_cboSTRO->setEditable(false); // a drop-down list of the presets
    m_cboSTRO->setMinimumContentsLength(12);
    m_lblH = label(QStringLiteral("H [mm]"), m_fraREITER, "lblH");
    m_txtH = textBox(m_fraREITER, "txtH");
    const QString tipH = QStringLiteral("Abstand zw. Zylinderunterkante und Rohroberkante");
    m_lblH->setToolTip(tipH);
    m_txtH->setToolTip(tipH);
    m_lblN = label(kCaptionN, m_fraREITER, "lblN");
    m_txtN = textBox(m_fraREITER, "txtN");
    m_txtN->setText(QStringLiteral("1"));
    const QString tipN = QStringLiteral("Schrittweite für die Berechnung des k-Wertes");
    m_lblN->setToolTip(tipN);
    m_txtN->setToolTip(tipN);

    m_grid = GridControls::create(m_fraREITER);
    m_grid.txtFLX->setText(QStringLiteral("Nicht löschen, dient zur Funktion der FlexGrid-Eingabe; bei Ausführung unsichtbar"));

    auto* params = new QHBoxLayout;
    params->addWidget(m_lblSTRO);
    params->addWidget(m_cboSTRO, 2);
    params->addSpacing(12);
    params->addWidget(m_lblH);
    params->addWidget(m_txtH, 1);
    params->addSpacing(12);
    params->addWidget(m_lblN);
    params->addWidget(m_txtN, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_grid.cmdH, m_grid.cmdW, m_grid.cmdK, m_grid.cmdE}) buttons->addWidget(b);
    m_cmdIMPORT = new QPushButton(Session::tr(m_SPRACHE, QStringLiteral("Importieren..."), QStringLiteral("Import...")), m_fraREITER);
    m_cmdIMPORT->setObjectName(QStringLiteral("cmdIMPORT"));
    m_cmdIMPORT->setAutoDefault(false);
    buttons->addWidget(m_cmdIMPORT);
    buttons->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_grid.msgFLX);
    body->addLayout(buttons);
    auto* tab = new QVBoxLayout(m_fraREITER);
    tab->addLayout(params);
    tab->addLayout(body, 1);
}

void mdiEINGABE::configureReadings(clsFLX& f)
{
    f.setELSB({24, 21, 21, 20, 23, 16, 16});
    f.setELST1({"Messung", "Datum", "Uhrzeit", "Zeitdiff.", "Temperatur", "h'", "h{t,4}korr"});
    f.setELST2({"Nr.", "[TT.MM.JJ]", "[hh:mm:ss]", "[min]", QStringLiteral("[°C]"), "[mm]", "[mm]"});
    f.setELSTTT({"", "", "", "", "", "Abstand des Wasserspiegels von Rohroberkante",
                 "h eines Referenzrohres zur Erfassung von Temp. und Verdunstung, gemessen ab Rohroberkante wie h'"});
    f.setELSTYP({1, 4, 5, 6, 0, 0, 0});
    f.setELFORMAT({"#0", "dd/mm/yy", "hh:mm:ss", "#0", "#0.0", "#0.0", "#0.0"});
    f.setEDET(-1);
    f.setELA({1, 1, 1, 2, 2, 2, 2});
    f.SCHRIFTEINSTELLUNGEN(QString(), 10, false, false, false, 0);
    f.BESCHRIFTEN();
}

void mdiEINGABE::configureGrid()
{
    configureReadings(*m_FLX);
    // The tab is as wide as the grid's columns and a vertical scroll bar.
    const int frame = 2 * m_grid.msgFLX->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int width = frame + 2;
    for (int c = 0; c < m_grid.msgFLX->Cols(); ++c)
        width += static_cast<int>(std::lround(m_grid.msgFLX->ColWidth(c) / m_grid.msgFLX->twipsPerPixel()));
    m_grid.msgFLX->setFixedWidth(width);
    // room for the header and about 16 readings
    m_grid.msgFLX->setMinimumHeight(frame + m_grid.msgFLX->rowHeight(0) + 16 * m_grid.msgFLX->rowHeight(m_grid.msgFLX->FixedRows()));
    m_SSTab->setFixedSize(m_SSTab->sizeHint());
    m_fraKEN->setFixedSize(m_SSTab->width(), m_fraKEN->sizeHint().height());
}

void mdiEINGABE::wireEvents()
{
    clsFLX* f = m_FLX.get();
    f->connectHostEvents();
    // after the editor's own handling of the same events: the date carry-down
    connect(m_grid.msgFLX, &vb::FlexGrid::KeyPress, this, [this](int) { DATUMERGAENZEN(); });
    connect(m_grid.msgFLX, &vb::FlexGrid::Click, this, [this] { DATUMERGAENZEN(); });
    connect(m_grid.msgFLX, &vb::FlexGrid::EnterCell, this, [this] { DATUMERGAENZEN(); }); // the cell left
    connect(f, &clsFLX::editorKeyPress, this, [this](int key) {
        if (key == 13) DATUMERGAENZEN();
    });

    m_grid.connectButtons(f, this);
    connect(m_cmdIMPORT, &QPushButton::clicked, this, &mdiEINGABE::IMPORTIEREN);

    m_txtKEN->installEventFilter(this);
    m_txtN->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &mdiEINGABE::focusChanged);

    wireKeys();
}

void mdiEINGABE::wireKeys()
{
    m_keys = new FormKeys(this, m_s);
    GridControls::connectClipboardKeys(m_keys, m_FLX.get());
    // The commands may close this form: they run once the key is done with.
    m_keys->onQuit = [this] {
        if (m_quit) QTimer::singleShot(0, this, [this] { m_quit(); });
    };
    m_keys->onSave = [this] {
        if (m_save) QTimer::singleShot(0, this, [this] { m_save(); });
    };
}

void mdiEINGABE::fillStandpipes()
{
    m_V1->DTFMM(QStringLiteral("STRO"), m_cboSTRO, Keys{{"I1"}});
    if (m_cboSTRO->count() > 0) m_cboSTRO->setCurrentIndex(0);
}

// ---------------------------------------------------------------- layout

QSize mdiEINGABE::sizeHint() const
{
    const int margin = m_fraKEN->height() / 2;
    return QSize(m_SSTab->width() + 2 * margin,
                 static_cast<int>(1.5 * m_fraKEN->height()) + m_SSTab->height() + margin);
}

void mdiEINGABE::arrange()
{
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (isMinimized() || (sub && sub->isMinimized())) return;
    const int frameHeight = m_fraKEN->height();
    const int tabTop = static_cast<int>(1.5 * frameHeight);
    // centred; a form narrower than the tab shows its left part
    const int tabLeft = std::max(0, (width() - m_SSTab->width()) / 2);
    m_SSTab->move(tabLeft, tabTop);
    m_fraKEN->move(tabLeft, static_cast<int>(tabTop - 1.15 * frameHeight));
}

void mdiEINGABE::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    arrange();
}

void mdiEINGABE::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    arrange();
    m_FLX->BESCHRIFTEN();
}

// ---------------------------------------------------------------- load and save

void mdiEINGABE::OEFFNEN(long ID)
{
    vb::OnError step(QStringLiteral("OEFFNEN"), QStringLiteral("VB-Fehler: "));
    Sequence read(step);
    m_loading = true; // no date carry-down while the grid fills
    const auto loaded = qScopeGuard([this] { m_loading = false; });

    // All objects take the record's ID, so header, data and readings are of
    // one record even when it is not the active one.
    read([&] {
        for (clsDATEN* d : {m_E1.get(), m_E2.get(), m_E3.get()}) d->setESPIDW(static_cast<qint32>(ID));
        return true;
    });
    read([&] { return m_E1->DTFT(QStringLiteral("KEN"), m_txtKEN); });
    read([&] { return m_E1->DTFT(QStringLiteral("KOM"), m_txtKOM); });
    read([&] { return m_E2->DTFTT(QStringLiteral("H"), m_txtH); });
    read([&] {
        keepStoredStandpipe();
        return m_E2->DTFMT(QStringLiteral("STRO"), m_cboSTRO);
    });
    read([&] { return m_E2->DTFTT(QStringLiteral("N"), m_txtN); });
    // the readings fill a grid that holds one empty row
    read([&] {
        m_grid.msgFLX->setRows(m_grid.msgFLX->FixedRows() + 1);
        for (int c = 0; c < m_grid.msgFLX->Cols(); ++c) m_grid.msgFLX->setTextMatrix(m_grid.msgFLX->FixedRows(), c, QString());
        return true;
    });
    for (int c = 0; c < kReadingColumns.size(); ++c)
        read([&] { return m_E3->DTFFM(kReadingColumns[c], m_grid.msgFLX, QString::number(c), Keys{{"I1"}}); });
    if (!read.going()) return;

    m_loading = false;
    // the empty state keeps its row blank
    read([&] {
        if (m_grid.msgFLX->Enabled()) m_FLX->AKTUALISIEREN();
        return true;
    });
    read([&] {
        DATUMERGAENZEN();
        return true;
    });
}

void mdiEINGABE::keepStoredStandpipe()
{
    QVariant stored;
    if (!m_E2->DTVV(QStringLiteral("STRO"), stored) || stored.isNull()) return;
    const QString name = stored.toString();
    if (!name.isEmpty() && m_cboSTRO->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        m_cboSTRO->addItem(name);
}

bool mdiEINGABE::OK(long ID)
{
    vb::OnError step(QStringLiteral("OK"), QStringLiteral("VB-Fehler: "));
    bool ready = false;
    if (!step([&] { ready = readyToStore(); }) || !ready) return false;

    // One transaction makes the column passes fast; what was written before a
    // failure stays written, as each step of the save is done when it returns.
    std::optional<ado::Transaction> tx;
    if (!step([&] { tx.emplace(m_E1->connection()); }) || !tx) return false;

    const qint32 id = static_cast<qint32>(ID);
    Sequence write(step);
    write([&] {
        m_E1->setESPIDW(id);
        return m_E1->DFTT(QStringLiteral("KEN"), m_txtKEN);
    });
    const bool headerWritten = write.going();
    write([&] { return m_E1->DFTT(QStringLiteral("KOM"), m_txtKOM); });
    write([&] { return m_E1->DVTB(QStringLiteral("AKT"), true); });
    write([&] {
        m_E2->setESPIDW(id);
        return m_E2->DFTTT(QStringLiteral("H"), m_txtH);
    });
    write([&] { return m_E2->DFTMT(QStringLiteral("STRO"), m_cboSTRO); });
    write([&] { return m_E2->DFTTT(QStringLiteral("N"), m_txtN); });
    if (write.going()) {
        m_E3->setESPIDW(id);
        dropTrailingEmptyRows();
        // cells not edited since the load go back exactly as they were read
        clsFLX::ExactTexts exact(*m_FLX);
        for (int c = 0; c < kReadingColumns.size(); ++c)
            write([&] { return m_E3->DFTFM(kReadingColumns[c], m_grid.msgFLX, QString::number(c), Keys{{"I1"}}); });
    }
    // Results computed from the old data must not pass for results of the
    // new, also when only part of it was written.
    if (headerWritten) {
        write.resume();
        write([&] { return markResultsOutOfDate(ID); });
    }
    // What was written stays, also when a failure box was cancelled.
    const auto commit = [&] { tx->commit(); };
    if (!step.cancelled()) {
        step(commit);
    } else {
        try {
            commit();
        } catch (const vb::VBError&) {
            // the user has left the save; its failure box was the last word
        }
    }
    return write.done() && !step.failed();
}

bool mdiEINGABE::readyToStore()
{
    // A click on the panel or Ctrl+S neither commits the open cell nor
    // validates the fields: both happen here.
    m_FLX->EINFUEGEN(0);
    if (m_FLX->editorOpen()) return false; // the cell check has spoken; the edit stays open
    DATUMERGAENZEN();
    if (!KENPRUEFUNG()) {
        m_txtKEN->setFocus();
        return false;
    }
    if (!stepWidthCheck(true)) {
        m_txtN->setFocus();
        return false;
    }
    return timesPresent();
}

bool mdiEINGABE::timesPresent()
{
    // A dated reading without its time would be evaluated against a time
    // span of whole days.
    vb::FlexGrid* g = m_grid.msgFLX;
    const int end = g->FixedRows() + readingCount();
    for (int r = g->FixedRows(); r < end; ++r) {
        if (g->TextMatrix(r, colDatum).trimmed().isEmpty() || !g->TextMatrix(r, colUhrzeit).trimmed().isEmpty()) continue;
        const QString nr = g->TextMatrix(r, colNr);
        dataError(m_SPRACHE, QStringLiteral("Messung Nr. %1: Uhrzeit fehlt!").arg(nr), QStringLiteral("Reading no. %1: time is missing!").arg(nr));
        g->setRow(r);
        g->setCol(colUhrzeit);
        g->setFocus();
        return false;
    }
    return true;
}

void mdiEINGABE::dropTrailingEmptyRows()
{
    vb::FlexGrid* g = m_grid.msgFLX;
    if (!g->Enabled()) return;
    const int readings = readingCount();
    if (readings > 0) {
        g->setRows(g->FixedRows() + readings);
        return;
    }
    // no reading at all: the empty state, which stores no rows
    g->setRows(g->FixedRows() + 1);
    for (int c = 0; c < g->Cols(); ++c) g->setTextMatrix(g->FixedRows(), c, QString());
    g->setBackColor(g->BackColorFixed());
    g->setEnabledState(false);
}

bool mdiEINGABE::markResultsOutOfDate(long ID)
{
    clsDATEN A1(m_s);
    A1.setETABELLE(QStringLiteral("A1"));
    A1.setESPIDW(static_cast<qint32>(ID));
    clsDATEN A2(m_s);
    A2.setETABELLE(QStringLiteral("A2"));
    A2.setESPIDW(static_cast<qint32>(ID));
    return A1.DVTB(QStringLiteral("BONEU"), true) && A2.LOESCHEN({});
}

// ---------------------------------------------------------------- import

void mdiEINGABE::IMPORTIEREN()
{
    m_FLX->EINFUEGEN(0);
    if (m_FLX->editorOpen()) return; // the cell check has spoken
    // heads at or below the cylinder's lower edge cannot be right for this record
    std::optional<double> pipeH;
    if (const auto h = vb::ParseNumber(m_txtH->text()); h && *h > 0) pipeH = *h;
    frmIMPORT dialog(m_SPRACHE, pipeH, this);
    if (dialog.exec() == QDialog::Accepted) importReadings(dialog.readings());
}

bool mdiEINGABE::importReadings(const std::vector<logger::Reading>& readings)
{
    if (readings.empty()) return false;
    if (readingCount() > 0
        && vb::MsgBox(Session::tr(m_SPRACHE, QStringLiteral("Vorhandene Messwerte ersetzen?"), QStringLiteral("Replace the existing readings?")),
                      vb::vbYesNo | vb::vbQuestion, Session::tr(m_SPRACHE, QStringLiteral("Importieren"), QStringLiteral("Import")))
            != vb::vbYes)
        return false;
    const WaitCursor busy; // tens of thousands of rows take seconds
    vb::FlexGrid* g = m_grid.msgFLX;
    const int first = g->FixedRows();
    g->setRows(first + static_cast<int>(readings.size()));
    if (!g->Enabled()) {
        g->setBackColor(vb::SystemWindowBackground());
        g->setEnabledState(true);
    }
    for (size_t i = 0; i < readings.size(); ++i) {
        const logger::Reading& r = readings[i];
        const int row = first + static_cast<int>(i);
        // the number and the time difference follow as for typed rows; no reference level
        const QString cells[] = {QString(), logger::dateText(r.time), logger::timeText(r.time), QString(),
                                 std::isnan(r.temperature) ? QString() : logger::numberText(r.temperature),
                                 logger::numberText(r.hPrime), QString()};
        for (int c = 0; c < kReadingColumns.size(); ++c) {
            g->setTextMatrix(row, c, cells[c]);
            flexcells::forget(g, row, c);
        }
    }
    g->setRow(first);
    g->setCol(g->FixedCols());
    g->setTopRow(first);
    DATUMERGAENZEN();
    return true;
}

// ---------------------------------------------------------------- grid

void mdiEINGABE::DATUMERGAENZEN()
{
    vb::FlexGrid* g = m_grid.msgFLX;
    if (m_loading || !g->Enabled()) return;
    for (int r = g->FixedRows() + 1; r < g->Rows(); ++r)
        if (g->TextMatrix(r, colDatum).trimmed().isEmpty()) g->setTextMatrix(r, colDatum, g->TextMatrix(r - 1, colDatum));
    m_FLX->AKTUALISIEREN();
}

int mdiEINGABE::readingCount() const
{
    const vb::FlexGrid* g = m_grid.msgFLX;
    if (!g->Enabled()) return 0;
    for (int r = g->Rows() - 1; r >= g->FixedRows(); --r)
        for (int c : kReadingValueColumns)
            if (!g->TextMatrix(r, c).trimmed().isEmpty()) return r - g->FixedRows() + 1;
    return 0;
}

// ---------------------------------------------------------------- checks

bool mdiEINGABE::EINGABEPRUEFUNG(QString& text, float min, float max, bool whole, bool dateTime, const QString& caption)
{
    text = text.trimmed();
    if (text.isEmpty()) return true;
    if (dateTime) {
        if (vb::IsDate(text)) return true;
        message(m_s.SPRACHE, QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"),
                     QStringLiteral("Type of value is neither date nor time!"), vb::vbExclamation, caption);
        return false;
    }
    const std::optional<double> number = vb::ParseNumber(text);
    if (!number) {
        message(m_s.SPRACHE, QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"),
                     QStringLiteral("Type of value is not numeric!"), vb::vbOKOnly, caption);
        return false;
    }
    const float value = static_cast<float>(*number);
    if (!(value >= min) || value > max) {
        const QString limits = QStringLiteral("\nMinimum: ") + vb::CStr(min) + QStringLiteral(", Maximum: ") + vb::CStr(max);
        message(m_s.SPRACHE, QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:") + limits,
                     QStringLiteral("Numeric value out of preset limits:") + limits, vb::vbOKOnly, caption);
        return false;
    }
    if (whole && value != std::floor(value)) {
        message(m_s.SPRACHE, QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"), QStringLiteral("Type of value is not an integer!"),
                     vb::vbOKOnly, caption);
        return false;
    }
    // a language without messages cannot tell the user, so nothing passes
    return Session::hasTexts(m_s.SPRACHE);
}

bool mdiEINGABE::KENPRUEFUNG()
{
    if (!m_txtKEN->text().trimmed().isEmpty()) return true;
    dataError(m_SPRACHE, QStringLiteral("Datensatzkennzeichnung fehlt!"), QStringLiteral("File name is missing!"));
    return false;
}

bool mdiEINGABE::NPRUEFUNG() { return stepWidthCheck(false); }

bool mdiEINGABE::stepWidthCheck(bool required)
{
    QString text = m_txtN->text();
    // With fewer than two readings no step fits yet; n is checked against
    // them once they are there, so a new record's "1" never traps the focus.
    const int readings = readingCount();
    const float upper = readings >= 2 ? static_cast<float>(readings - 1) : kMaxStepWidth;
    const bool valid = EINGABEPRUEFUNG(text, 1, upper, true, false, kCaptionN);
    if (text != m_txtN->text()) m_txtN->setText(text);
    if (!valid) return false;
    if (!required || !text.isEmpty()) return true;
    dataError(m_SPRACHE, QStringLiteral("Schrittweite n fehlt!"), QStringLiteral("Step width n is missing!"));
    return false;
}

bool mdiEINGABE::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == m_txtKEN || watched == m_txtN)) {
        switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason: m_userLeft = true; break;
        default: m_userLeft = false; break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void mdiEINGABE::focusChanged(QWidget* old, QWidget* now)
{
    if (old != m_txtKEN && old != m_txtN) return;
    const bool userLeft = std::exchange(m_userLeft, false);
    // no Validate for another window (a message box, the main window) or the program's own moves
    if (!userLeft || !now || !isAncestorOf(now)) return;
    // One user action may move the focus twice (a mouse press focuses the
    // control, and a grid focuses itself again): it is refused once, with one message.
    if (!m_refused) {
        const bool valid = old == m_txtKEN ? KENPRUEFUNG() : NPRUEFUNG();
        if (valid) return;
        m_refused = true;
        QTimer::singleShot(0, this, [this] { m_refused = false; });
    }
    old->setFocus();
}
