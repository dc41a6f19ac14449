// Which settings dialog a click on a result page opens.
#include "pages/ResultPage.h"

#include "data/clsDATEN.h"
#include "pages/frmKONTEXT.h"
#include "pages/frmKONTEXT11.h"
#include "pages/frmKONTEXT110.h"
#include "pages/mdiSEITE1.h"

#include <QCheckBox>

QDialog* ResultPage::diagramDialog(gfx::PictureBox* box, QWidget* owner)
{
    if (!box) return nullptr;
    const QString name = box->objectName();
    if (name == QLatin1String("picBILD11")) {
        // the record the page shows, which need not be the current one any more
        qint32 id = 0;
        if (const auto* single = qobject_cast<const mdiSEITE1*>(this)) id = single->recordId();
        else id = clsDATEN(m_s).ESPIDW();
        return new frmKONTEXT11(m_s, this, id, owner);
    }
    if (name == QLatin1String("picBILD110") || name == QLatin1String("picBILD120"))
        return new frmKONTEXT110(m_s, this, owner);
    return nullptr;
}

QDialog* ResultPage::pageDialog(QWidget* owner)
{
    auto* dlg = new frmKONTEXT(this, owner);
    dlg->quitCommand = quitCommand;
    dlg->helpCommand = helpCommand;
    dlg->chkBOKF()->setProperty("Tag", m_HBOKF == -1 ? QStringLiteral("1") : QStringLiteral("0"));
    dlg->chkBOKFS()->setProperty("Tag", m_HBOKFS == -1 ? QStringLiteral("1") : QStringLiteral("0"));
    dlg->cdlFARBEN(0).Color = BackColor;
    const QList<gfx::PictureBox*> boxes = pictureBoxes();
    dlg->cdlFARBEN(1).Color = boxes.isEmpty() ? BackColor : boxes.first()->BackColor;
    return dlg;
}
