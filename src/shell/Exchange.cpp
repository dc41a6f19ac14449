#include "shell/Exchange.h"

#include "shell/frmEXPIMP.h"
#include "shell/frmEXPINF.h"
#include "shell/Commands.h"
#include "shell/frmMAIN.h"

namespace Exchange {

void registerAll()
{
    Commands::setDialog(QStringLiteral("frmEXPIMP"), [](frmMAIN& owner) -> QDialog* {
        return new frmEXPIMP(owner.session(), &owner);
    });
    Commands::setDialog(QStringLiteral("frmEXPINF"), [](frmMAIN& owner) -> QDialog* {
        return new frmEXPINF(owner.session(), owner.pgbBERECHNEN(), &owner);
    });
}

} // namespace Exchange
