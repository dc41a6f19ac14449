#include "pagewindows/mdiMSEITE1.h"

mdiMSEITE1::mdiMSEITE1(Session& s, QWidget* parent) : ResultPage(std::make_unique<MSeite1Drawer>(s), parent)
{
    setObjectName(QStringLiteral("mdiMSEITE1"));
    Tag = QStringLiteral("MSeite 1");
    setWindowTitle(Tag);
}
