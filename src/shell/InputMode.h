#pragma once
// Input mode of the main window: while the input form of a new or opened
// record is open, the File, Evaluate and Tools menus are disabled and the
// status-bar panels 8 (save input) and 9 (discard input) are shown. One
// object per main window keeps the open form; closing the form in any way
// (panels, its close box, closing the main window) leaves input mode.
#include "shell/RecordInputForm.h"

#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <memory>

class frmMAIN;

class InputMode : public QObject {
    Q_OBJECT
public:
    // The input mode of main, created on first use.
    static InputMode& of(frmMAIN& main);

    bool isActive() const { return m_active; }
    // The open input form, or nullptr.
    RecordInputForm* form() const { return m_window ? m_form.get() : nullptr; }

    // Shows form as an MDI child; an input form still open is unloaded first.
    void show(std::unique_ptr<RecordInputForm> form);
    // Disables the menus and shows panels 8 and 9.
    void enter();
    // Unloads the input form and leaves input mode.
    void unload();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit InputMode(frmMAIN& main);
    void leave();

    frmMAIN& m_main;
    std::unique_ptr<RecordInputForm> m_form;
    QPointer<QMdiSubWindow> m_window;
    bool m_active = false;
};
