#pragma once

// The single-phase real power calculator: the power factor cos A, the angle as read,
// P = V x I x cos A / 1000 in kW and S = V x I / 1000 in kVA.

#include "calculator_screen.h"

namespace quorvex {

class Frm1PRealPower final : public CalculatorScreen
{
public:
    explicit Frm1PRealPower(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // "Solve"
};

} // namespace quorvex
