#pragma once
// Start-up and closing of a program run: establishes the launch context in the
// Session, registers the program with the frame program, prepares the working
// copy and opens the connections; at the end hands control back to the frame
// program. The main window calls it; tests drive it without any window.
#include "shell/WorkingCopy.h"

#include <QString>
#include <QStringList>
#include <functional>

class Session;
class StatusPanels;

// How the main window is being closed (VB's unload modes).
enum UnloadMode : int {
    vbFormControlMenu = 0, // the window's close box
    vbFormCode = 1,        // closed by program code (Done, Quit)
    vbAppWindows = 2,      // the desktop session ends
    vbAppTaskManager = 3,
};

class StartUp {
public:
    StartUp(Session& s, StatusPanels& panels);

    // Start-up up to the point where the windows are shown. False: the program
    // must end; the reason has been shown and the frame state is left as found.
    bool load();

    // Query-unload: the save question and whether the frame program is started
    // at the end. save runs the Save command. False: closing is cancelled.
    bool queryUnload(int unloadMode, const QString& quitCaption, const std::function<void()>& save);

    // Unload, after the child windows are gone: ADMIN back to the frame program,
    // connections closed, working copy deleted, the frame program started.
    void unload();

    WorkingCopy& workingCopy() { return m_copy; }
    QString frameProgramPath() const;
    bool startsFrameProgram() const { return m_startFrame; }

    static short languageOf(const QString& isoName);
    // Whether two paths name one folder.
    static bool sameFolder(const QString& a, const QString& b);
    // An item of the user's default locale: 14 the decimal separator, 89 the
    // ISO 639 language name; empty for items the platform does not provide.
    static QString LOCALEINFO(int item);

private:
    QString title() const;
    void message(const QString& german, const QString& english, int style = 0);
    QString frameConnection(const QString& file) const;
    bool openFrameDatabases();
    // After a refused second start: the user's row as the running instance registered it.
    void keepRunningRegistration();
    bool registerProgram();
    bool checkProjectFiles();
    // Other users whose ADMIN row has this program on this project.
    QStringList otherUsers() const;
    void announceOtherUsers();
    bool prepareWorkingCopy();
    bool openWorkingCopy(bool createdNow);
    void workingCopyFailure(const QString& reason);
    void resetAdmin();
    void closeFrameConnections();
    bool endRun(); // undoes the registration; always false

    Session& m_s;
    StatusPanels& m_panels;
    WorkingCopy m_copy;
    bool m_registered = false;
    bool m_startFrame = false;
    bool m_keepCopy = false;
};
