#pragma once
// The file-system object: the file and folder operations of the program.
// Failures raise VBError (53 file not found, 76 path not found, 75 access error).
#include <QString>
#include <functional>

namespace vb {

class FileSystemObject {
public:
    bool FileExists(const QString& path) const;
    bool FolderExists(const QString& path) const;
    void CreateFolder(const QString& path) const;
    // Copies through a temporary file beside the target (temporaryCopyPath),
    // synced to disk and renamed into place, so the target is either the old
    // or the complete new file. The temporary file is locked while written: a
    // second copy to the same target at the same time is refused (70), the
    // leftover of a killed copy is reused.
    void CopyFile(const QString& source, const QString& target, bool overwrite = true) const;
    // The protocol of CopyFile for any writer: write fills the (empty)
    // temporary file named to it and raises VBError when it cannot. The new
    // file takes the mode, and where allowed the group, of the file it replaces.
    void ReplaceFile(const QString& target, const std::function<void(const QString& temporary)>& write) const;
    static QString temporaryCopyPath(const QString& target);
    // Puts a file's contents and its folder entry on the disk (before a rename
    // lets it stand for another file).
    void SyncToDisk(const QString& path) const;
    // Removes the temporary file a killed copy to target left behind.
    void RemoveStaleCopy(const QString& target) const;
    void DeleteFile(const QString& path) const;
    void MoveFile(const QString& source, const QString& target) const;
    qint64 FileSize(const QString& path) const;
    QString GetParentFolderName(const QString& path) const;
    QString GetFileName(const QString& path) const;
};

enum : long { errPathFileAccess = 75 };

} // namespace vb
