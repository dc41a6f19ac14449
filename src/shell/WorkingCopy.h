#pragma once
// The per-user working copy of the project database (XMDBPFAD): created from
// the project at start, copied back on Save, deleted at the end of a normal
// run. A lock file beside it keeps a second instance of the same user away.
#include "data/DatabaseFile.h"

#include <QString>
#include <QStringList>
#include <memory>

class QLockFile;
class Session;

class WorkingCopy {
public:
    explicit WorkingCopy(Session& s);
    ~WorkingCopy();

    enum class Lock { Taken, HeldByOther, NotWritable };
    // Takes the lock beside the working copy for this run.
    Lock lock();
    void unlock();
    bool isLocked() const { return m_lock != nullptr; }

    bool exists() const;
    // Copies the project database over the working copy (failures raise VBError).
    void createFromProject();
    // The working copy of an interrupted run is kept, with the project state
    // it was taken from as its run file tells; unknown without one.
    void keepInterrupted();
    // The project state the working copy was taken from or last saved into;
    // nothing when unknown (a copy left by an older version).
    const std::optional<dbfile::FileState>& origin() const { return m_origin; }
    // Writes the working copy into the project database in place, provided
    // the project is in the state accepted; the project's write lock is held
    // from that check to the end of the write, so nobody commits in between.
    // False: nothing written, found is the state the project is in.
    bool saveToProject(const std::optional<dbfile::FileState>& accepted, dbfile::FileState& found);
    // Writes the working copy into the project database in place, whatever
    // state it is in (failures raise VBError).
    void saveToProject();
    // Saves the working copy beside the project as TALPEX-<BENUTZER>-<yyyymmdd-hhmmss>.mdb;
    // the file's path. The project and the state it was taken from stay.
    QString saveBeside();
    void remove();
    // Removes what a killed run may leave beside the working copy and the
    // project database and is no data: half-written copies and compaction files.
    void removeLeftovers();

    // The launch row of the run that holds the lock (project directory,
    // project, operator) as its run file tells; empty when unknown.
    QStringList runningLaunchRow() const;


private:
    QString runFile() const;
    void setOrigin(const std::optional<dbfile::FileState>& origin);

    Session& m_s;
    std::unique_ptr<QLockFile> m_lock;
    std::optional<dbfile::FileState> m_origin; // the project as the working copy was taken from it
};
