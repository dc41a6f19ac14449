#include "graphics/clsROTATOR.h"

#include "graphics/Surface.h"

#include <cmath>

void clsROTATOR::setDevice(gfx::Surface* objDevice)
{
    m_device = objDevice;
    m_pxPerUnit = objDevice ? objDevice->pixelsPerMm() : 1;
}

void clsROTATOR::Label(const QString& sText)
{
    if (!m_device || sText.isEmpty()) return;
    const double x = m_device->CurrentX, y = m_device->CurrentY;
    // text output on a device context starts on a whole pixel
    m_device->CurrentX = std::round(x * m_pxPerUnit) / m_pxPerUnit;
    m_device->CurrentY = std::round(y * m_pxPerUnit) / m_pxPerUnit;
    m_device->Print(sText, m_angle);
    m_device->CurrentX = x;
    m_device->CurrentY = y;
}
