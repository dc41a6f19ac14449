#include "input/frmIMPORT.h"

#include "data/Session.h"
#include "logger/LoggerError.h"
#include "logger/LoggerFields.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kPreviewLines = 14;
// The thinning modes in the order of the choice list.
constexpr logger::Thinning::Mode kModes[] = {logger::Thinning::All, logger::Thinning::EveryNth,
                                             logger::Thinning::Interval, logger::Thinning::PerDecade};
constexpr logger::Format kFormats[] = {logger::Format::Auto, logger::Format::LevelLogger, logger::Format::Transducer,
                                       logger::Format::Delimited};
// The elapsed-time units after "as the column's name says".
constexpr logger::TimeKind kElapsed[] = {logger::TimeKind::ElapsedSeconds, logger::TimeKind::ElapsedMinutes,
                                         logger::TimeKind::ElapsedHours};
const QString kApp = QStringLiteral("TALPEX"), kSection = QStringLiteral("Import");

// "2 d 3 h", "2 h 47 min", "12 min 30 s"
QString spanText(qint64 ms)
{
    qint64 s = (ms + 500) / 1000;
    const qint64 d = s / 86400, h = s / 3600 % 24, m = s / 60 % 60;
    s %= 60;
    if (d > 0) return QStringLiteral("%1 d %2 h").arg(d).arg(h);
    if (h > 0) return QStringLiteral("%1 h %2 min").arg(h).arg(m);
    return QStringLiteral("%1 min %2 s").arg(m).arg(s);
}

QString delimiterName(char d, bool english)
{
    switch (d) {
    case '\t': return english ? QStringLiteral("tab") : QStringLiteral("Tabulator");
    case ';': return english ? QStringLiteral("semicolon") : QStringLiteral("Semikolon");
    default: return english ? QStringLiteral("comma") : QStringLiteral("Komma");
    }
}

