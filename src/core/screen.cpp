#include "screen.h"

#include "screen_registry.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace quorvex {
namespace {

const std::string kNothing;
constexpr std::size_t kNoControl = static_cast<std::size_t>(-1);

} // namespace

Screen::Screen(ScreenRegistry& registry, const ScreenDescription& description)
    : registry_(registry), description_(description)
{
}

Screen::~Screen() = default;

void Screen::show()
{
    if (!view_) {
        // Every control starts with its value in the description: boxes empty, labels and
        // buttons with their captions.
        controls_.clear();
        for (const ControlDescription& control : description_.controls) {
            controls_.push_back(
                {std::string(control.caption), std::string(control.accessibleDescription)});
        }
        copyText_.clear();
        view_ = registry_.presenter().open(*this);
    }
    view_->present();
}

void Screen::unload()
{
    if (!view_) {
        return;
    }
    // The view goes first, while the values it was drawn from are still there.
    view_.reset();
    controls_.clear();
    copyText_.clear();
    registry_.screenUnloaded();
}

std::optional<std::size_t> Screen::indexOf(const ControlName& name) const
{
    const auto& controls = description_.controls;
    const auto found =
        std::find_if(controls.begin(), controls.end(),
                     [&](const ControlDescription& row) { return row.name == name; });
    if (found == controls.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - controls.begin());
}

std::size_t Screen::loadedIndexOf(const ControlName& name, ControlKind kind) const
{
    const std::optional<std::size_t> index = indexOf(name);
    const bool usable = index && isLoaded() && description_.controls[*index].kind == kind;
    assert(usable);
    return usable ? *index : kNoControl;
}

const std::string& Screen::value(std::size_t control) const
{
    return control < controls_.size() ? controls_[control].value : kNothing;
}

const std::string& Screen::descriptionOf(std::size_t control) const
{
    return control < controls_.size() ? controls_[control].description : kNothing;
}

void Screen::setValue(std::size_t control, std::string value)
{
    if (control >= controls_.size()) {
        return;
    }
    controls_[control].value = std::move(value);
    view_->valueChanged(control);
}

const std::string& Screen::text(const ControlName& textBox) const
{
    return value(loadedIndexOf(textBox, ControlKind::TextBox));
}

void Screen::setText(const ControlName& textBox, std::string text)
{
    setValue(loadedIndexOf(textBox, ControlKind::TextBox), std::move(text));
}

const std::string& Screen::caption(const ControlName& label) const
{
    return value(loadedIndexOf(label, ControlKind::Label));
}

void Screen::setCaption(const ControlName& label, std::string caption)
{
    setValue(loadedIndexOf(label, ControlKind::Label), std::move(caption));
}

void Screen::describe(const ControlName& name, std::string description)
{
    const std::optional<std::size_t> index = indexOf(name);
    assert(index && isLoaded());
    if (!index || !isLoaded()) {
        return;
    }
    const bool spoken = !description.empty();
    controls_[*index].description = std::move(description);
    view_->descriptionChanged(*index, spoken);
}

void Screen::clear(const ControlName& name)
{
    const std::optional<std::size_t> index = indexOf(name);
    const bool box = index && description_.controls[*index].kind == ControlKind::TextBox;
    setValue(loadedIndexOf(name, box ? ControlKind::TextBox : ControlKind::Label), {});
}

void Screen::setCopyText(std::string text)
{
    copyText_ = std::move(text);
}

std::optional<std::size_t> Screen::firstFocus() const
{
    const std::vector<std::size_t> order = tabOrder(description_);
    return order.empty() ? std::nullopt : std::optional(order.front());
}

void Screen::edit(std::size_t control, std::string text)
{
    // Only a box takes typing, and only while its screen is loaded.
    if (control < controls_.size() && description_.controls[control].kind == ControlKind::TextBox) {
        controls_[control].value = std::move(text);
    }
}

void Screen::click(std::size_t control)
{
    if (control >= controls_.size()) {
        return;
    }
    if (const ClickHandler handler = description_.controls[control].handler) {
        handler(*this);
    }
}

std::optional<std::string> Screen::copyCalculation()
{
    if (!isLoaded() || copyText_.empty()) {
        return std::nullopt;
    }
    view_->announce(std::string(kCopiedAnnouncement));
    return copyText_;
}

} // namespace quorvex
