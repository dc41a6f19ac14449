#pragma once
// The dialog "Export/Import": copies whole records between the current
// project (its working copy) and another project chosen by folder.
#include <QDialog>
#include <memory>

class QGroupBox;
class QListWidget;
class QPushButton;
class Session;
namespace ado { class Connection; }
namespace vb {
class DirListBox;
class DriveListBox;
}

class frmEXPIMP : public QDialog {
    Q_OBJECT
public:
    explicit frmEXPIMP(Session& s, QWidget* owner = nullptr);
    ~frmEXPIMP() override;

    vb::DriveListBox* drvEXP() const { return m_drvEXP; }
    vb::DirListBox* dirEXP() const { return m_dirEXP; }
    QGroupBox* fraIMP() const { return m_fraIMP; }
    QGroupBox* fraEXP() const { return m_fraEXP; }
    QListWidget* lstIMP() const { return m_lstIMP; }
    QListWidget* lstEXP() const { return m_lstEXP; }
    QPushButton* cmdEXP() const { return m_cmdEXP; }
    QPushButton* cmdIMP() const { return m_cmdIMP; }
    QPushButton* cmdSCHLIESSEN() const { return m_cmdSCHLIESSEN; }

    // The other project's folder changed.
    void dirEXP_Change(const QString& folder);
    void cmdEXP_Click();
    void cmdIMP_Click();
    // Whether another project's database was opened.
    bool otherProjectOpened() const { return m_opened; }

    // Unloading: reports an opened project as "OK" in the main window's tag.
    void done(int result) override;

private:
    void buildControls();
    void copy(QListWidget* from, ado::Connection& source, ado::Connection& target, QListWidget* into);
    static void fill(QListWidget* list, ado::Connection& cnn);
    // No other project: empty list, the neutral caption.
    void closeOther();
    // Says so when there is no other project to copy to or from.
    bool otherProjectChosen() const;
    bool isOwnProject(const QString& database) const;

    Session& m_s;
    std::unique_ptr<ado::Connection> m_other;
    bool m_opened = false;
    bool m_unloaded = false;
    vb::DriveListBox* m_drvEXP = nullptr;
    vb::DirListBox* m_dirEXP = nullptr;
    QGroupBox* m_fraIMP = nullptr;
    QGroupBox* m_fraEXP = nullptr;
    QListWidget* m_lstIMP = nullptr;
    QListWidget* m_lstEXP = nullptr;
    QPushButton* m_cmdEXP = nullptr;
    QPushButton* m_cmdIMP = nullptr;
    QPushButton* m_cmdSCHLIESSEN = nullptr;
};
