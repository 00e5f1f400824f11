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

std::vector<ControlGroup> controlGroups(const ScreenDescription& screen)
{
    const auto& controls = screen.controls;
    const auto inside = [](const TwipRect& outer, const TwipRect& inner) {
        return inner.left >= outer.left && inner.top >= outer.top &&
               inner.right() <= outer.right() && inner.bottom() <= outer.bottom();
    };
    const std::vector<std::size_t> order = tabOrder(screen);
    std::vector<ControlGroup> groups;
    for (std::size_t shape = 0; shape < controls.size(); ++shape) {
        if (controls[shape].kind != ControlKind::Shape) {
            continue;
        }
        const TwipRect& frame = controls[shape].geometry;
        ControlGroup group{.shape = shape, .heading = std::nullopt, .members = {}};
        for (const std::size_t control : order) {
            if (inside(frame, controls[control].geometry)) {
                group.members.push_back(control);
            }
        }
        if (group.members.empty()) {
            continue;
        }
        int firstMemberTop = frame.bottom();
        for (const std::size_t member : group.members) {
            firstMemberTop = std::min(firstMemberTop, controls[member].geometry.top);
        }
        for (std::size_t label = 0; label < controls.size(); ++label) {
            const TwipRect& box = controls[label].geometry;
            if (controls[label].kind == ControlKind::Label && inside(frame, box) &&
                box.bottom() <= firstMemberTop &&
                (!group.heading || box.top < controls[*group.heading].geometry.top)) {
                group.heading = label;
            }
        }
        groups.push_back(std::move(group));
    }
    // (libc++ 14, the browser build's, has no ranges algorithms.)
    const auto place = [&](std::size_t control) {
        return std::find(order.begin(), order.end(), control);
    };
    std::sort(groups.begin(), groups.end(), [&](const ControlGroup& a, const ControlGroup& b) {
        return place(a.members.front()) < place(b.members.front());
    });
    return groups;
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
