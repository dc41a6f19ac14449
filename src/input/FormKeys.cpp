#include "input/FormKeys.h"

#include "data/Session.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

FormKeys::FormKeys(QWidget* form, const Session& s) : QObject(form), m_form(form), m_s(s) { qApp->installEventFilter(this); }

FormKeys::~FormKeys()
{
    if (qApp) qApp->removeEventFilter(this);
}

QString FormKeys::decimalSeparator() const
{
    return m_s.DEZIMALPUNKT.isEmpty() ? vb::DecimalSeparator() : m_s.DEZIMALPUNKT;
}

bool FormKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w != m_form && !m_form->isAncestorOf(w)) return false;
    auto* k = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;

    if ((k->modifiers() & Qt::KeypadModifier) && (k->key() == Qt::Key_Period || k->key() == Qt::Key_Comma)) {
        const QString sep = decimalSeparator();
        if (k->text() == sep) return false;
        // the keypad types "." or "," by the desktop's locale; the session decides
        QKeyEvent replaced(QEvent::KeyPress, sep == QLatin1String(",") ? Qt::Key_Comma : Qt::Key_Period, Qt::NoModifier, sep);
        QApplication::sendEvent(w, &replaced);
        return true;
    }
    const auto run = [](const std::function<void()>& f) {
        if (f) f();
        return true;
    };
    if (mods == Qt::AltModifier && k->key() == Qt::Key_Q) return run(onQuit);
    if (mods == Qt::ControlModifier && k->key() == Qt::Key_S) return run(onSave);
    if (mods == Qt::ControlModifier && (k->key() == Qt::Key_C || k->key() == Qt::Key_V)) {
        auto* grid = qobject_cast<vb::FlexGrid*>(w);
        if (!grid) return false; // a text box keeps its own copy and paste
        const auto& f = k->key() == Qt::Key_C ? onCopy : onPaste;
        if (f) f(grid);
        return true;
    }
    return false;
}
