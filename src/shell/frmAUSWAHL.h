#pragma once
// The record selection dialog: the user marks records as active for Open
// ("O"), Select ("A") or Delete ("L"), the mode the caller left in the main
// window's tag. OK writes the active flags and leaves "OK" in the tag, Cancel
// leaves "Abbrechen"; closing the window leaves the mode letter. The rules
// live in RecordSelection; this form only mirrors them in the list.
#include <QDialog>
#include <memory>

class QItemSelection;
class QListWidget;
class QPushButton;
class RecordSelection;
class Session;

class frmAUSWAHL : public QDialog {
    Q_OBJECT
public:
    frmAUSWAHL(Session& s, QWidget* owner);
    ~frmAUSWAHL() override;

    QListWidget* lstKEN() const { return m_lstKEN; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdABBRECHEN() const { return m_cmdABBRECHEN; }

    void cmdOK_Click();
    void cmdABBRECHEN_Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Form_Load();
    void lstKEN_Click(const QItemSelection& selected, const QItemSelection& deselected);
    void showSelection(); // list selection = the lines' state

    Session& m_s;
    std::unique_ptr<RecordSelection> m_selection;
    QListWidget* m_lstKEN;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdABBRECHEN;
    bool m_loaded = false;
};
