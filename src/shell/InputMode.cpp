#include "shell/InputMode.h"

#include "shell/StatusPanels.h"
#include "shell/frmMAIN.h"

#include <QEvent>
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
    // No field may hold the focus while the area maximises the window: that
    // hides and shows it, which would move the focus on and set off the
    // form's field checks.
    QWidget* widget = m_form->widget();
    widget->setEnabled(false);
    m_window = m_main.showChild(widget);
    m_window->installEventFilter(this);
    widget->setEnabled(true);
    m_window->setFocus(); // the form's first field
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
