#pragma once

// The frame shared by the six calculator screens: "New Values" and "Back to Main Page", written
// once, the conventions by which "Solve" reads a box and writes a result label, and the summary
// of the results a screen reader hears after "Solve".

#include "../shell/screen.h"

#include <array>
#include <span>

namespace quorvex {

// What "New Values" empties on each family of screens, in order.
inline constexpr ControlName kAngleBox = element("Txt_c", 1);

inline constexpr std::array<ControlName, 3> kApparentPowerScreenValues{"Txt_a", "Txt_b", "Lbl_x"};
inline constexpr std::array<ControlName, 7> kAngleScreenValues{"Txt_a", "Txt_b", kAngleBox, "Lbl_m",
                                                               "Lbl_x", "Lbl_s", "Lbl_Pi"};

// The result labels in the order the summary after "Solve" names them: the result the screen is
// for first.
inline constexpr std::array<ControlName, 1> kApparentPowerScreenResults{"Lbl_x"};
inline constexpr std::array<ControlName, 4> kAngleScreenResults{"Lbl_x", "Lbl_s", "Lbl_m",
                                                                "Lbl_Pi"};

inline constexpr ControlName kSolveButton = "Command1";

struct CalculatorFamily
{
    std::span<const ControlName> clearedByNewValues;
    std::span<const ControlName> heardAfterSolve;
};

inline constexpr CalculatorFamily kApparentPowerScreen{kApparentPowerScreenValues,
                                                       kApparentPowerScreenResults};
inline constexpr CalculatorFamily kAngleScreen{kAngleScreenValues, kAngleScreenResults};

class CalculatorScreen : public Screen
{
public:
    CalculatorScreen(ScreenRegistry& registry, const ScreenDescription& description,
                     const CalculatorFamily& family);

    // Gives "Solve" the results just shown, with their meanings and units, as its description
    // ("Real power P 6 kW, apparent power S 6.928 kVA, power factor 0.866, angle 30 degrees"): a
    // screen reader on the button announces it, and repeats it when asked where it is.
    void announceResults();
    // "New Values": empties the screen's boxes and result labels, and the summary on "Solve";
    // the focus stays where it is.
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
    const CalculatorFamily& family_;
};

namespace detail {
template <auto Solve> void solveAndAnnounce(Screen& screen)
{
    callMember<Solve>(screen);
    static_cast<CalculatorScreen&>(screen).announceResults();
}
} // namespace detail

// The Click handler entry for a calculator's "Solve": the screen's own computation, then the
// summary of its results for a screen reader, as in onSolve<&FrmRealPower::Command1_Click>.
template <auto Solve> inline constexpr ClickHandler onSolve = &detail::solveAndAnnounce<Solve>;

} // namespace quorvex
