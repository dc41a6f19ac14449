#pragma once
// The import dialog of the input form: a logger file, a look at its first
// lines, the detected format and columns (changeable), the meaning and unit
// of the level, sensor depth or offset, thinning and start time, and the
// number of readings that will result. The rules live in logger::LoggerImport;
// the dialog only shows them and passes the user's choices on.
#include "logger/LoggerImport.h"

#include <QDialog>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmIMPORT : public QDialog {
    Q_OBJECT
public:
    // sprache: 1 English, else German captions and messages.
    explicit frmIMPORT(short sprache, QWidget* parent = nullptr);

    // Opens a file (as the file field and its button do); false after the
    // message when it cannot be used.
    bool setFile(const QString& path);
    // The readings OK accepted.
    const std::vector<logger::Reading>& readings() const { return m_readings; }
    logger::LoggerImport& import() { return m_import; }

    QLineEdit* txtDATEI() const { return m_txtDATEI; }
    QPlainTextEdit* txtVORSCHAU() const { return m_txtVORSCHAU; }
    QComboBox* cboFORMAT() const { return m_cboFORMAT; }
    QComboBox* cboPEGEL() const { return m_cboPEGEL; }
    QComboBox* cboTEMP() const { return m_cboTEMP; }
    QComboBox* cboBEDEUTUNG() const { return m_cboBEDEUTUNG; }
    QComboBox* cboEINHEIT() const { return m_cboEINHEIT; }
    QLineEdit* txtSENSOR() const { return m_txtSENSOR; }
    QLineEdit* txtOFFSET() const { return m_txtOFFSET; }
    QComboBox* cboAUSDUENNEN() const { return m_cboAUSDUENNEN; }
    QLineEdit* txtANZAHL() const { return m_txtANZAHL; }
    QLineEdit* txtSTART() const { return m_txtSTART; }
    QLabel* lblERGEBNIS() const { return m_lblERGEBNIS; }
    QPushButton* cmdOK() const { return m_cmdOK; }

    void accept() override;

private:
    QString tr2(const char* german, const char* english) const;
    void buildControls();
    void chooseFile();
    void formatChosen();
    // Shows the layout and settings of the import in the controls.
    void showImport();
    // Takes the controls' settings into the import; an error text when one is unusable.
    QString takeSettings();
    // Recounts the readings that will result.
    void refresh();

    short m_SPRACHE;
    logger::LoggerImport m_import;
    std::vector<logger::Reading> m_readings;
    bool m_showing = false; // controls being filled: no refresh per change

    QLineEdit* m_txtDATEI = nullptr;
    QPlainTextEdit* m_txtVORSCHAU = nullptr;
    QComboBox* m_cboFORMAT = nullptr;
    QLabel* m_lblERKANNT = nullptr;
    QComboBox* m_cboPEGEL = nullptr;
    QComboBox* m_cboTEMP = nullptr;
    QComboBox* m_cboBEDEUTUNG = nullptr;
    QComboBox* m_cboEINHEIT = nullptr;
    QLineEdit* m_txtSENSOR = nullptr;
    QLineEdit* m_txtOFFSET = nullptr;
    QComboBox* m_cboAUSDUENNEN = nullptr;
    QLineEdit* m_txtANZAHL = nullptr;
    QLineEdit* m_txtSTART = nullptr;
    QLabel* m_lblERGEBNIS = nullptr;
    QPushButton* m_cmdOK = nullptr;
};
