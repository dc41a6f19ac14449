#include "shell/Commands.h"

#include <QHash>

namespace Commands {

namespace {
QHash<QString, Handler>& handlers()
{
    static QHash<QString, Handler> h;
    return h;
}
QHash<QString, DialogFactory>& dialogs()
{
    static QHash<QString, DialogFactory> d;
    return d;
}
} // namespace

void setHandler(const QString& name, Handler handler)
{
    if (handler) handlers().insert(name, std::move(handler));
    else handlers().remove(name);
}

bool hasHandler(const QString& name) { return handlers().contains(name); }

bool run(const QString& name, frmMAIN& main)
{
    const auto it = handlers().constFind(name);
    if (it == handlers().constEnd()) return false;
    const Handler h = it.value(); // a handler may re-register while it runs
    h(main);
    return true;
}

void setDialog(const QString& name, DialogFactory factory)
{
    if (factory) dialogs().insert(name, std::move(factory));
    else dialogs().remove(name);
}

bool hasDialog(const QString& name) { return dialogs().contains(name); }

QDialog* createDialog(const QString& name, frmMAIN& owner)
{
    const auto it = dialogs().constFind(name);
    return it == dialogs().constEnd() ? nullptr : it.value()(owner);
}

QString panelCommand(int panel) { return QStringLiteral("stbPANEL") + QString::number(panel); }

void clear()
{
    handlers().clear();
    dialogs().clear();
}

} // namespace Commands
