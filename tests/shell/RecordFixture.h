#pragma once
// The main window over a temporary frame installation with the record
// commands and the input form plugged in, and a script for the selection
// dialog: each time frmAUSWAHL is shown, the next queued action
// runs on the real dialog once it is on screen.
#include "FrameInstallation.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>

class frmAUSWAHL;
class mdiEINGABE;
class frmMAIN;

class RecordFixture {
public:
    explicit RecordFixture(const QString& programDir = QStringLiteral("TALPEX"));
    ~RecordFixture();

    frmMAIN& start(const QString& language = QStringLiteral("de"));
    frmMAIN& main() { return *m_main; }
    ado::Connection& cnn() { return fi.session.cnnX; }

    // Rows written straight into the working copy; a record has its E2 row.
    void addRecord(long id, const QString& ken, bool akt, const QString& kom = QString());
    void addEvaluated(long id, bool boneu); // an A1 row
    void addMultipleEvaluation();           // E1/A1 ID 0 and M1 IDM 1
    int count(const QString& sql);
    QList<long> activeIds();                // ordered by ID

    // The next showing of frmAUSWAHL runs action (then the dialog must be closed by it).
    void onSelection(std::function<void(frmAUSWAHL&)> action);
    // An action: select exactly the records with these designations by clicks, then OK.
    static std::function<void(frmAUSWAHL&)> choose(const QStringList& kens);
    static void clickLine(frmAUSWAHL& dlg, int row);

    void trigger(const QString& item);
    // The open input form, or nullptr.
    mdiEINGABE* inputForm();

    FrameInstallation fi;

private:
    std::unique_ptr<frmMAIN> m_main;
    QList<std::function<void(frmAUSWAHL&)>> m_script;
};
