#pragma once

// The static description from which every window of the application is built: a screen with its
// caption, client area, border and colour, its controls in creation order (each with its kind,
// position in twips, tab stop, caption, font, colours, alignment, border, picture, Click handler
// and what a screen reader says of it) and, on a calculator, what "New Values" clears and "Solve"
// announces. Screens are plain constexpr data; each view turns a description into a window.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

class Screen;
struct ScreenDescription;

// A screen is known by its description, which lives for the whole process.
using ScreenId = const ScreenDescription*;

enum class ControlKind
{
    Label,
    TextBox,
    CommandButton,
    PictureBox,
    Shape
};
enum class Alignment
{
    Left,
    Right,
    Centre
};
enum class LabelBorder
{
    None,
    FixedSingle
};
enum class WindowBorder
{
    Sizable,
    FixedSingle
};
enum class Artwork
{
    None,
    LargeBanner,
    SmallImage,
    CalculatorBanner
};

// Positions and sizes in twips: 1440 to the inch, 15 to a pixel at 96 dots per inch.
struct TwipRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
};

// A 32-bit colour value: with the top bit set, a system colour whose index is in the low byte;
// otherwise 0x00BBGGRR.
using ColourValue = std::uint32_t;

inline constexpr ColourValue kSystemColourFlag = 0x80000000u;

constexpr ColourValue systemColour(int index)
{
    return kSystemColourFlag | static_cast<ColourValue>(index);
}

constexpr ColourValue rgb(int red, int green, int blue)
{
    return static_cast<ColourValue>(red) | static_cast<ColourValue>(green) << 8 |
           static_cast<ColourValue>(blue) << 16;
}

namespace colours {
inline constexpr ColourValue window = systemColour(5);
inline constexpr ColourValue windowText = systemColour(8);
inline constexpr ColourValue activeBorder = systemColour(10);
inline constexpr ColourValue buttonFace = systemColour(15);
inline constexpr ColourValue buttonText = systemColour(18);
inline constexpr ColourValue infoBackground = systemColour(24);
// The pink strip behind each calculator's formula.
inline constexpr ColourValue formulaPink = rgb(255, 192, 192);
} // namespace colours

enum class FontWeight : int
{
    Regular = 400,
    Bold = 700
};

struct FontDescription
{
    std::string_view face = {};
    double points = 8.25;
    FontWeight weight = FontWeight::Regular;

    constexpr bool operator==(const FontDescription&) const = default;
};

namespace fonts {
inline constexpr FontWeight regular = FontWeight::Regular;
inline constexpr FontWeight bold = FontWeight::Bold;

constexpr FontDescription msSansSerif(double points, FontWeight weight = regular)
{
    return {.face = "MS Sans Serif", .points = points, .weight = weight};
}
constexpr FontDescription timesNewRoman(double points, FontWeight weight = regular)
{
    return {.face = "Times New Roman", .points = points, .weight = weight};
}
constexpr FontDescription verdana(double points, FontWeight weight = regular)
{
    return {.face = "Verdana", .points = points, .weight = weight};
}

// No screen stores a font, so a control without one uses the platform's dialog font.
inline constexpr FontDescription screenDefault = msSansSerif(8.25);
// Written in a control row where the control uses its screen's font.
inline constexpr std::optional<FontDescription> ofScreen = std::nullopt;
} // namespace fonts

// A control's name, with its index when it is an element of a control array (`Txt_c(1)`).
struct ControlName
{
    std::string_view name;
    std::optional<int> index;

    constexpr ControlName(const char* controlName) : name(controlName) {}
    constexpr ControlName(std::string_view controlName, std::optional<int> arrayIndex)
        : name(controlName), index(arrayIndex)
    {
    }

    // Names compare without regard to case, as the control names of a screen always have.
    bool operator==(const ControlName& other) const;
    // "Txt_a", or "Txt_c(1)" for an array element.
    std::string text() const;
};

constexpr ControlName element(std::string_view arrayName, int index)
{
    return ControlName(arrayName, index);
}

// A Click handler: a free function of the screen whose control was clicked.
using ClickHandler = void (*)(Screen&);

// The words that name a value in the summary heard after "Solve" and in a calculation copied with
// Ctrl+C: its meaning before the value and its unit after ("real power P 6 kW").
struct ValueWords
{
    std::string_view meaning;
    std::string_view unit = {};
};

// A result as a screen reader hears it: the label's description, read after its value, and the
// words that name it.
struct SpokenResult
{
    std::string_view description;
    ValueWords words;
};

// An input box as a screen reader hears it: its name, and the words that name the value read
// from it.
struct SpokenInput
{
    std::string_view name;
    ValueWords words;
};

struct ControlDescription
{
    ControlName name;
    ControlKind kind = ControlKind::Label;
    TwipRect geometry;
    std::optional<int> tabIndex = {}; // the kinds that take the focus
    std::string_view caption = {};    // Label and CommandButton
    std::optional<FontDescription> font = {};
    std::optional<ColourValue> foreColour = {};
    std::optional<ColourValue> backColour = {};
    Alignment alignment = Alignment::Left;  // Label only
    LabelBorder border = LabelBorder::None; // Label only
    Artwork picture = Artwork::None;        // PictureBox only
    ClickHandler handler = nullptr;         // CommandButton only
    ScreenId opensScreen = nullptr;         // a button that only opens that screen
    // What a screen reader says of the control, beyond what it shows: a name for a box or a
    // picture, which show no text of their own, and a description for a result label, whose
    // name is always the text it shows.
    std::string_view accessibleName = {};
    std::string_view accessibleDescription = {};
    // For an input box or a result label, how the summary heard after "Solve" and a copied
    // calculation name its value. A result label with words can be selected with the mouse.
    const ValueWords* words = nullptr;

