#include "platform/OnError.h"

#include "platform/Trap.h"

namespace vb {

OnError::OnError(QString title, QString prefix) : m_title(std::move(title)), m_prefix(std::move(prefix)) {}

QString OnError::text(const QString& prefix, long number, const QString& description)
{
    return prefix + QString::number(number) + QLatin1Char('\n') + description;
}

bool OnError::operator()(const std::function<void()>& step)
{
    if (m_cancelled) return false;
    VBError err(0, QString());
    if (Trap(step, err)) return true;
    m_failed = true;
    m_lastNumber = err.Number();
    if (m_silent.contains(err.Number())) return true;
    const QString msg = m_text ? m_text(err) : text(m_prefix, err.Number(), err.Description());
    if (MsgBox(msg, vbOKCancel | vbExclamation, m_title) == vbCancel) {
        m_cancelled = true;
        return false;
    }
    return true;
}

} // namespace vb
