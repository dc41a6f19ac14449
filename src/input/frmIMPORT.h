#pragma once
// The import dialog of the input form: a logger file, a look at its first
// lines, lines to skip, the detected format and columns (changeable), the
// unit of an elapsed time, the meaning and unit of the level, sensor depth or
// offset, the water temperature for a file without one, thinning and start
// time, and what will result: the number of readings, the first and last time
// and what was left out. The rules live in logger::LoggerImport; the dialog
// only shows them and passes the user's choices on. Meaning, unit, sensor
// depth, offset and thinning are remembered per user.
#include "logger/LoggerImport.h"

#include <QDialog>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class frmIMPORT : public QDialog {
    Q_OBJECT
public:
    // sprache: 1 English, else German captions and messages. pipeH: H of the
    // record in mm (heads h' >= H are refused), none when not known.
    explicit frmIMPORT(short sprache, std::optional<double> pipeH = std::nullopt, QWidget* parent = nullptr);

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
    QLineEdit* txtUEBERSPRINGEN() const { return m_txtUEBERSPRINGEN; }
    QComboBox* cboZEITEINHEIT() const { return m_cboZEITEINHEIT; }
    QLineEdit* txtWASSERTEMP() const { return m_txtWASSERTEMP; }
    QCheckBox* chkLUECKEN() const { return m_chkLUECKEN; }
    QLabel* lblZEITRAUM() const { return m_lblZEITRAUM; }
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
    void skipLinesChosen();
    void elapsedUnitChosen();
    // The first and last time read and the span between.
    QString timeSpan();
    void restoreSettings();
    void saveSettings() const;

    short m_SPRACHE;
    logger::LoggerImport m_import;
    std::vector<logger::Reading> m_readings;
    bool m_showing = false; // controls being filled: no refresh per change
    logger::Meaning m_meaning = logger::Meaning::WaterColumn; // the user's, where the column's name says none

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
    QLineEdit* m_txtUEBERSPRINGEN = nullptr;
    QComboBox* m_cboZEITEINHEIT = nullptr;
    QLineEdit* m_txtWASSERTEMP = nullptr;
    QCheckBox* m_chkLUECKEN = nullptr;
    QLabel* m_lblZEITRAUM = nullptr;
    QLabel* m_lblERGEBNIS = nullptr;
    QPushButton* m_cmdOK = nullptr;
};
