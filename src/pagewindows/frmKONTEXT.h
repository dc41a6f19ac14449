#pragma once
// Page options of a result page: header/footer and page numbering, page and
// picture-box colours. Works only on the page that opened it and only in
// memory (KONTEXT); a page closed meanwhile is left alone. Shown modeless;
// deletes itself when closed.
#include "pagewindows/frmKONTEXTBase.h"
#include "widgets/ColorDialog.h"

#include <functional>

class QCheckBox;
class QPushButton;
class ResultPage;

class frmKONTEXT : public frmKONTEXTBase {
    Q_OBJECT
public:
    frmKONTEXT(ResultPage* page, QWidget* owner);
    ~frmKONTEXT() override;

    // The main window's commands for Ctrl+Q and F1 (empty: the key does nothing).
    std::function<void()> quitCommand;
    std::function<void()> helpCommand;

    // Before the dialog is shown the page sets the check boxes' "Tag"
    // property ("1" checked, "0" unchecked) and the colours of cdlFARBEN.
    QCheckBox* chkBOKF() const { return m_chkBOKF; }
    QCheckBox* chkBOKFS() const { return m_chkBOKFS; }
    vb::CommonColorDialog& cdlFARBEN(int index) { return m_cdlFARBEN[index == 0 ? 0 : 1]; }
    QPushButton* cmdFARBEN(int index) const { return m_cmdFARBEN[index == 0 ? 0 : 1]; }

    void chkBOKF_Click();
    void cmdFARBEN_Click(int index);
    void cmdOK_Click() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Form_Resize: its place and the check boxes from their tags.
    void place() override;

private:
    QCheckBox* m_chkBOKF;
    QCheckBox* m_chkBOKFS;
    QPushButton* m_cmdFARBEN[2];
    vb::CommonColorDialog m_cdlFARBEN[2];
};
