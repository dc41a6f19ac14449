#pragma once
// The input form of one data record: designation and comment, the standpipe,
// the distance H, the step width n and the readings grid. OEFFNEN loads a
// stored record, OK stores the form under a record ID. The form keeps no
// record identity of its own beyond those two calls.
//
// The record commands create it, show it as an MDI child, and hand it the two
// main-window commands its keys reach (Alt+Q quits, Ctrl+S saves as status-bar
// panel 8 does); the input layer cannot see the main window itself.
#include <QString>
#include <QWidget>
#include <functional>
#include "input/GridControls.h"

#include <memory>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QTabWidget;
class ControlData;
class Session;
namespace logger { struct Reading; }

class mdiEINGABE : public QWidget, public GridControlsOwner {
    Q_OBJECT
public:
    // Reads and writes the records of `s`'s project, in its language.
    explicit mdiEINGABE(Session& s, QWidget* parent = nullptr);
    ~mdiEINGABE() override;

    // Loads record ID into the form; stops at the first failed read.
    void OEFFNEN(long ID);
    // Stores the form as record ID. Commits an open cell edit and checks the
    // designation and the step width first; true when every write succeeded.
    bool OK(long ID);
    // Date carry-down: every empty date from the second reading on takes the
    // date above; then the grid is refreshed.
    void DATUMERGAENZEN();

    // Sets a grid editor up as the readings grid: columns, headers, types, formats.
    static void configureReadings(clsFLX& f);

    // The value check of the input fields: trims `text` in place; empty is
    // valid. Messages in the session's language at the time of the check,
    // titled `caption`; with a language other than English or German the
    // check fails silently.
    bool EINGABEPRUEFUNG(QString& text, float min, float max, bool whole, bool dateTime, const QString& caption);

    // The Validate checks of txtKEN and txtN: false (after the message) when
    // the field must keep the focus.
    bool KENPRUEFUNG();
    bool NPRUEFUNG();
    // Readings OK would store: the data rows up to the last one holding a time
    // or a measured value; 0 in the empty state.
    int readingCount() const;

    // "Importieren...": the import dialog, then importReadings with what it accepted.
    void IMPORTIEREN();
    // Fills the readings grid with imported readings, after a Yes to replacing
    // the readings it holds; false when the user kept them. Nothing is stored
    // until OK.
    bool importReadings(const std::vector<logger::Reading>& readings);

    // The main window's commands reached by Alt+Q and Ctrl+S.
    void setQuitCommand(std::function<void()> quit) { m_quit = std::move(quit); }
    void setSaveCommand(std::function<void()> save) { m_save = std::move(save); }

    // ---- controls (object names as the control names; arrays end in _0)
    QGroupBox* fraKEN() const { return m_fraKEN; }
    QLineEdit* txtKEN() const { return m_txtKEN; }
    QLineEdit* txtKOM() const { return m_txtKOM; }
    QTabWidget* SSTab() const { return m_SSTab; }
    QWidget* fraREITER(int index = 0) const { return index == 0 ? m_fraREITER : nullptr; }
    QComboBox* cboSTRO() const { return m_cboSTRO; }
    QLineEdit* txtH() const { return m_txtH; }
    QLineEdit* txtN() const { return m_txtN; }
    QPushButton* cmdIMPORT() const { return m_cmdIMPORT; }
    clsFLX& FLX(int index = 0) const;

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void configureGrid();
    void wireEvents();
    void wireKeys();
    void fillStandpipes();
    void arrange();
    // Makes the stored standpipe selectable when the presets no longer hold it.
    void keepStoredStandpipe();
    // Validate emulation: a check runs when the user moves the focus from its
    // field to another control of this form (mouse, Tab, shortcut); a failed
    // check takes the focus back. Focus the program moves validates nothing.
    void focusChanged(QWidget* old, QWidget* now);
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool stepWidthCheck(bool required);
    bool readyToStore();
    // Every reading with a date has a time; else a message names the row.
    bool timesPresent();
    void dropTrailingEmptyRows();
    bool markResultsOutOfDate(long ID);

    Session& m_s;
    short m_SPRACHE = 3;
    std::function<void()> m_quit;
    std::function<void()> m_save;
    bool m_loading = false;
    bool m_userLeft = false; // the last focus-out of txtKEN or txtN was the user's
    bool m_refused = false;  // a field kept the focus during the current user action

    QGroupBox* m_fraKEN = nullptr;
    QLabel* m_lblKEN = nullptr;
    QLineEdit* m_txtKEN = nullptr;
    QLabel* m_lblKOM = nullptr;
    QLineEdit* m_txtKOM = nullptr;
    QTabWidget* m_SSTab = nullptr;
    QWidget* m_fraREITER = nullptr;
    QLabel* m_lblSTRO = nullptr;
    QComboBox* m_cboSTRO = nullptr;
    QLabel* m_lblH = nullptr;
    QLineEdit* m_txtH = nullptr;
    QLabel* m_lblN = nullptr;
    QLineEdit* m_txtN = nullptr;
    QPushButton* m_cmdIMPORT = nullptr;

    std::unique_ptr<clsFLX> m_FLX;
    std::unique_ptr<ControlData> m_E1;  // record header
    std::unique_ptr<ControlData> m_E2;  // record data
    std::unique_ptr<ControlData> m_E3;  // readings
    std::unique_ptr<ControlData> m_V1;  // standpipe presets
    FormKeys* m_keys = nullptr;
};