template <class W>
W* named(W* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

frmIMPORT::frmIMPORT(short sprache, std::optional<double> pipeH, QWidget* parent) : QDialog(parent), m_SPRACHE(sprache)
{
    setObjectName(QStringLiteral("frmIMPORT"));
    setWindowTitle(tr2("Messwerte importieren", "Import readings"));
    // The usual choice for the logs of a slug test.
    m_import.thinning.mode = logger::Thinning::PerDecade;
    m_import.pipeH = pipeH;
    buildControls();
    restoreSettings();
    showImport();
}

void frmIMPORT::restoreSettings()
{
    const auto get = [](const char* key) { return vb::GetSetting(kApp, kSection, QString::fromLatin1(key)); };
    m_showing = true; // the choice lists follow in showImport()
    logger::Conversion& c = m_import.conversion;
    if (get("Bedeutung") == QLatin1String("depth")) c.meaning = logger::Meaning::DepthToWater;
    if (const auto u = logger::unitFromName(get("Einheit"))) c.unit = *u;
    m_txtSENSOR->setText(get("Sensortiefe"));
    if (!get("Offset").isEmpty()) m_txtOFFSET->setText(get("Offset"));
    bool ok = false;
    const int mode = get("Ausduennen").toInt(&ok);
    if (ok && mode >= 0 && mode < static_cast<int>(std::size(kModes))) m_import.thinning.mode = kModes[mode];
    m_txtANZAHL->setText(get("Anzahl"));
    m_meaning = c.meaning;
    m_showing = false;
}

void frmIMPORT::saveSettings() const
{
    const auto put = [](const char* key, const QString& value) { vb::SaveSetting(kApp, kSection, QString::fromLatin1(key), value); };
    const logger::Conversion& c = m_import.conversion;
    put("Bedeutung", c.meaning == logger::Meaning::DepthToWater ? QStringLiteral("depth") : QStringLiteral("column"));
    put("Einheit", logger::unitName(c.unit));
    put("Sensortiefe", m_txtSENSOR->text().trimmed());
    put("Offset", m_txtOFFSET->text().trimmed());
    put("Ausduennen", QString::number(m_cboAUSDUENNEN->currentIndex()));
    put("Anzahl", m_txtANZAHL->text().trimmed());
}

QString frmIMPORT::tr2(const char* german, const char* english) const
{
    return Session::tr(m_SPRACHE, QString::fromUtf8(german), QString::fromUtf8(english));
}

void frmIMPORT::buildControls()
{
    m_txtDATEI = named(new QLineEdit(this), "txtDATEI");
    auto* cmdDATEI = named(new QPushButton(QStringLiteral("..."), this), "cmdDATEI");
    cmdDATEI->setAutoDefault(false);
    m_txtVORSCHAU = named(new QPlainTextEdit(this), "txtVORSCHAU");
    m_txtVORSCHAU->setReadOnly(true);
    m_txtVORSCHAU->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtVORSCHAU->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_txtVORSCHAU->setMinimumSize(560, 200);

    m_cboFORMAT = named(new QComboBox(this), "cboFORMAT");
    m_cboFORMAT->addItems({tr2("automatisch erkennen", "detect"), QStringLiteral("Level-Logger"),
                           tr2("Drucksensor (Transducer)", "transducer"), tr2("Text mit Trennzeichen", "delimited text")});
    m_lblERKANNT = named(new QLabel(this), "lblERKANNT");
    m_cboPEGEL = named(new QComboBox(this), "cboPEGEL");
    m_cboTEMP = named(new QComboBox(this), "cboTEMP");
    m_cboBEDEUTUNG = named(new QComboBox(this), "cboBEDEUTUNG");
    m_cboBEDEUTUNG->addItems({tr2("Abstich (Tiefe bis zum Wasserspiegel)", "depth to water"),
                              tr2("Wassersäule über dem Sensor", "water column above the sensor")});
    m_cboEINHEIT = named(new QComboBox(this), "cboEINHEIT");
    m_cboEINHEIT->addItems(logger::unitNames());
    m_txtSENSOR = named(new QLineEdit(this), "txtSENSOR");
    m_txtOFFSET = named(new QLineEdit(QStringLiteral("0"), this), "txtOFFSET");
    m_cboAUSDUENNEN = named(new QComboBox(this), "cboAUSDUENNEN");
    m_cboAUSDUENNEN->addItems({tr2("alle Messwerte", "every reading"), tr2("jeden N-ten Messwert", "every N-th reading"),
                               tr2("einen je M Minuten", "one per M minutes"),
                               tr2("K je Dekade der Zeit (logarithmisch)", "K per decade of time (logarithmic)")});
    m_txtANZAHL = named(new QLineEdit(this), "txtANZAHL");
    m_txtSTART = named(new QLineEdit(this), "txtSTART");
    m_txtSTART->setToolTip(tr2("Beginn des Absenkens; frühere Messwerte entfallen (TT.MM.JJJJ hh:mm:ss)",
                               "start of the fall; earlier readings are dropped (dd.mm.yyyy hh:mm:ss)"));
    m_txtUEBERSPRINGEN = named(new QLineEdit(QStringLiteral("0"), this), "txtUEBERSPRINGEN");
    m_cboZEITEINHEIT = named(new QComboBox(this), "cboZEITEINHEIT");
    m_cboZEITEINHEIT->addItems({tr2("laut Spaltenname", "as the column name says"), tr2("Sekunden", "seconds"),
                                tr2("Minuten", "minutes"), tr2("Stunden", "hours")});
    m_txtWASSERTEMP = named(new QLineEdit(this), "txtWASSERTEMP");
    m_txtWASSERTEMP->setToolTip(tr2("für jeden Messwert ohne Temperatur aus der Datei",
                                    "for every reading the file gives no temperature"));
    m_chkLUECKEN = named(new QCheckBox(tr2("Lücken über 24 h erlauben", "allow gaps over 24 h"), this), "chkLUECKEN");
    m_lblZEITRAUM = named(new QLabel(this), "lblZEITRAUM");
    m_lblERGEBNIS = named(new QLabel(this), "lblERGEBNIS");
    m_lblERGEBNIS->setWordWrap(true);

    auto* file = new QHBoxLayout;
    file->addWidget(m_txtDATEI, 1);
    file->addWidget(cmdDATEI);
    auto* grid = new QGridLayout;
    int row = 0;
    const auto add = [&](const char* german, const char* english, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(new QLabel(tr2(german, english), this), row, 0);
        grid->addWidget(field, row, 1);
        if (extra) grid->addWidget(extra, row, 2);
        ++row;
    };
    add("Zeilen überspringen", "Skip lines", m_txtUEBERSPRINGEN);
    add("Format", "Format", m_cboFORMAT, m_lblERKANNT);
    add("Einheit der Zeit", "Unit of the time", m_cboZEITEINHEIT, m_chkLUECKEN);
    add("Zeitraum", "Time span", m_lblZEITRAUM);
    add("Spalte Wasserstand", "Level column", m_cboPEGEL);
    add("Spalte Temperatur", "Temperature column", m_cboTEMP);
    add("Wassertemperatur [°C]", "Water temperature [°C]", m_txtWASSERTEMP);
    add("Bedeutung", "Meaning", m_cboBEDEUTUNG);
    add("Einheit", "Unit", m_cboEINHEIT);
    add("Sensortiefe unter Rohroberkante [mm]", "Sensor depth below pipe top [mm]", m_txtSENSOR);
    add("Offset [mm]", "Offset [mm]", m_txtOFFSET);
    add("Ausdünnen", "Thinning", m_cboAUSDUENNEN, m_txtANZAHL);
    add("Startzeit", "Start time", m_txtSTART);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_cmdOK = named(buttons->button(QDialogButtonBox::Ok), "cmdOK");
    buttons->button(QDialogButtonBox::Cancel)->setText(tr2("Abbrechen", "Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdABBRECHEN"));
    connect(buttons, &QDialogButtonBox::accepted, this, &frmIMPORT::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmIMPORT::reject);

    auto* all = new QVBoxLayout(this);
    all->addWidget(new QLabel(tr2("Datei", "File"), this));
    all->addLayout(file);
    all->addWidget(m_txtVORSCHAU, 1);
    all->addLayout(grid);
    all->addWidget(m_lblERGEBNIS);
    all->addWidget(buttons);

    connect(cmdDATEI, &QPushButton::clicked, this, &frmIMPORT::chooseFile);
    connect(m_txtDATEI, &QLineEdit::editingFinished, this, [this] {
        if (m_txtDATEI->text() != m_txtDATEI->property("opened").toString()) setFile(m_txtDATEI->text());
    });
    connect(m_cboFORMAT, &QComboBox::activated, this, &frmIMPORT::formatChosen);
    connect(m_cboPEGEL, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_showing) return;
        m_import.setLevelColumn(i);
        if (m_import.layout().meaning != logger::Meaning::DepthToWater) m_import.conversion.meaning = m_meaning;
        showImport(); // the column's name brings its unit and may bring its meaning
    });
    connect(m_cboEINHEIT, &QComboBox::activated, this, [this] { m_import.unitChosen = true; });
    connect(m_cboBEDEUTUNG, &QComboBox::activated, this, [this](int i) {
        m_meaning = i == 0 ? logger::Meaning::DepthToWater : logger::Meaning::WaterColumn;
    });
    connect(m_txtUEBERSPRINGEN, &QLineEdit::editingFinished, this, &frmIMPORT::skipLinesChosen);
    connect(m_cboZEITEINHEIT, &QComboBox::activated, this, &frmIMPORT::elapsedUnitChosen);
    connect(m_chkLUECKEN, &QCheckBox::toggled, this, [this](bool allow) {
        m_import.setAllowGaps(allow);
        showImport();
    });
    for (QComboBox* c : {m_cboTEMP, m_cboBEDEUTUNG, m_cboEINHEIT, m_cboAUSDUENNEN})
        connect(c, &QComboBox::currentIndexChanged, this, &frmIMPORT::refresh);
    for (QLineEdit* t : {m_txtSENSOR, m_txtOFFSET, m_txtANZAHL, m_txtSTART, m_txtWASSERTEMP})
        connect(t, &QLineEdit::textChanged, this, &frmIMPORT::refresh);
}

