#pragma once
// The run-time state of one program run: the launch context, the connections,
// the changed and return flags and the modal-dialog tag. The main window owns
// it; tests and the batch tool create one without any window.
#include "data/Ado.h"
#include "platform/FileSystem.h"

#include <QString>
#include <memory>

class Session {
public:
    Session();
    ~Session();

    // ---- launch context
    QString BENUTZER;              // login name, upper case; "UNBEK." when unreadable
    QString PROJEKTSPFAD;
    QString PROJEKT;
    QString BEARBEITER;
    short SPRACHE = 3;             // 1 = English, 3 = German
    QString DEZIMALPUNKT = QStringLiteral(",");
    QString programFolder;         // folder of the executable
    bool developmentMode = false;  // program folder path contains "SOURCE"

    QString frameRoot() const;     // parent of the program folder, or what the frame program hands over
    QString DATENBANKPFAD() const; // the per-user setting, read on every access
    QString XMDBPFAD() const;      // working copy; creates BENUTZER folders on access
    QString projectDatabasePath() const;
    QString emptyDatabasePath() const;

    // ---- connections (open or closed)
    ado::Connection cnnX;          // working copy
    ado::Connection cnnX_V;        // presets database (unused in development mode)
    ado::Connection cnnFrame;      // frame database ARCHIV.mdb
    vb::FileSystemObject fso;
    // Raises errFileLocked while a connection to the working copy (cnnX, or
    // the presets connection when it shares the file) is inside a
    // transaction: a file taken then would not be a consistent database.
    void requireWorkingCopyIdle() const;

    // ---- flags
    bool GEAENDERT = false;
    bool RUECKKEHR = false;
    QString TAG;                   // the main window's tag: "O"/"A"/"L", "OK"/"Abbrechen"

    bool english() const { return SPRACHE == 1; }
    // Chooses the text of the session language.
    QString tr(const QString& german, const QString& english) const { return tr(SPRACHE, german, english); }
    // Chooses the text of language `sprache`: English for 1, German otherwise.
    static QString tr(short sprache, const QString& german, const QString& english)
    {
        return sprache == 1 ? english : german;
    }
    // The language of a locale's ISO 639 name: 1 for "en", else 3.
    static short languageOf(const QString& isoName);
    // Whether the texts of `sprache` exist (1 English, 3 German).
    static bool hasTexts(short sprache) { return sprache == 1 || sprache == 3; }
};
