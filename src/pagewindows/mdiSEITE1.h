#pragma once
// The window of "Seite 1", the result page of one evaluated record: the
// picture boxes of Bild 11, 12 and 13 and the scroll bar of the table.
#include "pages/Seite1Drawer.h"
#include "pagewindows/ResultPage.h"

class QScrollBar;
class ScrollBarControl;

class mdiSEITE1 : public ResultPage {
    Q_OBJECT
public:
    explicit mdiSEITE1(Session& s, QWidget* parent = nullptr);
    ~mdiSEITE1() override;

    Seite1Drawer& drawer() const { return static_cast<Seite1Drawer&>(pageDrawer()); }
    gfx::PictureBox* picBILD11() const { return pictureBoxes().value(0); }
    gfx::PictureBox* picBILD12() const { return pictureBoxes().value(1); }
    gfx::PictureBox* picBILD13() const { return pictureBoxes().value(2); }
    QScrollBar* vscBILD13() const { return m_vsc13; }
    qint32 recordId() const { return drawer().recordId(); }

private:
    QScrollBar* m_vsc13;
    std::unique_ptr<ScrollBarControl> m_vsc13Control;
};