void frmIMPORT::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr2("Logger-Datei", "Logger file"), m_txtDATEI->text(),
                                                      tr2("Logger-Dateien (*.csv *.txt *.dat);;Alle Dateien (*)",
                                                          "Logger files (*.csv *.txt *.dat);;All files (*)"));
    if (!path.isEmpty()) setFile(path);
}

bool frmIMPORT::setFile(const QString& path)
{
    m_txtDATEI->setText(path);
    m_txtDATEI->setProperty("opened", path);
    try {
        m_import.open(path, kFormats[m_cboFORMAT->currentIndex()]);
    } catch (const logger::Error& e) {
        // no reading from the file shown before: the import holds none now
        logger::LoggerImport none;
        none.conversion = m_import.conversion;
        none.thinning = m_import.thinning;
        m_import = std::move(none);
        vb::MsgBox(e.text(m_SPRACHE == 1), vb::vbExclamation, tr2("Importieren", "Import"));
        showImport();
        return false;
    }
    if (m_import.layout().meaning != logger::Meaning::DepthToWater) m_import.conversion.meaning = m_meaning;
    showImport();
    return true;
}

void frmIMPORT::skipLinesChosen()
{
    const auto n = vb::ParseNumber(m_txtUEBERSPRINGEN->text());
    if (!n || *n < 0 || *n > 1e6 || *n != std::floor(*n)) {
        vb::MsgBox(tr2("Die Zahl der zu überspringenden Zeilen ist eine ganze Zahl ab 0.",
                       "The number of lines to skip is a whole number from 0."),
                   vb::vbExclamation, tr2("Importieren", "Import"));
        m_txtUEBERSPRINGEN->setText(QString::number(m_import.skipLines()));
        return;
    }
    if (static_cast<int>(*n) == m_import.skipLines()) return;
    try {
        m_import.setSkipLines(static_cast<int>(*n));
    } catch (const logger::Error& e) {
        vb::MsgBox(e.text(m_SPRACHE == 1), vb::vbExclamation, tr2("Importieren", "Import"));
        m_txtUEBERSPRINGEN->setText(QString::number(m_import.skipLines()));
    }
    showImport();
}

