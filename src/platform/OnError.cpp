#include "platform/OnError.h"

#include <exception>

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
    try {
        step();
        return true;
    } catch (const VBError& e) {
        err = e;
    } catch (const std::bad_alloc&) {
        err = VBError(7, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        err = VBError(5, QString::fromLocal8Bit(e.what()));
    }
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
