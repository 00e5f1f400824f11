#include "screen_description.h"

#include <algorithm>
#include <cctype>

namespace quorvex {

bool ControlName::operator==(const ControlName& other) const
{
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    return index == other.index &&
           std::equal(name.begin(), name.end(), other.name.begin(), other.name.end(), sameLetter);
}

ColourValue backColourOf(const ControlDescription& control)
{
    const ColourValue kindDefault =
        control.kind == ControlKind::TextBox ? colours::window : colours::buttonFace;
    return control.backColour.value_or(kindDefault);
}

ColourValue foreColourOf(const ControlDescription& control)
{
    const bool windowText =
        control.kind == ControlKind::TextBox || control.kind == ControlKind::Shape;
    return control.foreColour.value_or(windowText ? colours::windowText : colours::buttonText);
}

ColourValue backColourOf(const ScreenDescription& screen)
{
    return screen.backColour.value_or(colours::buttonFace);
}

std::vector<std::size_t> tabOrder(const ScreenDescription& screen)
{
    const auto& controls = screen.controls;
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].takesFocus()) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return controls[a].tabIndex.value_or(0) < controls[b].tabIndex.value_or(0);
    });
    return order;
}

std::string ControlName::text() const
{
    std::string result(name);
    if (index) {
        result += '(' + std::to_string(*index) + ')';
    }
    return result;
}

} // namespace quorvex
