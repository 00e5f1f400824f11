#pragma once

// The main menu: the first screen shown, with the two groups of calculator buttons, "About" and
// "Close".

#include "screen.h"

namespace quorvex {

class FrmQV final : public Screen
{
public:
    explicit FrmQV(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // three-phase "Real Power"
    void Command2_Click(); // three-phase "Apparent Power"
    void Command3_Click(); // three-phase "Reactive Power"
    void Command6_Click(); // single-phase "Real Power"
    void Command7_Click(); // single-phase "Apparent Power"
    void Command8_Click(); // single-phase "Reactive Power"
    void Command9_Click(); // "About"
    void Command4_Click(); // "Close"
};

} // namespace quorvex
