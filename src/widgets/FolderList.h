#pragma once
// The drive list and folder list of the file dialogs, as a Linux desktop has
// them: a list of locations (the root, the user's home, the frame's project
// folder) and a tree of the folders below the chosen location.
#include <QComboBox>
#include <QTreeView>

class QFileSystemModel;

namespace vb {

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    // The root, the home folder and, when given, projectFolder.
    explicit DriveListBox(const QString& projectFolder, QWidget* parent = nullptr);
    QString Drive() const;
    // Chooses the location that holds path (the longest that does).
    void setDrive(const QString& path);

signals:
    void Change(const QString& drive);
};

class DirListBox : public QTreeView {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);
    // Shows the folders below root.
    void setRoot(const QString& root);
    QString Root() const { return m_root; }
    QString Path() const { return m_path; }
    // Makes path the current folder; Change follows when it differs.
    void setPath(const QString& path);

signals:
    void Change(const QString& path);

private:
    void follow(const QModelIndex& index);

    QFileSystemModel* m_model;
    QString m_root;
    QString m_path;
};

} // namespace vb
