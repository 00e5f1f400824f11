#pragma once

// Quorvex's own pictures: the large banner of the menu and the About screen, the banner of the
// calculator screens and the small image of the menu's title line, and the application icon.
// They are drawn by tools/make_artwork.cpp and built into the program at 1x and 2x, so that they
// stay sharp on high-DPI screens.

#include "screen_description.h"

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace quorvex {

// Size in logical pixels: 175 x 101, 150 x 101 and 100 x 25; empty for Artwork::None.
QSize artworkSize(Artwork artwork);
// The picture for a device pixel ratio: the 1x picture up to a ratio of 1, the 2x picture above.
QPixmap artworkPixmap(Artwork artwork, qreal devicePixelRatio);
// The application icon at 16, 32 and 64 pixels.
QIcon applicationIcon();

} // namespace quorvex
