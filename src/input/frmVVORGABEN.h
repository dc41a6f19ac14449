#pragma once
// The standpipe presets dialog "Vorgabewerte": the list of standpipes (name,
// cylinder and pipe diameters, flow factor, coefficients a, b, c of the
// correction hkorr(T)) in one grid, loaded fresh from the presets table each
// time it opens and written back on OK. Cancel closes without writing.
#include <QDialog>
#include <functional>
#include "input/GridControls.h"

#include <memory>

class ControlData;
class Session;

class frmVVORGABEN : public QDialog, public GridControlsOwner {
    Q_OBJECT
public:
    // Edits the presets of `s`'s project.
    explicit frmVVORGABEN(Session& s, QWidget* owner = nullptr);
    ~frmVVORGABEN() override;

    // Writes the grid to the presets table in one transaction; true when every
    // column was stored. On a failure nothing is changed and the dialog stays.
    bool OK();
    // The main window's quit command, run by Alt+Q after the dialog closed.
    void setQuitCommand(std::function<void()> quit) { m_quit = std::move(quit); }

    clsFLX& editor() { return *m_FLX; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdABBRECHEN() const { return m_cmdABBRECHEN; }

    // The presets table and its columns in grid order.
    static QString table();
    static const QStringList& columns();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void configureGrid();
    void load();
    void cmdOK_Click();

    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdABBRECHEN = nullptr;
    std::unique_ptr<clsFLX> m_FLX;
    Session& m_s;
    std::unique_ptr<ControlData> m_daten;
    FormKeys* m_keys = nullptr;
    std::function<void()> m_quit;
};
