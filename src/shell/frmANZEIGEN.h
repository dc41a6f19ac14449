#pragma once
// "Anzeigen": which of the loaded result pages is in front. Modeless, owned by
// the main window; the page number is kept within 1 ... page count.
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class frmMAIN;

class frmANZEIGEN : public QDialog {
    Q_OBJECT
public:
    explicit frmANZEIGEN(frmMAIN& main);

    std::array<QLabel*, 2> lblSEITEN{}; // caption, page count
    QLabel* lblSEITE;
    QLineEdit* txtSEITE;
    QPushButton* cmdOK;
    QPushButton* cmdABBRECHEN;

    void cmdOK_Click();
    // The text of txtSEITE normalised against the page count.
    void txtSEITE_LostFocus();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int pageCount() const;
    frmMAIN& m_main;
};
