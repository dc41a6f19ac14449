#pragma once
// Curve labels, grid and logarithmic k10 axis of the multiple-evaluation page (M1 row IDM = 1);
// OK stores them and redraws Bild 110 and 120 of its page.
#include "pagewindows/frmKONTEXTBase.h"

class QCheckBox;

class frmKONTEXT110 : public frmKONTEXTBase {
    Q_OBJECT
public:
    frmKONTEXT110(Session& s, ResultPage* page, QWidget* owner);
    ~frmKONTEXT110() override;

    QCheckBox* chkBESCHR() const { return m_chkBESCHR; }
    QCheckBox* chkGITT() const { return m_chkGITT; }
    QCheckBox* chkGITK10() const { return m_chkGITK10; }
    QCheckBox* chkLOGK10() const { return m_chkLOGK10; }

    void cmdOK_Click() override;

private:
    void Form_Load();

    Session& m_s;
    QCheckBox* m_chkBESCHR;
    QCheckBox* m_chkGITT;
    QCheckBox* m_chkGITK10;
    QCheckBox* m_chkLOGK10;
};
