#pragma once

// The browser's view of the screens: it tells the page, in JSON messages, what to draw and what
// changed, and the page passes the user's typing and clicks back as calls on the screens (through
// the program's exported functions). A loaded screen's window is described whole when it opens:
// its caption and size, and each control with its control name (the element's id), kind, place
// and size in CSS pixels (twips at 96 DPI), text, font, colours, alignment, border, picture, tab
// order, what a screen reader says of it and the words that name its value (meaning and unit), the
// groups its shapes draw, and the rows of the same controls laid out as one column for a screen
// too small for the window (column_layout.h). The page draws only that.
//
// Messages, each one object with a "type":
//   open      {screen, name, caption, width, height, back, resizable, focus, tabOrder, groups,
//              column, controls}
//   present   {screen}: the window comes to the front and takes the focus
//   value     {screen, control, text}
//   describe  {screen, control, text, spoken}
//   announce  {screen, text}: a screen reader says it once
//   close     {screen}: the screen was unloaded
//   closed    {}: the last screen was unloaded; the application has ended

#include "screen.h"
#include "screen_view.h"

#include <functional>
#include <memory>
#include <span>
#include <string>

namespace quorvex {

using MessageSink = std::function<void(const std::string& message)>;

class WebPresenter final : public ScreenPresenter
{
public:
    // `screens` numbers the screens for the page: a screen is known by its place there.
    WebPresenter(std::span<const ScreenId> screens, MessageSink sink);

    std::unique_ptr<ScreenView> open(Screen& screen) override;
    void closed() override;

private:
    std::span<const ScreenId> screens_;
    MessageSink sink_;
};

// The CSS colour ("#rrggbb") a colour value stands for in the browser: an explicit colour as it
// is, a system colour as the desktop's light palette has it.
std::string cssColour(ColourValue colour);

} // namespace quorvex
