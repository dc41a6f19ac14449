#pragma once
// The per-user working copy of the project database (XMDBPFAD): created from
// the project at start, copied back on Save, deleted at the end of a normal
// run. A lock file beside it keeps a second instance of the same user away.
#include <QString>
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
    // Copies the working copy over the project database (failures raise VBError).
    void saveToProject();
    void remove();
    // Removes what a killed run may leave beside the working copy and the
    // project database and is no data: half-written copies and compaction files.
    void removeLeftovers();


private:
    Session& m_s;
    std::unique_ptr<QLockFile> m_lock;
};
