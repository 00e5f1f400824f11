#pragma once

// One screen instance: the object a registry slot holds for the life of the process, and the state
// of its controls while it is loaded. Loading sets every control to its value in the description
// (an empty box, a label's caption) and has the presenter make a view of it; unloading discards
// the state and the view and keeps the instance. A screen's Click handlers are free functions given
// the instance: they read and write the screen's own controls by name through the accessors here,
// and the view is told what changed.

#include "screen_description.h"
#include "screen_view.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

class ScreenRegistry;

// What a screen reader hears when Ctrl+C has copied a calculation.
inline constexpr std::string_view kCopiedAnnouncement = "Copied";

class Screen final
{
public:
    Screen(ScreenRegistry& registry, const ScreenDescription& description);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    const ScreenDescription& description() const { return description_; }
    ScreenRegistry& registry() const { return registry_; }
    bool isLoaded() const { return view_ != nullptr; }
    // The view while the screen is loaded, otherwise null.
    ScreenView* view() const { return view_.get(); }

    // Loads the screen from its description if it is unloaded, then has its view brought to the
    // front. A loaded screen keeps its control values.
    void show();
    // Discards the view and the controls' values; the instance stays in its slot.
    void unload();

    // The handlers' access to the screen's own controls, by name, while it is loaded.
    const std::string& text(const ControlName& textBox) const;
    void setText(const ControlName& textBox, std::string text);
    const std::string& caption(const ControlName& label) const;
    void setCaption(const ControlName& label, std::string caption);
    // Sets what a screen reader adds to the control's name, and has a screen reader speak it
    // (each time, even when the text is the one it had); an empty text is not spoken.
    void describe(const ControlName& name, std::string description);
    // Empties a text box's text or a label's caption.
    void clear(const ControlName& name);
    // What Ctrl+C copies from the screen when the focused control has no selection of its own;
    // empty for nothing.
    void setCopyText(std::string text);

    // The views' access, by the control's position in the description.
    std::optional<std::size_t> indexOf(const ControlName& name) const;
    // The text of a box, the caption of a label or a button; empty while unloaded.
    const std::string& value(std::size_t control) const;
    // What a screen reader adds to the control's name.
    const std::string& descriptionOf(std::size_t control) const;
    // The control that has the focus when the screen opens: the first of its tab order.
    std::optional<std::size_t> firstFocus() const;
    // The user changed a box's text (typed, pasted, deleted): the view shows it already.
    void edit(std::size_t control, std::string text);
    // The user pressed a button: runs its Click handler.
    void click(std::size_t control);
    // The user pressed Ctrl+C where no selection of a control's own was to be copied: the
    // calculation to put on the clipboard, announced as copied; nothing before a "Solve".
    std::optional<std::string> copyCalculation();

private:
    struct ControlState
    {
        std::string value;
        std::string description;
    };

    std::size_t loadedIndexOf(const ControlName& name, ControlKind kind) const;
    void setValue(std::size_t control, std::string value);

    ScreenRegistry& registry_;
    const ScreenDescription& description_;
    std::vector<ControlState> controls_; // parallel to description_.controls while loaded
    std::string copyText_;
    std::unique_ptr<ScreenView> view_;
};

} // namespace quorvex
