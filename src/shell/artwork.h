#pragma once

// Quorvex's own pictures: the large banner of the menu and the About screen, the banner of the
// calculator screens and the small image of the menu's title line, drawn by the program at their
// pixel sizes and sharp at any device pixel ratio.

#include "screen_description.h"

#include <QPixmap>
#include <QSize>

namespace quorvex {

// Size in logical pixels: 175 x 101, 150 x 101 and 100 x 25; empty for Artwork::None.
QSize artworkSize(Artwork artwork);
// The picture for a device pixel ratio; drawn once per ratio and cached.
QPixmap artworkPixmap(Artwork artwork, qreal devicePixelRatio);

} // namespace quorvex
