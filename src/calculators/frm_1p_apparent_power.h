#pragma once

// The single-phase apparent power calculator: S = V x I / 1000 in kVA.

#include "calculator_screen.h"

namespace quorvex {

class Frm1PApparentPower final : public CalculatorScreen
{
public:
    explicit Frm1PApparentPower(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // "Solve"
};

} // namespace quorvex
