#pragma once
// Scales and grid of the diagrams of the single-evaluation page: the time
// and k10 limits (G0 rows 11 and 14), the level overlay with its limits, the
// grid options, the evaluated steps and the logarithmic k10 axis (A1). The
// axis combos offer the pages' lists but take any number; OK checks every
// limit and the range before anything is stored and stores all of it in one
// transaction, then redraws Bild 11, the table and Bild 14 of its page.
#include "evaluation/ResultSeries.h"
#include "pagewindows/frmKONTEXTBase.h"

#include <QString>
#include <QVector>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;

// The stored settings of the two diagrams of one record.
struct Bild11Settings {
    float XMIN = 0, XMAX = 0; // time axis, rows 11 and 14
    float YMIN = 0, YMAX = 0; // k10 axis, row 11
    float ZMIN = 0, ZMAX = 0; // level axis, row 14
    short BILD14AN = 0, GITT = 0, GITK10 = 0;
    QVariant VON, BIS; // evaluated steps; null: from the first / to the last
    bool LOGK10 = false;
    bool LOGPHI = false; // the overlay as log head with the fitted straight line

    // From G0 and A1 of the record.
    static Bild11Settings read(Session& s, qint32 id);
    // Into G0 rows 11 and 14 (scale factors MX, MY reset to 0) and A1, all or
    // nothing. A row 14 that has no layout yet gets the one of row 11.
    bool write(Session& s, qint32 id) const;
};

class frmKONTEXT11 : public frmKONTEXTBase {
    Q_OBJECT
public:
    frmKONTEXT11(Session& s, ResultPage* page, qint32 recordId, QWidget* owner);
    ~frmKONTEXT11() override;

    // A limit pair from the texts of a minimum and a difference combo;
    // nullopt with the reason in `message` when the texts are refused.
    struct Limits {
        float MIN = 0, MAX = 0;
    };
    static std::optional<Limits> limitsOf(const Session& s, const QString& axis, const QString& minText,
                                          const QString& diffText, bool logarithmic, QString& message);

    QComboBox* cboXMIN() const { return m_cboXMIN; }
    QComboBox* cboXDIFF() const { return m_cboXDIFF; }
    QComboBox* cboYMIN() const { return m_cboYMIN; }
    QComboBox* cboYDIFF() const { return m_cboYDIFF; }
    QComboBox* cboZMIN() const { return m_cboZMIN; }
    QComboBox* cboZDIFF() const { return m_cboZDIFF; }
    QCheckBox* chkPHI() const { return m_chkPHI; }
    QCheckBox* chkGITT() const { return m_chkGITT; }
    QCheckBox* chkGITK10() const { return m_chkGITK10; }
    QFrame* fraPHI() const { return m_fraPHI; }
    QLabel* lblK() const { return m_lblK; }
    QLabel* lbl10() const { return m_lbl10; }
    QComboBox* cboVON() const { return m_cboVON; }
    QComboBox* cboBIS() const { return m_cboBIS; }
    QCheckBox* chkLOGK10() const { return m_chkLOGK10; }
    QCheckBox* chkLOGPHI() const { return m_chkLOGPHI; }

    void chkPHI_Click();
    void chkLOGK10_Click();
    void cmdOK_Click() override;

private:
    void Form_Load();
    // A level axis never drawn gets the limits a rescale would find for the
    // record's heads, so ticking the overlay asks for nothing.
    void offerLevelLimits();
    // The evaluated steps, each with the time its window ends.
    void fillSteps();
    QComboBox* combo(const char* name, const QVector<float>& entries);

    Session& m_s;
    qint32 m_id;
    Bild11Settings m_stored; // as loaded
    QComboBox* m_cboXMIN;
    QComboBox* m_cboXDIFF;
    QComboBox* m_cboYMIN;
    QComboBox* m_cboYDIFF;
    QComboBox* m_cboZMIN;
    QComboBox* m_cboZDIFF;
    QCheckBox* m_chkPHI;
    QCheckBox* m_chkGITT;
    QCheckBox* m_chkGITK10;
    QFrame* m_fraPHI;
    QLabel* m_lblK;
    QLabel* m_lbl10;
    QComboBox* m_cboVON;
    QComboBox* m_cboBIS;
    QCheckBox* m_chkLOGK10;
    QCheckBox* m_chkLOGPHI;
    ResultSeries m_series; // the record's results, for the steps and data limits
};
