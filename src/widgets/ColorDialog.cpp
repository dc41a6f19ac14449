#include "widgets/ColorDialog.h"

#include "platform/ServiceSlot.h"

#include <QColor>
#include <QColorDialog>

namespace vb {

std::optional<qint32> GuiColors::chooseColor(qint32 initial, const QString& title, QWidget* parent)
{
    const quint32 v = static_cast<quint32>(initial);
    const QColor start(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
    const QColor c = QColorDialog::getColor(start, parent, title);
    if (!c.isValid()) return std::nullopt;
    return static_cast<qint32>(static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
                               (static_cast<quint32>(c.blue()) << 16));
}

std::optional<qint32> ScriptedColors::chooseColor(qint32 initial, const QString& title, QWidget*)
{
    m_shown.append({initial, title});
    return m_answers.isEmpty() ? std::nullopt : m_answers.takeFirst();
}

using ColorSlot = ServiceSlot<ColorService, GuiColors>;

ColorService& colors() { return ColorSlot::get(); }

std::unique_ptr<ColorService> setColors(std::unique_ptr<ColorService> service) { return ColorSlot::set(std::move(service)); }

ScopedScriptedColors::ScopedScriptedColors() { m_colors = ColorSlot::install<ScriptedColors>(m_prev); }

ScopedScriptedColors::~ScopedScriptedColors() { setColors(std::move(m_prev)); }

bool CommonColorDialog::ShowColor(QWidget* parent)
{
    const std::optional<qint32> chosen = colors().chooseColor(Color, DialogTitle, parent);
    if (!chosen) return false;
    Color = *chosen;
    return true;
}

} // namespace vb
