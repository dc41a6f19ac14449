#pragma once
// The controls every grid-editing form carries: the grid, its overlay text box
// and header picture, and the four row buttons that drive the grid editor.
#include <memory>

class QLineEdit;
class QObject;
class QPushButton;
class QWidget;
class clsFLX;
class FormKeys;
namespace gfx {
class PictureBox;
}
namespace vb {
class FlexGrid;
}

struct GridControls {
    vb::FlexGrid* msgFLX = nullptr;
    QLineEdit* txtFLX = nullptr;
    gfx::PictureBox* picFLX = nullptr;
    QPushButton* cmdH = nullptr; // insert row
    QPushButton* cmdW = nullptr; // remove row
    QPushButton* cmdK = nullptr; // copy
    QPushButton* cmdE = nullptr; // paste

    // Creates the controls (element 0 of their control arrays) on parent.
    static GridControls create(QWidget* parent);
    // A new grid editor bound to the grid, its text box and its picture.
    std::unique_ptr<clsFLX> createEditor() const;
    // Wires the row buttons to the grid editor; an open cell edit is committed first.
    void connectButtons(clsFLX* flx, QObject* context) const;
    // Ctrl+C and Ctrl+V on the grid copy and paste through the grid editor.
    static void connectClipboardKeys(FormKeys* keys, clsFLX* flx);
};

// The controls of a grid-editing form by their control names; the form holds
// element 0 of each control array.
class GridControlsOwner {
public:
    vb::FlexGrid* msgFLX(int index = 0) const { return index == 0 ? m_grid.msgFLX : nullptr; }
    QLineEdit* txtFLX(int index = 0) const { return index == 0 ? m_grid.txtFLX : nullptr; }
    gfx::PictureBox* picFLX(int index = 0) const { return index == 0 ? m_grid.picFLX : nullptr; }
    QPushButton* cmdH(int index = 0) const { return index == 0 ? m_grid.cmdH : nullptr; }
    QPushButton* cmdW(int index = 0) const { return index == 0 ? m_grid.cmdW : nullptr; }
    QPushButton* cmdK(int index = 0) const { return index == 0 ? m_grid.cmdK : nullptr; }
    QPushButton* cmdE(int index = 0) const { return index == 0 ? m_grid.cmdE : nullptr; }

protected:
    GridControls m_grid;
};
