#pragma once
// A modeless dialog asked for again while it is open comes to the front
// instead of a second copy beside it.
#include <QWidget>

namespace vb {

// The visible dialog of this kind that the owner holds, raised and activated;
// nullptr when there is none.
template <class Dialog>
Dialog* raiseOpenDialog(QWidget* owner)
{
    if (!owner) return nullptr;
    for (Dialog* d : owner->findChildren<Dialog*>(Qt::FindDirectChildrenOnly)) {
        if (!d->isVisible()) continue;
        d->raise();
        d->activateWindow();
        return d;
    }
    return nullptr;
}

} // namespace vb
