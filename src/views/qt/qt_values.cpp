#include "qt_values.h"

#include "platform.h"

#include <QStringList>

#include <array>
#include <utility>

namespace quorvex {

QRect pixelRect(const TwipRect& rect)
{
    const PixelRect pixels = toPixels(rect);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

QSize pixelSize(const TwipRect& rect)
{
    return pixelRect(rect).size();
}

QPalette::ColorRole paletteRoleOfSystemColour(int index)
{
    // Indexed by the classic system colour numbers 0 to 24.
    static constexpr std::array<QPalette::ColorRole, 25> roles{
        QPalette::Button,          // 0 scroll bar
        QPalette::Dark,            // 1 desktop
        QPalette::Highlight,       // 2 active caption
        QPalette::Mid,             // 3 inactive caption
        QPalette::Window,          // 4 menu
        QPalette::Base,            // 5 window
        QPalette::Shadow,          // 6 window frame
        QPalette::WindowText,      // 7 menu text
        QPalette::Text,            // 8 window text
        QPalette::HighlightedText, // 9 caption text
        QPalette::Mid,             // 10 active border
        QPalette::Midlight,        // 11 inactive border
        QPalette::Dark,            // 12 application workspace
        QPalette::Highlight,       // 13 highlight
        QPalette::HighlightedText, // 14 highlighted text
        QPalette::Button,          // 15 button face
        QPalette::Dark,            // 16 button shadow
        QPalette::PlaceholderText, // 17 grey text
        QPalette::ButtonText,      // 18 button text
        QPalette::WindowText,      // 19 inactive caption text
        QPalette::Light,           // 20 button highlight
        QPalette::Shadow,          // 21 3D dark shadow
        QPalette::Midlight,        // 22 3D light
        QPalette::ToolTipText,     // 23 info text
        QPalette::ToolTipBase,     // 24 info background
    };
    return index >= 0 && std::cmp_less(index, roles.size()) ? roles[static_cast<std::size_t>(index)]
                                                            : QPalette::Window;
}

QColor colourOf(ColourValue colour, const QPalette& palette)
{
    if (colour & kSystemColourFlag) {
        return palette.color(QPalette::Active,
                             paletteRoleOfSystemColour(static_cast<int>(colour & 0xFFu)));
    }
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

QFont fontOf(const FontDescription& font)
{
    QFont result;
    QStringList families{qtText(font.face)};
    if (const QString standIn = platform::standInFace(font.face); !standIn.isEmpty()) {
        // Qt draws with the first family it has: a stand-in that replaces the face goes first.
        if (platform::standInReplacesFace(font.face)) {
            families.prepend(standIn);
        } else {
            families << standIn;
        }
    }
    result.setFamilies(families);
    result.setPointSizeF(font.points);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    return result;
}

QString qtText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace quorvex
