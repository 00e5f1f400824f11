#pragma once

// The application's eight screens, each a constant description defined in its own file: the main
// menu, the six calculators and About. A screen is shown, and named in another screen's rows, by
// its ScreenId here.

#include "screen_description.h"

namespace quorvex {

namespace descriptions {
extern const ScreenDescription frmQV;
extern const ScreenDescription frmRealPower;
extern const ScreenDescription frmApparentPower;
extern const ScreenDescription frmReactivePower;
extern const ScreenDescription frm1PRealPower;
extern const ScreenDescription frm1PApparentPower;
extern const ScreenDescription frm1PReactivePower;
extern const ScreenDescription frmAbout;
} // namespace descriptions

namespace screens {
inline constexpr ScreenId frmQV = &descriptions::frmQV;
inline constexpr ScreenId frmRealPower = &descriptions::frmRealPower;
inline constexpr ScreenId frmApparentPower = &descriptions::frmApparentPower;
inline constexpr ScreenId frmReactivePower = &descriptions::frmReactivePower;
inline constexpr ScreenId frm1PRealPower = &descriptions::frm1PRealPower;
inline constexpr ScreenId frm1PApparentPower = &descriptions::frm1PApparentPower;
inline constexpr ScreenId frm1PReactivePower = &descriptions::frm1PReactivePower;
inline constexpr ScreenId frmAbout = &descriptions::frmAbout;
} // namespace screens

} // namespace quorvex
