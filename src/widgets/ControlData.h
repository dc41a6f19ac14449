#pragma once
// clsDATEN with the transfers between a table and the controls of a form:
// check boxes, option buttons, text boxes, labels, list and combo boxes, and
// whole columns of the flex grid. Everything else is clsDATEN's.
//
// Control arrays: a control's index within its array is its dynamic property
// "Index" (an int); without it, the number after the last '_' of its objectName
// (lblX_3 -> 3); a control with neither is not part of an array.
#include "data/clsDATEN.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
namespace vb {
class FlexGrid;
}

class ControlData : public clsDATEN {
public:
    using clsDATEN::clsDATEN;

    // ---- controls to table
    bool DFTC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});   // value 0/1/2 (16-bit)
    bool DFTCV(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DFTCC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});  // caption
    bool DFTO(const QString& SPV, QRadioButton* opt, const Keys& keys = {}); // value (boolean)
    bool DFTOV(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DFTOC(const QString& SPV, QRadioButton* opt, const Keys& keys = {}); // caption
    bool DFTT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});   // text
    bool DFTTT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});
    bool DFTL(const QString& SPV, QLabel* lbl, const Keys& keys = {});      // caption
    bool DFTLC(const QString& SPV, QLabel* lbl, const Keys& keys = {});
    bool DFTLI(const QString& SPV, QLabel* lbl, const Keys& keys = {});     // control-array index
    bool DFTI(const QString& SPV, QListWidget* lst, const Keys& keys = {}); // selected entry's text
    bool DFTIS(const QString& SPV, QListWidget* lst, const Keys& keys = {});
    bool DFTIL(const QString& SPV, QListWidget* lst, const Keys& keys = {}); // list index
    bool DFTM(const QString& SPV, QComboBox* cbo, const Keys& keys = {});   // text
    bool DFTMT(const QString& SPV, QComboBox* cbo, const Keys& keys = {});
    bool DFTML(const QString& SPV, QComboBox* cbo, const Keys& keys = {});  // list index
    bool DFTMS(const QString& SPV, QComboBox* cbo, const Keys& keys = {});  // selected entry's text
    // grid column SPNR (number as text) of every non-fixed row; a disabled grid
    // deletes the matching rows. Keys: SPI1..SPI3 with values, SPI4 orders only.
    bool DFTF(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {});
    bool DFTFM(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {});

    // ---- table to controls (null leaves the control; no row sets it from the empty value)
    bool DTFC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DTFCV(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DTFCC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DTFO(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DTFOV(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DTFOC(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DTFT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});
    bool DTFTT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});
    bool DTFL(const QString& SPV, QLabel* lbl, const Keys& keys = {});
    bool DTFLC(const QString& SPV, QLabel* lbl, const Keys& keys = {});
    bool DTFI(const QString& SPV, QListWidget* lst, const Keys& keys = {});  // adds the value as entry
    bool DTFIS(const QString& SPV, QListWidget* lst, const Keys& keys = {});
    bool DTFIL(const QString& SPV, QListWidget* lst, const Keys& keys = {}); // list index
    bool DTFM(const QString& SPV, QComboBox* cbo, const Keys& keys = {});    // sets the text
    bool DTFMS(const QString& SPV, QComboBox* cbo, const Keys& keys = {});   // adds the value as entry
    bool DTFML(const QString& SPV, QComboBox* cbo, const Keys& keys = {});   // list index
    // drop-down list (not editable): selects the first equal entry, none when
    // no entry matches; an editable combo box gets the value as its text
    bool DTFMT(const QString& SPV, QComboBox* cbo, const Keys& keys = {});
    // appends the value of every matching row as an entry (the list is not cleared)
    bool DTFMM(const QString& SPV, QComboBox* cbo, const Keys& keys = {});
    // table column into grid column SPNR from row max(FixedRows, ZNR + 1 when
    // FixedRows < ZNR); no row: the grid is disabled and greyed (success)
    bool DTFF(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {}, qint16 ZNR = 0);
    bool DTFFM(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {});

private:
    QString gridText(const QString& SPV, const vb::FlexGrid* grid, const QString& SPNR, bool toGrid,
                     const vb::VBError& e) const;
    template <typename Apply>
    bool readControl(const QString& SPV, const Keys& keys, Apply apply);
    bool writeControl(const QString& SPV, const std::function<QVariant()>& value, const Keys& keys);
};
