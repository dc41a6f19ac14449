#pragma once
// The window of "MSeite 1", several records compared on one page: the picture
// boxes of Bild 110 and 120.
#include "pages/MSeite1Drawer.h"
#include "pagewindows/ResultPage.h"

class mdiMSEITE1 : public ResultPage {
    Q_OBJECT
public:
    explicit mdiMSEITE1(Session& s, QWidget* parent = nullptr);

    MSeite1Drawer& drawer() const { return static_cast<MSeite1Drawer&>(pageDrawer()); }
    gfx::PictureBox* picBILD110() const { return pictureBoxes().value(0); }
    gfx::PictureBox* picBILD120() const { return pictureBoxes().value(1); }
};
