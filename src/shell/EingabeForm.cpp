#include "shell/EingabeForm.h"

#include "input/mdiEINGABE.h"
#include "platform/VBError.h"
#include "shell/frmMAIN.h"

#include <QAction>
#include <QLineEdit>

EingabeForm::EingabeForm(frmMAIN& main) : m_form(new mdiEINGABE(main.session()))
{
    m_form->setQuitCommand(main.quitCommand());
    QPointer<frmMAIN> owner(&main);
    m_form->setSaveCommand([owner] {
        if (owner) owner->stbMAIN_PanelClick(8);
    });
}

EingabeForm::~EingabeForm()
{
    // Once shown, the main window's MDI area owns the form; before that, nobody does.
    if (m_form && !m_form->parent()) delete m_form;
}

mdiEINGABE* EingabeForm::checkedForm() const
{
    if (!m_form) vb::Raise(364, QStringLiteral("Object was unloaded (mdiEINGABE)"));
    return m_form;
}

QWidget* EingabeForm::widget() { return m_form; }
void EingabeForm::OEFFNEN(long id) { checkedForm()->OEFFNEN(id); }
bool EingabeForm::OK(long id) { return checkedForm()->OK(id); }
QString EingabeForm::KEN() const { return checkedForm()->txtKEN()->text(); }
