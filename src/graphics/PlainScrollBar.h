#pragma once
// A table's scroll bar where no window shows one (the page drawn into images):
// nobody moves it, so it stands at the top of its range, and the body is drawn
// a screenful at a time exactly as beside a real scroll bar there.
#include "graphics/ScrollBar.h"

namespace gfx {

class PlainScrollBar : public ScrollBar {
public:
    int value() const override { return 0; }
    int minimum() const override { return 0; }
    int maximum() const override { return m_shown ? 10000 : 0; }
    void resetQuietly() override { m_shown = false; }
    void hide() override { m_shown = false; }
    void show(const Surface&, const QRectF&) override { m_shown = true; }

private:
    bool m_shown = false;
};

} // namespace gfx
