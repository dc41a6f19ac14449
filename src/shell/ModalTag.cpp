#include "shell/ModalTag.h"

#include "data/Session.h"

#include <QDialog>

namespace ModalTag {

QString show(QDialog* dialog, Session& s, const QString& mode)
{
    s.TAG = mode;
    if (!dialog) return s.TAG;
    dialog->setModal(true);
    dialog->exec();
    delete dialog;
    return s.TAG;
}

void finish(QDialog* dialog, Session& s, const QString& outcome)
{
    s.TAG = outcome;
    if (outcome == kOK) dialog->accept();
    else dialog->reject();
}

} // namespace ModalTag
