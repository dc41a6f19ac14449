#include "pagewindows/frmKONTEXT110.h"

#include "data/Session.h"
#include "widgets/ControlData.h"
#include "pagewindows/ResultPage.h"
#include "platform/OnError.h"
#include "widgets/WaitCursor.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// The settings row of the multiple evaluation.
void bindM1(clsDATEN& m1)
{
    m1.setETABELLE(QStringLiteral("M1"));
    m1.setESPID(QStringLiteral("IDM"));
    m1.setESPIDW(1);
}
} // namespace

frmKONTEXT110::frmKONTEXT110(Session& s, ResultPage* page, QWidget* owner) : frmKONTEXTBase(page, owner), m_s(s)
{
    setObjectName(QStringLiteral("frmKONTEXT110"));
    setWindowTitle(s.tr(QStringLiteral("Diagrammeinstellungen"), QStringLiteral("Diagram settings")));
    m_chkBESCHR = new QCheckBox(QStringLiteral("Beschriftung der Kurven mit der Datensatzkennzeichnung"), this);
    m_chkBESCHR->setObjectName(QStringLiteral("chkBESCHR"));
    m_chkGITT = new QCheckBox(QStringLiteral("Gitterlinien t"), this);
    m_chkGITT->setObjectName(QStringLiteral("chkGITT"));
    m_chkGITK10 = new QCheckBox(QStringLiteral("Gitterlinien"), this);
    m_chkGITK10->setObjectName(QStringLiteral("chkGITK10"));
    m_chkLOGK10 = logK10Box(s);
    QLabel* lblK = nullptr;
    QLabel* lbl10 = nullptr;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chkBESCHR);
    layout->addWidget(m_chkGITT);
    layout->addLayout(k10Caption(m_chkGITK10, lblK, lbl10));
    layout->addWidget(m_chkLOGK10);
    layout->addSpacing(6);
    layout->addLayout(buttonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

frmKONTEXT110::~frmKONTEXT110() = default;

void frmKONTEXT110::Form_Load()
{
    ControlData m1(m_s);
    bindM1(m1);
    m1.DTFC(QStringLiteral("BESCHR11"), m_chkBESCHR) && m1.DTFC(QStringLiteral("GITT"), m_chkGITT) &&
        m1.DTFC(QStringLiteral("GITK10"), m_chkGITK10) && m1.DTFC(QStringLiteral("LOGK10"), m_chkLOGK10);
}

void frmKONTEXT110::cmdOK_Click()
{
    if (!m_page) { // the page is gone: nothing to set
        done(QDialog::Accepted);
        return;
    }
    const WaitCursor busy;
    bool written = false;
    vb::OnError onError(QStringLiteral("Bild 110"));
    onError([&] {
        ControlData m1(m_s);
        bindM1(m1);
        ado::Transaction transaction(m1.connection());
        if (m1.DFTC(QStringLiteral("BESCHR11"), m_chkBESCHR) && m1.DFTC(QStringLiteral("GITT"), m_chkGITT) &&
            m1.DFTC(QStringLiteral("GITK10"), m_chkGITK10) && m1.DFTC(QStringLiteral("LOGK10"), m_chkLOGK10)) {
            // scale factors found for a linear axis would put a logarithmic one
            // (and the other way round) far outside the box: found afresh
            m1.connection().Execute(QStringLiteral("UPDATE [G0] SET [MX]=0,[MY]=0 WHERE [ID]=0 AND [IDOBJEKT] IN (110,120)"));
            transaction.commit();
            written = true;
        }
    });
    if (!written) return; // reported; the dialog stays for another try or Cancel
    redraw({QStringLiteral("BILD110"), QStringLiteral("BILD120")});
    done(QDialog::Accepted);
}