void frmIMPORT::elapsedUnitChosen()
{
    const int i = m_cboZEITEINHEIT->currentIndex();
    m_import.setElapsedUnit(i <= 0 ? std::nullopt : std::optional<logger::TimeKind>(kElapsed[i - 1]));
    showImport();
}

QString frmIMPORT::timeSpan()
{
    const logger::Series& s = m_import.series();
    const qint64 first = s.times.front(), last = s.times.back();
    const auto at = [](qint64 t) { return logger::dateText(t) + QLatin1Char(' ') + logger::timeText(logger::wholeSecond(t)); };
    QString text = tr2("%1 bis %2 (%3)", "%1 to %2 (%3)").arg(at(first), at(last), spanText(last - first));
    const logger::Layout& l = m_import.layout();
    if (l.monthFirst) text += tr2(", Datum Monat/Tag/Jahr", ", dates month/day/year");
    else if (l.dateOrderSeen) text += tr2(", Datum Tag/Monat/Jahr", ", dates day/month/year");
    return text;
}

void frmIMPORT::formatChosen()
{
    if (!m_import.isOpen()) return;
    try {
        m_import.setFormat(kFormats[m_cboFORMAT->currentIndex()]);
    } catch (const logger::Error& e) {
        vb::MsgBox(e.text(m_SPRACHE == 1), vb::vbExclamation, tr2("Importieren", "Import"));
        m_cboFORMAT->setCurrentIndex(0);
        m_import.setFormat(logger::Format::Auto);
    }
    showImport();
}

