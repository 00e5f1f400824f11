#pragma once

// The three-phase real power calculator: the power factor cos A, the angle as read,
// P = 1.732 x V x I x cos A / 1000 in kW and S = 1.732 x V x I / 1000 in kVA.

#include "calculator_screen.h"

namespace quorvex {

class FrmRealPower final : public CalculatorScreen
{
public:
    explicit FrmRealPower(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // "Solve"
};

} // namespace quorvex
