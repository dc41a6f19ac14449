// Which settings dialog a click on a result page opens.
#include "pagewindows/ResultPage.h"

#include "data/clsDATEN.h"
#include "pagewindows/frmKONTEXT.h"
#include "pagewindows/frmKONTEXT11.h"
#include "pagewindows/frmKONTEXT110.h"
#include "pagewindows/mdiSEITE1.h"

#include <QCheckBox>

QDialog* ResultPage::diagramDialog(gfx::PictureBox* box, QWidget* owner)
{
    if (!box) return nullptr;
    const QString name = box->objectName();
    if (name == QLatin1String("picBILD11")) {
        // the record the page shows, which need not be the current one any more
        qint32 id = 0;
        if (const auto* single = qobject_cast<const mdiSEITE1*>(this)) id = single->recordId();
        else id = clsDATEN(session()).ESPIDW();
        return new frmKONTEXT11(session(), this, id, owner);
    }
    if (name == QLatin1String("picBILD110") || name == QLatin1String("picBILD120"))
        return new frmKONTEXT110(session(), this, owner);
    return nullptr;
}

QDialog* ResultPage::pageDialog(QWidget* owner)
{
    auto* dlg = new frmKONTEXT(this, owner);
    dlg->quitCommand = quitCommand;
    dlg->helpCommand = helpCommand;
    dlg->chkBOKF()->setProperty("Tag", HBOKF() == -1 ? QStringLiteral("1") : QStringLiteral("0"));
    dlg->chkBOKFS()->setProperty("Tag", HBOKFS() == -1 ? QStringLiteral("1") : QStringLiteral("0"));
    dlg->cdlFARBEN(0).Color = BackColor;
    dlg->cdlFARBEN(1).Color = m_boxes.isEmpty() ? BackColor : m_boxes.first()->BackColor;
    return dlg;
}
