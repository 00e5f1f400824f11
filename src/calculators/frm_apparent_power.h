#pragma once

// The three-phase apparent power calculator: S = 1.732 x V x I / 1000 in kVA.

#include "calculator_screen.h"

namespace quorvex {

class FrmApparentPower final : public CalculatorScreen
{
public:
    explicit FrmApparentPower(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // "Solve"
};

} // namespace quorvex
