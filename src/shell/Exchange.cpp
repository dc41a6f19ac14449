#include "shell/Exchange.h"

#include "data/Session.h"
#include "shell/frmEXPIMP.h"
#include "shell/frmEXPINF.h"
#include "shell/Commands.h"
#include "shell/frmMAIN.h"

namespace Exchange {

void registerAll()
{
    Commands::setDialog(QStringLiteral("frmEXPIMP"), [](QWidget* owner) -> QDialog* {
        return new frmEXPIMP(session(), owner);
    });
    Commands::setDialog(QStringLiteral("frmEXPINF"), [](QWidget* owner) -> QDialog* {
        auto* main = qobject_cast<frmMAIN*>(owner);
        return new frmEXPINF(session(), main ? main->pgbBERECHNEN() : nullptr, owner);
    });
}

} // namespace Exchange
