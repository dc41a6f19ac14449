#pragma once
// The vertical scroll bar of a table body on screen, as the table sees it: a
// position between minimum and maximum, and a place beside the body. The
// window supplies the control; paper has none.
#include <QRectF>

namespace gfx {

class Surface;

class ScrollBar {
public:
    virtual ~ScrollBar() = default;
    virtual int value() const = 0;
    virtual int minimum() const = 0;
    virtual int maximum() const = 0;
    // Back to the top and hidden, without a redraw following from the move.
    virtual void resetQuietly() = 0;
    virtual void hide() = 0;
    // Shown at `place` (millimetres on `surface`) with the range 0 ... 10000,
    // a page of 2000 and a step of 300.
    virtual void show(const Surface& surface, const QRectF& place) = 0;
};

} // namespace gfx
