#pragma once

// Palettes shared by the controls of a screen that show the same colours.

#include <QColor>
#include <QPalette>

#include <map>
#include <tuple>

namespace quorvex {

// The palettes of a screen's controls, one per combination of colours, kept across loads. The
// style caches what it draws under the palette's key: controls that share a palette object share
// those pictures, where a palette made afresh for each control would add new ones at every load.
class PaletteCache
{
public:
    QPalette palette(const QPalette& base, QPalette::ColorRole background, const QColor& backColour,
                     QPalette::ColorRole foreground, const QColor& foreColour);

private:
    using Key = std::tuple<qint64, QPalette::ColorRole, QRgb, QPalette::ColorRole, QRgb>;
    std::map<Key, QPalette> palettes_;
};

} // namespace quorvex
