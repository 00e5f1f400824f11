#include "web_view.h"

#include "column_layout.h"
#include "json_text.h"
#include "twips.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quorvex {
namespace {

// The classic system colours 0 to 24 as the desktop's light palette shows them, so that a screen
// has the same colours in the browser.
constexpr std::array<std::uint32_t, 25> kSystemColours{
    0xefefef, // 0 scroll bar
    0x9f9f9f, // 1 desktop
    0x308cc6, // 2 active caption
    0xb8b8b8, // 3 inactive caption
    0xefefef, // 4 menu
    0xffffff, // 5 window
    0x767676, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xffffff, // 9 caption text
    0xb8b8b8, // 10 active border
    0xcacaca, // 11 inactive border
    0x9f9f9f, // 12 application workspace
    0x308cc6, // 13 highlight
    0xffffff, // 14 highlighted text
    0xefefef, // 15 button face
    0x9f9f9f, // 16 button shadow
    0x000000, // 17 grey text
    0x000000, // 18 button text
    0x000000, // 19 inactive caption text
    0xffffff, // 20 button highlight
    0x767676, // 21 3D dark shadow
    0xcacaca, // 22 3D light
    0x000000, // 23 info text
    0xffffdc, // 24 info background
};

std::string_view kindName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::TextBox:
        return "textbox";
    case ControlKind::CommandButton:
        return "button";
    case ControlKind::PictureBox:
        return "picture";
    case ControlKind::Shape:
        break;
    }
    return "shape";
}

std::string_view alignmentName(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return "right";
    case Alignment::Centre:
        return "center";
    case Alignment::Left:
        break;
    }
    return "left";
}

std::string_view partName(ColumnPart part)
{
    switch (part) {
    case ColumnPart::Title:
        return "title";
    case ColumnPart::Group:
        return "group";
    case ColumnPart::Input:
        return "input";
    case ColumnPart::Buttons:
        return "buttons";
    case ColumnPart::Result:
        return "result";
    case ColumnPart::Formula:
        return "formula";
    case ColumnPart::Picture:
        return "picture";
    case ColumnPart::Note:
        break;
    }
    return "note";
}

// The screen as one column, for a screen too small for its window (column_layout.h).
void writeColumn(JsonText& json, const ScreenDescription& description)
{
    json.key("column").beginArray();
    for (const ColumnRow& row : columnLayout(description)) {
        json.beginObject().member("part", partName(row.part));
        if (row.group) {
            json.member("group", static_cast<int>(*row.group));
        }
        json.key("controls").beginArray();
        for (const std::size_t control : row.controls) {
            json.value(static_cast<int>(control));
        }
        json.endArray().endObject();
    }
    json.endArray();
}

std::string_view pictureName(Artwork artwork)
{
    switch (artwork) {
    case Artwork::LargeBanner:
        return "large-banner";
    case Artwork::CalculatorBanner:
        return "calculator-banner";
    case Artwork::SmallImage:
        return "small-image";
    case Artwork::None:
        break;
    }
    return "";
}

// The page's web fonts are the free faces made to the metrics of the faces the screens name.
std::string_view familyOf(std::string_view face)
{
    if (face == "Times New Roman") {
        return "serif";
    }
    if (face == "Verdana") {
        return "verdana";
    }
    return "sans";
}

void writeControl(JsonText& json, const Screen& screen, std::size_t index)
{
    const ControlDescription& control = screen.description().controls[index];
    const PixelRect place = toPixels(control.geometry);
    const FontDescription font = control.font.value_or(fonts::screenDefault);
    json.beginObject()
        .member("id", control.name.text())
        .member("kind", kindName(control.kind))
        .member("x", place.left)
        .member("y", place.top)
        .member("width", place.width)
        .member("height", place.height)
        .member("text", screen.value(index))
        .member("family", familyOf(font.face))
        // Points to CSS pixels, 72 to 96.
        .member("size", font.points * 96.0 / 72.0)
        .member("bold", font.weight == FontWeight::Bold)
        .member("fore", cssColour(foreColourOf(control)))
        .member("back", cssColour(backColourOf(control)))
        .member("align", alignmentName(control.alignment))
        .member("border", control.border == LabelBorder::FixedSingle)
        .member("picture", pictureName(control.picture))
        .member("name", control.accessibleName)
        .member("description", screen.descriptionOf(index))
        .member("selectable", control.words != nullptr)
        .member("meaning", control.words ? control.words->meaning : std::string_view())
        .member("unit", control.words ? control.words->unit : std::string_view())
        .endObject();
}

