#include "input/frmVVORGABEN.h"

#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "widgets/ControlData.h"
#include "widgets/PictureBox.h"
#include "input/FormKeys.h"
#include "input/clsFLX.h"
#include "widgets/FlexGrid.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace {
const QString kCaption = QStringLiteral("Vorgabewerte");
}

QString frmVVORGABEN::table() { return schema::kProgramTitle + QStringLiteral("_V1"); }

const QStringList& frmVVORGABEN::columns()
{
    static const QStringList c = {"I1", "STRO", "D1", "D2", "F", "A", "B", "C"};
    return c;
}

frmVVORGABEN::frmVVORGABEN(Session& s, QWidget* owner) : QDialog(owner), m_s(s)
{
    setObjectName(QStringLiteral("frmVVORGABEN"));
    setWindowTitle(kCaption);
    setModal(true);
    buildControls();
    m_FLX = m_grid.createEditor();
    configureGrid();
    m_FLX->connectHostEvents();
    load();

    m_grid.connectButtons(m_FLX.get(), this);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cmdABBRECHEN, &QPushButton::clicked, this, &QDialog::reject);

    m_keys = new FormKeys(this, m_s);
    GridControls::connectClipboardKeys(m_keys, m_FLX.get());
    // There is no input form to save from this dialog: Ctrl+S is swallowed.
    m_keys->onSave = nullptr;
    m_keys->onQuit = [this] {
        reject();
        if (m_quit) QTimer::singleShot(0, m_quit);
    };
}

frmVVORGABEN::~frmVVORGABEN() = default;

void frmVVORGABEN::buildControls()
{
    m_grid = GridControls::create(this);
    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_cmdOK = button("cmdOK", QStringLiteral("OK"));
    m_cmdABBRECHEN = button("cmdABBRECHEN", QStringLiteral("Abbrechen"));

    auto* rows = new QHBoxLayout;
    for (QPushButton* b : {m_grid.cmdH, m_grid.cmdW, m_grid.cmdK, m_grid.cmdE}) rows->addWidget(b);
    rows->addStretch(1);
    rows->addWidget(m_cmdOK);
    rows->addWidget(m_cmdABBRECHEN);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid.msgFLX, 1);
    layout->addLayout(rows);
    resize(840, 420);
}

void frmVVORGABEN::configureGrid()
{
    clsFLX& f = *m_FLX;
    f.setELSB({13, 20, 35, 35, 35, 35, 35, 0});
    f.setELST1({"lfd.Nr.", "Standrohr", "d{t,1}1", "d{t,1}2", "f", "a", "b", "c"});
    f.setELST2({"", "", "[mm]", "[mm]", "", "", "", ""});
    f.setELSTTT({"", "", "Durchmesser des Stahlzylinders", "Durchmesser des Standrohres",
                 QStringLiteral("Faktor; 2 = Halbkugelströmung; 4 = Kugelströmung"),
                 "Koeffizient a der Funktion hkorr = hkorr(T)", "Koeffizient b der Funktion hkorr = hkorr(T)",
                 "Koeffizient c der Funktion hkorr = hkorr(T)"});
    f.setELSTYP({1, 0, 0, 0, 0, 0, 0, 0});
    f.setELFORMAT({"", "", "#0.0", "#0.0", "#0.0", "#0.00", "#0.0000", "#0.0000"});
    f.setELA({1, 1, 2, 2, 2, 2, 2, 2});
    f.SCHRIFTEINSTELLUNGEN(QString(), 10, false, false, false, 0);
    f.BESCHRIFTEN();
}

void frmVVORGABEN::load()
{
    m_daten = std::make_unique<ControlData>(m_s);
    m_daten->setEBOV(true);
    m_daten->setETABELLE(table());
    m_daten->setESPID(QString());
    for (int c = 0; c < columns().size(); ++c)
        m_daten->DTFFM(columns()[c], m_grid.msgFLX, QString::number(c), Keys{{"I1"}});
    m_FLX->AKTUALISIEREN();
}

bool frmVVORGABEN::OK()
{
    // a cell still being edited belongs to the list
    m_FLX->EINFUEGEN(0);
    if (m_FLX->editorOpen()) return false;

    vb::OnError step(kCaption, QStringLiteral("VB-Fehler: "));
    std::optional<ado::Transaction> tx;
    if (!step([&] { tx.emplace(m_daten->connection()); }) || !tx) return false;
    bool stored = true;
    {
        // what was loaded and not edited goes back exactly as read
        clsFLX::ExactTexts exact(*m_FLX);
        for (int c = 0; c < columns().size(); ++c) {
            const bool went = step([&] {
                if (!m_daten->DFTFM(columns()[c], m_grid.msgFLX, QString::number(c), Keys{{"I1"}})) stored = false;
            });
            if (!went) return false; // Cancel: leave; the transaction rolls back
        }
    }
    if (stored && !step.failed()) step([&] { tx->commit(); });
    if (stored && !step.failed()) return true;
    tx.reset();
    vb::MsgBox(m_s.tr(QStringLiteral("Die Vorgabewerte wurden nicht gespeichert."),
                      QStringLiteral("The preset data have not been saved.")),
               vb::vbOKOnly | vb::vbExclamation, kCaption);
    return false;
}

void frmVVORGABEN::cmdOK_Click()
{
    if (OK()) accept();
}

void frmVVORGABEN::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    if (m_FLX) m_FLX->BESCHRIFTEN();
}

void frmVVORGABEN::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_FLX) m_FLX->BESCHRIFTEN();
}
