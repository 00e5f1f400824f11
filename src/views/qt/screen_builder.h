#pragma once

// Builds a screen's window and controls from its description: every control at its position, in
// its font, colours and alignment, stacked and tab-ordered as the description says, each widget
// named after its control.

#include "screen.h"

#include <vector>

namespace quorvex {

struct BuiltWindow
{
    WindowPointer window;
    std::vector<QWidget*> controls; // parallel to the description's controls; owned by window
};

// Builds the window of `owner`'s description; its buttons call their handlers on `owner`, and
// its close box unloads `owner`.
BuiltWindow buildWindow(Screen& owner);

} // namespace quorvex
