#pragma once

// The three-phase reactive power calculator: sin A, the angle as read,
// Q = 1.732 x V x I x sin A / 1000 in kVAr and S = 1.732 x V x I / 1000 in kVA.

#include "calculator_screen.h"

namespace quorvex {

class FrmReactivePower final : public CalculatorScreen
{
public:
    explicit FrmReactivePower(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // "Solve"
};

} // namespace quorvex
