#pragma once
// Counting what was drawn on an image.
#include <QImage>
#include <QRect>

namespace testsupport {

// The dark pixels of im inside r.
inline int darkPixels(const QImage& im, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (im.valid(x, y) && im.pixelColor(x, y).lightness() < 128) ++n;
    return n;
}

} // namespace testsupport
