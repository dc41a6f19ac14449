#pragma once
// Colours as VB keeps them: a 32-bit value &H00BBGGRR, and the basic
// 16-colour palette (QBColor).
#include <QColor>
#include <QtGlobal>

namespace gfx {

// Colour index 0..15 of the basic palette as a VB colour value; other indexes give black.
qint32 QBColor(int index);
QColor toQColor(qint32 vbColor);
qint32 fromQColor(const QColor& c);

} // namespace gfx