void frmIMPORT::showImport()
{
    m_showing = true;
    const bool english = m_SPRACHE == 1;
    const logger::Layout& l = m_import.layout();
    m_txtVORSCHAU->setPlainText(m_import.preview(kPreviewLines).join(QLatin1Char('\n')));
    m_cboPEGEL->clear();
    m_cboTEMP->clear();
    m_cboTEMP->addItem(tr2("(keine)", "(none)"));
    if (m_import.isOpen()) {
        m_cboPEGEL->addItems(l.columns);
        m_cboPEGEL->setCurrentIndex(l.levelColumn);
        m_cboTEMP->addItems(l.columns);
        m_cboTEMP->setCurrentIndex(l.temperatureColumn + 1);
        const QString time = l.time == logger::TimeKind::DateAndTime ? l.columns.value(l.timeColumn) + QStringLiteral(" + ") + l.columns.value(l.clockColumn)
            : l.time == logger::TimeKind::DateTime ? l.columns.value(l.timeColumn)
            : l.columns.value(l.timeColumn)
                + (l.time == logger::TimeKind::ElapsedMinutes ? QStringLiteral(" [min]")
                   : l.time == logger::TimeKind::ElapsedHours ? QStringLiteral(" [h]") : QStringLiteral(" [s]"));
        m_lblERKANNT->setText(tr2("%1, %2, Zeit: %3", "%1, %2, time: %3")
                                  .arg(m_cboFORMAT->itemText(static_cast<int>(l.format)), delimiterName(l.delimiter, english), time));
    } else {
        m_lblERKANNT->clear();
    }
    m_cboBEDEUTUNG->setCurrentIndex(m_import.conversion.meaning == logger::Meaning::DepthToWater ? 0 : 1);
    m_cboEINHEIT->setCurrentIndex(static_cast<int>(m_import.conversion.unit));
    const logger::Thinning& t = m_import.thinning;
    m_cboAUSDUENNEN->setCurrentIndex(static_cast<int>(t.mode));
    if (m_txtANZAHL->text().isEmpty())
        m_txtANZAHL->setText(t.mode == logger::Thinning::PerDecade ? QString::number(t.perDecade) : QString::number(t.every));
    m_cboZEITEINHEIT->setEnabled(m_import.isOpen() && logger::isElapsed(l.time));
    // the start of the fall is the first reading until the user says otherwise
    m_txtSTART->clear();
    m_lblZEITRAUM->clear();
    if (m_import.isOpen()) {
        try {
            const qint64 first = m_import.series().times.front();
            m_txtSTART->setText(logger::dateText(first) + QLatin1Char(' ') + logger::timeText(logger::wholeSecond(first)));
            m_lblZEITRAUM->setText(timeSpan());
        } catch (const logger::Error&) {
            // the count below shows what is wrong
        }
    }
    m_showing = false;
    refresh();
}

