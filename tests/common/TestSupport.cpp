#include "common/TestSupport.h"

#include "data/Schema.h"

#include <QFile>
#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace testsupport {

TempDir::TempDir() { m_dir.setAutoRemove(true); }

ProjectDb::ProjectDb() : m_path(m_dir.file(QStringLiteral("TALPEX.mdb"))), m_cnn(std::make_unique<ado::Connection>())
{
    schema::createProjectDatabase(m_path);
    m_cnn->OpenFile(m_path);
}

void ProjectDb::addRecord(long id, const QString& ken, bool akt, const QString& kom)
{
    testsupport::addRecord(*m_cnn, id, ken, akt, kom);
}

WriterProcess::WriterProcess(const QString& db)
{
    int to[2], from[2];
    if (pipe(to) != 0 || pipe(from) != 0) return;
    const QByteArray path = QFile::encodeName(db);
    m_pid = fork();
    if (m_pid == 0) {
        close(to[1]);
        close(from[0]);
        sqlite3* h = nullptr;
        sqlite3_open(path.constData(), &h);
        // One statement text a line; one byte back: '1' done, '0' failed.
        QByteArray line;
        char c = 0;
        while (read(to[0], &c, 1) == 1) {
            if (c != '\n') {
                line.append(c);
                continue;
            }
            const char ok = sqlite3_exec(h, line.constData(), nullptr, nullptr, nullptr) == SQLITE_OK ? '1' : '0';
            line.clear();
            if (write(from[1], &ok, 1) != 1) break;
        }
        _exit(0);
    }
    close(to[0]);
    close(from[1]);
    m_to = to[1];
    m_from = from[0];
}

WriterProcess::~WriterProcess()
{
    kill();
    if (m_to >= 0) close(m_to);
    if (m_from >= 0) close(m_from);
}

bool WriterProcess::run(const QString& sql)
{
    const QByteArray line = sql.toUtf8().replace('\n', ' ') + '\n';
    char ok = 0;
    return m_pid > 0 && write(m_to, line.constData(), line.size()) == line.size() && read(m_from, &ok, 1) == 1 && ok == '1';
}

void WriterProcess::kill()
{
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

QString onModalDialog(const std::function<void()>& open, const std::function<void(QWidget*)>& act)
{
    QString seen;
    QTimer timer; // stopped with the call, so it cannot fire in a later test
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        seen = QString::fromLatin1(dialog->metaObject()->className());
        act(dialog);
    });
    timer.start(0);
    open();
    return seen;
}

} // namespace testsupport
