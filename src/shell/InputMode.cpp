#include "shell/InputMode.h"

#include "shell/StatusPanels.h"
#include "shell/frmMAIN.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
const char* kObjectName = "InputMode";
const QStringList kLockedMenus = {QStringLiteral("mnuDATEI"), QStringLiteral("mnuAUSWERTEN"), QStringLiteral("mnuEXTRAS")};
} // namespace

InputMode::InputMode(frmMAIN& main) : QObject(&main), m_main(main) { setObjectName(QString::fromLatin1(kObjectName)); }

InputMode& InputMode::of(frmMAIN& main)
{
    if (auto* mode = main.findChild<InputMode*>(QString::fromLatin1(kObjectName), Qt::FindDirectChildrenOnly)) return *mode;
    return *new InputMode(main);
}

void InputMode::show(std::unique_ptr<RecordInputForm> form)
{
    if (m_window) unload();
    m_form = std::move(form);
    // Maximised before the area takes it: maximising a shown sub-window hides
    // and shows it, which moves the focus on and sets off the form's field checks.
    auto* window = new QMdiSubWindow;
    window->setWidget(m_form->widget());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowState(Qt::WindowMaximized);
    m_window = window;
    m_window->installEventFilter(this);
    m_main.mdiArea()->addSubWindow(window);
    window->show();
    window->setGeometry(m_main.mdiArea()->viewport()->rect());
}

void InputMode::enter()
{
    for (const QString& menu : kLockedMenus) m_main.setMenuEnabled(menu, false);
    m_main.panels().setVisible(8, 9, true);
    m_active = true;
}

void InputMode::leave()
{
    m_form.reset();
    if (!m_active) return;
    m_active = false;
    m_main.panels().setVisible(8, 9, false);
    for (const QString& menu : kLockedMenus) m_main.setMenuEnabled(menu, true);
}

void InputMode::unload()
{
    if (m_window) m_window->close(); // the close event leaves input mode
    else leave();
}

bool InputMode::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == m_window) {
        m_window->removeEventFilter(this);
        m_window = nullptr;
        leave();
    }
    return QObject::eventFilter(watched, event);
}
