#pragma once
// A QScrollBar as the scroll bar of a table body: placed in the pixels of the
// picture box the table is drawn on.
#include "graphics/ScrollBar.h"

#include <QPointer>
#include <QScrollBar>

class ScrollBarControl : public gfx::ScrollBar {
public:
    explicit ScrollBarControl(QScrollBar* bar) : m_bar(bar) {}
    QScrollBar* bar() const { return m_bar; }

    int value() const override { return m_bar ? m_bar->value() : 0; }
    int minimum() const override { return m_bar ? m_bar->minimum() : 0; }
    int maximum() const override { return m_bar ? m_bar->maximum() : 0; }
    void resetQuietly() override;
    void hide() override;
    void show(const gfx::Surface& surface, const QRectF& place) override;

private:
    QPointer<QScrollBar> m_bar;
};
