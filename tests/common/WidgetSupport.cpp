#include "common/WidgetSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace testsupport {

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
