#pragma once
// Pictures of the start screen and the about box, painted rather than shipped:
// the maker's logo and an illustration of a standpipe test.
#include <QPixmap>

namespace Artwork {
QPixmap makerLogo(int size);
QPixmap standpipeIllustration(int width, int height);
} // namespace Artwork
