#pragma once
// The input form of one record as the record commands use it: shown as an MDI
// child of the main window, filled from a stored record (OEFFNEN) and stored
// back under a record ID (OK). The input subsystem's form is plugged in
// through the factory; the commands know nothing else of it.
#include <QString>
#include <functional>
#include <memory>

class QWidget;
class frmMAIN;

class RecordInputForm {
public:
    virtual ~RecordInputForm() = default;

    // The form's window; the main window shows it as an MDI child and owns it from then on.
    virtual QWidget* widget() = 0;
    // Loads the stored record id into the form.
    virtual void OEFFNEN(long id) = 0;
    // Stores the form as record id; true when every write succeeded.
    virtual bool OK(long id) = 0;
    // The designation as typed (txtKEN).
    virtual QString KEN() const = 0;

    using Factory = std::function<std::unique_ptr<RecordInputForm>(frmMAIN&)>;
    // Replaces the form (tests); an empty factory restores the program's own.
    static void setFactory(Factory factory);
    // A new, empty input form; raises when none can be created.
    static std::unique_ptr<RecordInputForm> create(frmMAIN& main);
};