QString frmIMPORT::takeSettings()
{
    const auto numberIn = [](QLineEdit* t) { return t->text().trimmed().isEmpty() ? std::optional<double>(0) : vb::ParseNumber(t->text()); };
    logger::Conversion& c = m_import.conversion;
    c.meaning = m_cboBEDEUTUNG->currentIndex() == 0 ? logger::Meaning::DepthToWater : logger::Meaning::WaterColumn;
    c.unit = static_cast<logger::Unit>(std::max(0, m_cboEINHEIT->currentIndex()));
    m_txtSENSOR->setEnabled(c.meaning == logger::Meaning::WaterColumn);
    m_txtOFFSET->setEnabled(c.meaning == logger::Meaning::DepthToWater);
    const auto sensor = numberIn(m_txtSENSOR), offset = numberIn(m_txtOFFSET);
    if (!sensor) return tr2("Die Sensortiefe ist keine Zahl.", "The sensor depth is not a number.");
    if (!offset) return tr2("Der Offset ist keine Zahl.", "The offset is not a number.");
    c.sensorDepth = *sensor;
    c.offset = *offset;
    m_import.setTemperatureColumn(m_cboTEMP->currentIndex() - 1);
    m_import.waterTemperature.reset();
    if (!m_txtWASSERTEMP->text().trimmed().isEmpty()) {
        const auto t = vb::ParseNumber(m_txtWASSERTEMP->text());
        if (!t || *t < -5 || *t > 60)
            return tr2("Die Wassertemperatur ist keine Zahl von -5 bis 60 °C.", "The water temperature is no number from -5 to 60 °C.");
        m_import.waterTemperature = *t;
    }

    logger::Thinning& t = m_import.thinning;
    t.mode = kModes[std::max(0, m_cboAUSDUENNEN->currentIndex())];
    m_txtANZAHL->setEnabled(t.mode != logger::Thinning::All);
    const auto value = vb::ParseNumber(m_txtANZAHL->text());
    const bool whole = value && *value >= 1 && *value <= 1e6 && *value == std::floor(*value);
    switch (t.mode) {
    case logger::Thinning::All: break;
    case logger::Thinning::EveryNth:
        if (!whole) return tr2("N ist eine ganze Zahl ab 1.", "N is a whole number from 1.");
        t.every = static_cast<int>(*value);
        break;
    case logger::Thinning::Interval:
        if (!value || !(*value > 0)) return tr2("M ist eine Zahl von Minuten über 0.", "M is a number of minutes above 0.");
        t.minutes = *value;
        break;
    case logger::Thinning::PerDecade:
        if (!whole) return tr2("K ist eine ganze Zahl ab 1.", "K is a whole number from 1.");
        t.perDecade = static_cast<int>(*value);
        break;
    }
    t.start.reset();
    if (!m_txtSTART->text().trimmed().isEmpty()) {
        const auto start = vb::ParseDateTime(m_txtSTART->text().trimmed());
        if (!start) return tr2("Die Startzeit ist kein Datum mit Uhrzeit (TT.MM.JJJJ hh:mm:ss).",
                               "The start time is no date and time (dd.mm.yyyy hh:mm:ss).");
        t.start = logger::fields::fromDateTime(start->date(), start->time());
    }
    return QString();
}

void frmIMPORT::refresh()
{
    if (m_showing) return;
    QString problem = takeSettings();
    int count = -1;
    QStringList notes;
    if (problem.isEmpty() && m_import.isOpen()) {
        try {
            count = static_cast<int>(m_import.readings().size());
            notes = m_import.notes(m_SPRACHE == 1);
        } catch (const logger::Error& e) {
            problem = e.text(m_SPRACHE == 1);
        }
    }
    m_lblERGEBNIS->setStyleSheet(problem.isEmpty() ? QString() : QStringLiteral("color: #a00000"));
    if (!problem.isEmpty()) m_lblERGEBNIS->setText(problem);
    else if (count < 0) m_lblERGEBNIS->setText(tr2("Bitte eine Logger-Datei wählen.", "Please choose a logger file."));
    else m_lblERGEBNIS->setText((QStringList{tr2("Ergibt %1 Messwerte.", "Gives %1 readings.").arg(count)} + notes).join(QLatin1Char(' ')));
}

void frmIMPORT::accept()
{
    QString problem = m_import.isOpen() ? takeSettings() : tr2("Bitte eine Logger-Datei wählen.", "Please choose a logger file.");
    if (problem.isEmpty()) {
        try {
            m_readings = m_import.readings();
        } catch (const logger::Error& e) {
            problem = e.text(m_SPRACHE == 1);
        }
    }
    if (!problem.isEmpty()) {
        vb::MsgBox(problem, vb::vbExclamation, tr2("Importieren", "Import"));
        return;
    }
    saveSettings();
    QDialog::accept();
}
