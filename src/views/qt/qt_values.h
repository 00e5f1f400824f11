#pragma once

// Turns the values of a screen description (twips, colour values, font descriptions, texts) into
// the Qt values the builder and the painting code use.

#include "screen_description.h"
#include "twips.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>

namespace quorvex {

// Twips to logical pixels (twips.h).
QRect pixelRect(const TwipRect& rect);
QSize pixelSize(const TwipRect& rect);

// The palette role that stands for a classic system colour index (0 to 24), chosen so that each
// system colour keeps its meaning (a button face is the palette's button colour, and so on).
QPalette::ColorRole paletteRoleOfSystemColour(int index);
// An explicit 0x00BBGGRR value as it is, a system colour from `palette`.
QColor colourOf(ColourValue colour, const QPalette& palette);

// The named face where it is installed, otherwise the platform's stand-in for it.
QFont fontOf(const FontDescription& font);

QString qtText(std::string_view utf8);

} // namespace quorvex
