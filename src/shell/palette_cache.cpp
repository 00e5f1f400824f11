#include "palette_cache.h"

namespace quorvex {

QPalette PaletteCache::palette(const QPalette& base, QPalette::ColorRole background,
                               const QColor& backColour, QPalette::ColorRole foreground,
                               const QColor& foreColour)
{
    const Key key{base.cacheKey(), background, backColour.rgba(), foreground, foreColour.rgba()};
    const auto found = palettes_.find(key);
    if (found != palettes_.end()) {
        return found->second;
    }
    QPalette palette = base;
    palette.setColor(background, backColour);
    palette.setColor(QPalette::Active, foreground, foreColour);
    palette.setColor(QPalette::Inactive, foreground, foreColour);
    return palettes_.emplace(key, palette).first->second;
}

} // namespace quorvex
