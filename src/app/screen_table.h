#pragma once

// The application's screen table: every screen of the application, the main menu first, which
// the program shows at start-up.

#include "screens.h"

#include <array>

namespace quorvex {

inline constexpr std::array<ScreenId, 8> kScreenTable{
    screens::frmQV,
    screens::frmRealPower,
    screens::frmApparentPower,
    screens::frmReactivePower,
    screens::frm1PRealPower,
    screens::frm1PApparentPower,
    screens::frm1PReactivePower,
    screens::frmAbout,
};

} // namespace quorvex
