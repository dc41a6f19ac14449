#pragma once
// Prints a text turned by an angle at the current position of a surface, in
// the surface's font (the rotation helper of the text output).
#include <QString>

namespace gfx { class Surface; }

class clsROTATOR {
public:
    // The surface to print on (objDevice).
    void setDevice(gfx::Surface* objDevice);
    gfx::Surface* Device() const { return m_device; }
    short Angle() const { return m_angle; }
    void setAngle(short nAngle) { m_angle = nAngle; }

    // Prints sText with its top-left corner at the surface's CurrentX/CurrentY
    // (snapped to a device pixel), turned counter-clockwise by Angle degrees.
    // The current position is left as it was.
    void Label(const QString& sText);

private:
    gfx::Surface* m_device = nullptr;
    double m_pxPerUnit = 1;
    short m_angle = 0;
};
