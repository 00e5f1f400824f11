#pragma once

// What a screen reader says of the controls that show no text of their own (the input boxes and
// the pictures) and what it adds to the result labels, whose names are the results themselves.

#include <string_view>

namespace quorvex::spoken {

inline constexpr std::string_view voltage = "Voltage in volts";
inline constexpr std::string_view current = "Current in amperes";
inline constexpr std::string_view angle = "Phase angle in degrees";

inline constexpr std::string_view powerFactor = "Power factor, the cosine of the angle";
inline constexpr std::string_view sine = "Sine of the angle";
inline constexpr std::string_view angleAsRead = "Angle as read, in degrees";
inline constexpr std::string_view realPower = "Real power P in kW";
inline constexpr std::string_view reactivePower = "Reactive power Q in kVAr";
inline constexpr std::string_view apparentPower = "Apparent power S in kVA";

inline constexpr std::string_view banner = "Quorvex banner: a sine wave and the power triangle";
inline constexpr std::string_view logo = "Quorvex logo";

} // namespace quorvex::spoken
