#pragma once

// What a screen reader says of the controls that show no text of their own (the input boxes and
// the pictures), what it adds to the result labels, whose names are the results themselves, and
// what it adds to the menu's buttons, whose captions repeat from one group to the other; and the
// words that name each value in the summary after "Solve" and in a copied calculation.

#include "screen_description.h"

#include <string_view>

namespace quorvex::spoken {

inline constexpr SpokenInput voltage{"Voltage in volts", {"voltage", "V"}};
inline constexpr SpokenInput current{"Current in amperes", {"current", "A"}};
inline constexpr SpokenInput angle{"Phase angle in degrees", {"angle", "degrees"}};

inline constexpr SpokenResult powerFactor{"Power factor, the cosine of the angle",
                                          {"power factor"}};
inline constexpr SpokenResult sine{"Sine of the angle", {"sine of the angle"}};
inline constexpr SpokenResult angleAsRead{"Angle as read, in degrees", {"angle", "degrees"}};
inline constexpr SpokenResult realPower{"Real power P in kW", {"real power P", "kW"}};
inline constexpr SpokenResult reactivePower{"Reactive power Q in kVAr",
                                            {"reactive power Q", "kVAr"}};
inline constexpr SpokenResult apparentPower{"Apparent power S in kVA", {"apparent power S", "kVA"}};

inline constexpr std::string_view banner = "Quorvex banner: a sine wave and the power triangle";
inline constexpr std::string_view logo = "Quorvex logo";

} // namespace quorvex::spoken
