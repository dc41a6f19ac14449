#include "input/GridControls.h"

#include "widgets/PictureBox.h"
#include "input/FormKeys.h"
#include "input/clsFLX.h"
#include "widgets/FlexGrid.h"

#include <QLineEdit>
#include <QPushButton>

GridControls GridControls::create(QWidget* parent)
{
    GridControls c;
    c.msgFLX = new vb::FlexGrid(parent);
    c.msgFLX->setObjectName(QStringLiteral("msgFLX_0"));
    c.txtFLX = new QLineEdit(parent);
    c.txtFLX->setObjectName(QStringLiteral("txtFLX_0"));
    c.txtFLX->hide();
    c.picFLX = new gfx::PictureBox(parent);
    c.picFLX->setObjectName(QStringLiteral("picFLX_0"));
    const auto button = [parent](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    c.cmdH = button("cmdH_0", QStringLiteral("Zeile einfügen"));
    c.cmdW = button("cmdW_0", QStringLiteral("Zeile entfernen"));
    c.cmdK = button("cmdK_0", QStringLiteral("Kopieren"));
    c.cmdE = button("cmdE_0", QStringLiteral("Einfügen"));
    return c;
}

std::unique_ptr<clsFLX> GridControls::createEditor() const
{
    auto flx = std::make_unique<clsFLX>();
    flx->setEFLX(msgFLX);
    flx->setETXT(txtFLX);
    flx->setEPIC(picFLX);
    return flx;
}

void GridControls::connectClipboardKeys(FormKeys* keys, clsFLX* flx)
{
    keys->onCopy = [flx](vb::FlexGrid*) { flx->BEARBEITEN(-1); };
    keys->onPaste = [flx](vb::FlexGrid*) { flx->EINFUEGEN(-1); };
}

void GridControls::connectButtons(clsFLX* flx, QObject* context) const
{
    QObject::connect(cmdH, &QPushButton::clicked, context, [flx] {
        flx->EINFUEGEN(0);
        flx->ZEILEEINFUEGEN();
    });
    QObject::connect(cmdW, &QPushButton::clicked, context, [flx] {
        flx->EINFUEGEN(0);
        flx->ZEILEENTFERNEN();
    });
    QObject::connect(cmdK, &QPushButton::clicked, context, [flx] { flx->BEARBEITEN(-1); });
    QObject::connect(cmdE, &QPushButton::clicked, context, [flx] { flx->EINFUEGEN(-1); });
}
