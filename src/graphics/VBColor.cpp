#include "graphics/VBColor.h"

namespace gfx {

namespace {
constexpr QRgb kPalette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                               0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
} // namespace

qint32 QBColor(int index)
{
    if (index < 0 || index > 15) return 0;
    return fromQColor(QColor(kPalette[index]));
}

QColor toQColor(qint32 vbColor)
{
    const quint32 v = static_cast<quint32>(vbColor);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

qint32 fromQColor(const QColor& c)
{
    return static_cast<qint32>(static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
                               (static_cast<quint32>(c.blue()) << 16));
}

} // namespace gfx
