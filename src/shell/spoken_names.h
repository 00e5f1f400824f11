#pragma once

// What a screen reader says of the controls that show no text of their own (the input boxes and
// the pictures), what it adds to the result labels, whose names are the results themselves, and
// what it adds to the menu's buttons, whose captions repeat from one group to the other.

#include <string_view>

namespace quorvex::spoken {

inline constexpr std::string_view voltage = "Voltage in volts";
inline constexpr std::string_view current = "Current in amperes";
inline constexpr std::string_view angle = "Phase angle in degrees";

// A result as a screen reader hears it: the label's description, read after its value, and the
// words that name it in the summary heard after "Solve" ("real power P 6 kW").
struct Result
{
    std::string_view description;
    std::string_view meaning;
    std::string_view unit = {};
};

inline constexpr Result powerFactor{"Power factor, the cosine of the angle", "power factor"};
inline constexpr Result sine{"Sine of the angle", "sine of the angle"};
inline constexpr Result angleAsRead{"Angle as read, in degrees", "angle", "degrees"};
inline constexpr Result realPower{"Real power P in kW", "real power P", "kW"};
inline constexpr Result reactivePower{"Reactive power Q in kVAr", "reactive power Q", "kVAr"};
inline constexpr Result apparentPower{"Apparent power S in kVA", "apparent power S", "kVA"};

inline constexpr std::string_view banner = "Quorvex banner: a sine wave and the power triangle";
inline constexpr std::string_view logo = "Quorvex logo";

} // namespace quorvex::spoken
