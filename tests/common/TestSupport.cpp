#include "common/TestSupport.h"

#include "data/Schema.h"

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
