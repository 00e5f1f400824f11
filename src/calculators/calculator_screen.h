#pragma once

// The frame shared by the six calculator screens: "New Values" and "Back to Main Page", written
// once, and the conventions by which "Solve" reads a box and writes a result label.

#include "../shell/screen.h"

#include <array>
#include <span>

namespace quorvex {

// What "New Values" empties on each family of screens, in order.
inline constexpr ControlName kAngleBox = element("Txt_c", 1);

inline constexpr std::array<ControlName, 3> kApparentPowerScreenValues{"Txt_a", "Txt_b", "Lbl_x"};
inline constexpr std::array<ControlName, 7> kAngleScreenValues{"Txt_a", "Txt_b", kAngleBox, "Lbl_m",
                                                               "Lbl_x", "Lbl_s", "Lbl_Pi"};

class CalculatorScreen : public Screen
{
public:
    CalculatorScreen(ScreenRegistry& registry, const ScreenDescription& description,
                     std::span<const ControlName> clearedByNewValues);

    // "New Values": empties the screen's boxes and result labels; the focus stays where it is.
    void Command2_Click();
    // "Back to Main Page": shows the main menu, loading it again if it was closed, then unloads
    // this screen.
    void Command3_Click();

protected:
    // What an angle screen reads, once each and in this order, before it computes.
    struct AngleScreenInputs
    {
        double voltage;
        double current;
        double degrees;
    };

    // The number a box holds by the leading-number rule (Val of its whole text).
    double valueOf(const ControlName& textBox) const;
    // Reads `Txt_a`, `Txt_b` and `Txt_c(1)`.
    AngleScreenInputs readAngleScreenInputs() const;
    // Writes the cosine or sine rounded to four places into `Lbl_m`, then the angle box read
    // again, unrounded, into `Lbl_Pi`.
    void showFactorAndAngle(double factor);
    // Writes `value` rounded to `decimals` places into a result label.
    void showRounded(const ControlName& label, double value, int decimals);
    // Writes `value` unrounded into a result label.
    void showNumber(const ControlName& label, double value);

private:
    std::span<const ControlName> clearedByNewValues_;
};

} // namespace quorvex