    constexpr ControlDescription withBackColour(ColourValue colour) const
    {
        ControlDescription copy = *this;
        copy.backColour = colour;
        return copy;
    }
    constexpr ControlDescription withForeColour(ColourValue colour) const
    {
        ControlDescription copy = *this;
        copy.foreColour = colour;
        return copy;
    }
    constexpr ControlDescription named(std::string_view spokenName) const
    {
        ControlDescription copy = *this;
        copy.accessibleName = spokenName;
        return copy;
    }
    constexpr ControlDescription described(std::string_view spokenDescription) const
    {
        ControlDescription copy = *this;
        copy.accessibleDescription = spokenDescription;
        return copy;
    }
    constexpr ControlDescription named(const SpokenInput& input) const
    {
        ControlDescription copy = named(input.name);
        copy.words = &input.words;
        return copy;
    }
    constexpr ControlDescription described(const SpokenResult& result) const
    {
        ControlDescription copy = described(result.description);
        copy.words = &result.words;
        return copy;
    }
    constexpr ControlDescription withSingleBorder() const
    {
        ControlDescription copy = *this;
        copy.border = LabelBorder::FixedSingle;
        return copy;
    }

    // Whether the control takes the keyboard focus and so has a place in the tab order.
    constexpr bool takesFocus() const
    {
        return kind == ControlKind::TextBox || kind == ControlKind::CommandButton ||
               kind == ControlKind::PictureBox;
    }
};

struct ScreenDescription
{
    std::string_view name = {};
    std::string_view caption = {};
    TwipRect client = {}; // ClientLeft, ClientTop, ClientWidth, ClientHeight
    WindowBorder border = WindowBorder::Sizable;
    std::optional<ColourValue> backColour = {};
    std::span<const ControlDescription> controls = {}; // in creation order
    // On a calculator: what "New Values" empties, in order, the result labels in the order the
    // summary after "Solve" names them, and the boxes and labels a calculation copied with Ctrl+C
    // lists, in order.
    std::span<const ControlName> clearedByNewValues = {};
    std::span<const ControlName> heardAfterSolve = {};
    std::span<const ControlName> copiedAfterSolve = {};
};

// The colours a control is drawn in: its own where it stores them, otherwise the defaults of its
// kind (button face and button text for labels, buttons and pictures, window and window text for
// text boxes, window text for a shape's line).
ColourValue backColourOf(const ControlDescription& control);
ColourValue foreColourOf(const ControlDescription& control);
// The colour of the screen's client area: its own, or the button face.
ColourValue backColourOf(const ScreenDescription& screen);

// The positions, in the screen's controls, of those that take the focus, in ascending TabIndex:
// Tab visits them in this order and wraps round, and a screen opens with the focus on the first.
std::vector<std::size_t> tabOrder(const ScreenDescription& screen);

// A group of controls that a rectangle shape draws round: the focusable controls inside it, in
// tab order, and the label that heads it (the topmost label inside the shape, above every
// member). On the menu, "For 3 Phase Circuits" over its three buttons. A shape round no focusable
// control (a calculator's frame round its results) forms no group.
struct ControlGroup
{
    std::size_t shape = 0;
    std::optional<std::size_t> heading;
    std::vector<std::size_t> members;
};

// The screen's groups, in the tab order of their first members.
std::vector<ControlGroup> controlGroups(const ScreenDescription& screen);

// One helper per kind, so that a control table reads like the screen's own description.

constexpr ControlDescription label(ControlName name, TwipRect geometry, std::string_view caption,
                                   std::optional<FontDescription> font,
                                   Alignment alignment = Alignment::Left)
{
    return {.name = name,
            .kind = ControlKind::Label,
            .geometry = geometry,
            .caption = caption,
            .font = font,
            .alignment = alignment};
}

constexpr ControlDescription textBox(ControlName name, TwipRect geometry, int tabIndex,
                                     FontDescription font, ColourValue backColour)
{
    return {.name = name,
            .kind = ControlKind::TextBox,
            .geometry = geometry,
            .tabIndex = tabIndex,
            .font = font,
            .backColour = backColour};
}

constexpr ControlDescription button(ControlName name, TwipRect geometry, int tabIndex,
                                    std::string_view caption, ClickHandler handler)
{
    return {.name = name,
            .kind = ControlKind::CommandButton,
            .geometry = geometry,
            .tabIndex = tabIndex,
            .caption = caption,
            .handler = handler};
}

// What a button does that only opens another screen: `opens<screens::frmRealPower>` in a row.
struct ScreenOpening
{
    ScreenId screen;
    ClickHandler handler;
};

void openScreen(Screen& from, ScreenId screen);

template <ScreenId Target> void openTarget(Screen& from)
{
    openScreen(from, Target);
}

template <ScreenId Target> inline constexpr ScreenOpening opens{Target, &openTarget<Target>};

constexpr ControlDescription button(ControlName name, TwipRect geometry, int tabIndex,
                                    std::string_view caption, ScreenOpening opening)
{
    ControlDescription row = button(name, geometry, tabIndex, caption, opening.handler);
    row.opensScreen = opening.screen;
    return row;
}

constexpr ControlDescription picture(ControlName name, TwipRect geometry, int tabIndex,
                                     Artwork artwork)
{
    return {.name = name,
            .kind = ControlKind::PictureBox,
            .geometry = geometry,
            .tabIndex = tabIndex,
            .picture = artwork};
}

constexpr ControlDescription shape(ControlName name, TwipRect geometry)
{
    return {.name = name, .kind = ControlKind::Shape, .geometry = geometry};
}

} // namespace quorvex