class WebView final : public ScreenView
{
public:
    WebView(Screen& screen, int number, const MessageSink& sink)
        : screen_(screen), number_(number), sink_(sink)
    {
        const ScreenDescription& description = screen.description();
        const PixelRect client = toPixels(description.client);
        JsonText json;
        message(json, "open")
            .member("name", description.name)
            .member("caption", description.caption)
            .member("width", client.width)
            .member("height", client.height)
            .member("back", cssColour(backColourOf(description)))
            .member("resizable", description.border == WindowBorder::Sizable)
            .member("focus", static_cast<int>(screen.firstFocus().value_or(0)));
        json.key("tabOrder").beginArray();
        for (const std::size_t control : tabOrder(description)) {
            json.value(static_cast<int>(control));
        }
        json.endArray().key("groups").beginArray();
        for (const ControlGroup& group : controlGroups(description)) {
            json.beginObject().member("shape", static_cast<int>(group.shape));
            json.member("heading", group.heading ? static_cast<int>(*group.heading) : -1);
            json.key("members").beginArray();
            for (const std::size_t member : group.members) {
                json.value(static_cast<int>(member));
            }
            json.endArray().endObject();
        }
        json.endArray();
        writeColumn(json, description);
        json.key("controls").beginArray();
        for (std::size_t i = 0; i < description.controls.size(); ++i) {
            writeControl(json, screen, i);
        }
        json.endArray();
        send(json);
    }

    ~WebView() override
    {
        JsonText json;
        send(message(json, "close"));
    }

    void present() override
    {
        JsonText json;
        send(message(json, "present"));
    }

    void valueChanged(std::size_t control) override
    {
        JsonText json;
        send(message(json, "value")
                 .member("control", static_cast<int>(control))
                 .member("text", screen_.value(control)));
    }

    void descriptionChanged(std::size_t control, bool spoken) override
    {
        JsonText json;
        send(message(json, "describe")
                 .member("control", static_cast<int>(control))
                 .member("text", screen_.descriptionOf(control))
                 .member("spoken", spoken));
    }

    void announce(const std::string& text) override
    {
        JsonText json;
        send(message(json, "announce").member("text", text));
    }

private:
    JsonText& message(JsonText& json, std::string_view type) const
    {
        return json.beginObject().member("type", type).member("screen", number_);
    }

    void send(JsonText& json) const { sink_(json.endObject().text()); }

    Screen& screen_;
    int number_;
    const MessageSink& sink_;
};

} // namespace

std::string cssColour(ColourValue colour)
{
    std::uint32_t rgb = 0;
    if (colour & kSystemColourFlag) {
        const std::size_t index = colour & 0xFFu;
        rgb = index < kSystemColours.size() ? kSystemColours[index] : kSystemColours[15];
    } else {
        // 0x00BBGGRR to 0xRRGGBB.
        rgb = (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
    }
    constexpr char hex[] = "0123456789abcdef";
    std::string css = "#";
    for (int shift = 20; shift >= 0; shift -= 4) {
        css += hex[(rgb >> shift) & 0xFu];
    }
    return css;
}

WebPresenter::WebPresenter(std::span<const ScreenId> screens, MessageSink sink)
    : screens_(screens), sink_(std::move(sink))
{
}

std::unique_ptr<ScreenView> WebPresenter::open(Screen& screen)
{
    const auto found = std::find(screens_.begin(), screens_.end(), &screen.description());
    return std::make_unique<WebView>(screen, static_cast<int>(found - screens_.begin()), sink_);
}

void WebPresenter::closed()
{
    JsonText json;
    sink_(json.beginObject().member("type", "closed").endObject().text());
}

} // namespace quorvex
