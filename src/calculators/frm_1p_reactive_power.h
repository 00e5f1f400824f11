#pragma once

// The single-phase reactive power calculator: sin A, the angle as read,
// Q = V x I x sin A / 1000 in kVAr and S = V x I / 1000 in kVA.

#include "calculator_screen.h"

namespace quorvex {

class Frm1PReactivePower final : public CalculatorScreen
{
public:
    explicit Frm1PReactivePower(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // "Solve"
};

} // namespace quorvex
