#pragma once
// The keys a data-entry form sees before its controls: the decimal key of the
// numeric keypad types the session's decimal separator, Alt+Q quits, Ctrl+C
// and Ctrl+V copy and paste when a grid has the focus, Ctrl+S saves. The form
// supplies what each command does; a command left empty swallows its key.
#include <QObject>
#include <functional>

class QWidget;
class Session;
namespace vb {
class FlexGrid;
}

class FormKeys : public QObject {
    Q_OBJECT
public:
    // Watches the key presses that reach `form` or any control on it.
    FormKeys(QWidget* form, const Session& s);
    ~FormKeys() override;

    std::function<void(vb::FlexGrid*)> onCopy;  // with the grid that has the focus
    std::function<void(vb::FlexGrid*)> onPaste;
    std::function<void()> onQuit;
    std::function<void()> onSave;

    // The separator the keypad's decimal key types.
    QString decimalSeparator() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_form;
    const Session& m_s;
};
