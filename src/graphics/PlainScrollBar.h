#pragma once
// A table's scroll bar where no window shows one (the page drawn into images):
// it keeps the position and the range, so the body is drawn a screenful at a
// time exactly as beside a real scroll bar at the top.
#include "graphics/ScrollBar.h"

namespace gfx {

class PlainScrollBar : public ScrollBar {
public:
    int value() const override { return m_value; }
    int minimum() const override { return 0; }
    int maximum() const override { return m_shown ? 10000 : 0; }
    void setValue(int v) { m_value = v < 0 ? 0 : (v > maximum() ? maximum() : v); }
    void resetQuietly() override
    {
        m_value = 0;
        m_shown = false;
    }
    void hide() override { m_shown = false; }
    void show(const Surface&, const QRectF&) override { m_shown = true; }
    bool shown() const { return m_shown; }

private:
    int m_value = 0;
    bool m_shown = false;
};

} // namespace gfx
