#pragma once
// The dialog "Export Informationssystem": hands the result of one record of
// the current project to the information system DOLMIR, into a record of the
// same project there (overwrite) or a new one.
#include <QDialog>
#include <QPointer>
#include <memory>

class InfExport;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class Session;

class frmEXPINF : public QDialog {
    Q_OBJECT
public:
    // progress: the start screen's progress bar, shown while loading (may be null).
    frmEXPINF(Session& s, QProgressBar* progress, QWidget* owner = nullptr);
    ~frmEXPINF() override;

    // False when the information system is missing: the dialog then does not show.
    bool installed() const;
    int exec() override;

    QListWidget* lstPROJ() const { return m_lstPROJ; }
    QListWidget* lstINF() const { return m_lstINF; }
    QLabel* lblAKTP1() const { return m_lblAKTP1; }
    QLabel* lblAKTP2() const { return m_lblAKTP2; }
    QLabel* lblAKTI1() const { return m_lblAKTI1; }
    QLabel* lblAKTI2() const { return m_lblAKTI2; }
    QLabel* lblAKTI3() const { return m_lblAKTI3; }
    QGroupBox* fraPROJ() const { return m_fraPROJ; }
    QGroupBox* fraINF() const { return m_fraINF; }
    QPushButton* cmdUEBERNEHMEN() const { return m_cmdUEBERNEHMEN; }
    QPushButton* cmdSCHLIESSEN() const { return m_cmdSCHLIESSEN; }
    InfExport& exporter() { return *m_export; }

    // A click on an entry of the right list: the selected one again clears the selection.
    void lstINF_Click(int row);
    void cmdUEBERNEHMEN_Click();
    void done(int result) override;

private:
    void buildControls();
    void fillLists();
    void showProgress(int value);

    Session& m_s;
    QPointer<QProgressBar> m_progress;
    std::unique_ptr<InfExport> m_export;
    int m_infSelected = -1; // the remembered right-list entry
    QListWidget* m_lstPROJ = nullptr;
    QListWidget* m_lstINF = nullptr;
    QLabel* m_lblAKTP1 = nullptr;
    QLabel* m_lblAKTP2 = nullptr;
    QLabel* m_lblAKTI1 = nullptr;
    QLabel* m_lblAKTI2 = nullptr;
    QLabel* m_lblAKTI3 = nullptr;
    QGroupBox* m_fraPROJ = nullptr;
    QGroupBox* m_fraINF = nullptr;
    QPushButton* m_cmdUEBERNEHMEN = nullptr;
    QPushButton* m_cmdSCHLIESSEN = nullptr;
};
