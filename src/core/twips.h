#pragma once

// Twips to the pixels every view lays its screens out in: 15 twips to a pixel at 96 dots per inch.
// Both the desktop and the browser place controls with these, so that they meet the same way.

#include "screen_description.h"

namespace quorvex {

struct PixelRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr bool operator==(const PixelRect&) const = default;
};

// Rounded to the nearest pixel (15 is odd, so there is never a tie).
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

// A rectangle converts its edges, not its size, so that controls whose edges meet in twips still
// meet in pixels.
constexpr PixelRect toPixels(const TwipRect& rect)
{
    const int left = twipsToPixels(rect.left);
    const int top = twipsToPixels(rect.top);
    return {left, top, twipsToPixels(rect.right()) - left, twipsToPixels(rect.bottom()) - top};
}

} // namespace quorvex
