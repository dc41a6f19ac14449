#pragma once
// Shared helpers of the tests: temporary folders with real database files.
#include "common/RecordRows.h"
#include "data/Ado.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace testsupport {

// A temporary folder that is removed with the object.
class TempDir {
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// SHA-256 of a file's bytes (empty when it cannot be read): "this file was not written".
QByteArray fileHash(const QString& path);

// A new empty project database in a temporary folder, with an open connection.
class ProjectDb {
public:
    ProjectDb();
    QString path() const { return m_path; }
    ado::Connection& cnn() { return *m_cnn; }
    TempDir& dir() { return m_dir; }
    // Adds an E1 row; returns nothing, raises on failure.
    void addRecord(long id, const QString& ken, bool akt, const QString& kom = QString());

private:
    TempDir m_dir;
    QString m_path;
    std::unique_ptr<ado::Connection> m_cnn;
};

} // namespace testsupport
