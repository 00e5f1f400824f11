#pragma once

// What the six calculator screens share, written once: "New Values" and "Back to Main Page", the
// lists those clear and announce, the conventions by which "Solve" reads a box and writes a result
// label, and the summary of the results a screen reader hears after "Solve".

#include "screen.h"
#include "screens.h"

#include <array>

namespace quorvex {

inline constexpr ControlName kAngleBox = element("Txt_c", 1);
inline constexpr ControlName kSolveButton = "Command1";

// What "New Values" empties on each family of screens, in order.
inline constexpr std::array<ControlName, 3> kApparentPowerScreenValues{"Txt_a", "Txt_b", "Lbl_x"};
inline constexpr std::array<ControlName, 7> kAngleScreenValues{"Txt_a", "Txt_b", kAngleBox, "Lbl_m",
                                                               "Lbl_x", "Lbl_s", "Lbl_Pi"};

inline constexpr ControlName kTitleLabel = "Lbl_1";

// The result labels in the order the summary after "Solve" names them: the result the screen is
// for first.
inline constexpr std::array<ControlName, 1> kApparentPowerScreenResults{"Lbl_x"};
inline constexpr std::array<ControlName, 4> kAngleScreenResults{"Lbl_x", "Lbl_s", "Lbl_m",
                                                                "Lbl_Pi"};

// What a calculation copied with Ctrl+C lists after the screen's title: the inputs as read, then
// the results as shown (the angle as read is the angle box's value again).
inline constexpr std::array<ControlName, 3> kApparentPowerScreenCopied{"Txt_a", "Txt_b", "Lbl_x"};
inline constexpr std::array<ControlName, 6> kAngleScreenCopied{"Txt_a", "Txt_b", kAngleBox,
                                                               "Lbl_m", "Lbl_x", "Lbl_s"};

// "New Values": empties the screen's boxes and result labels, the summary on "Solve" and the
// calculation Ctrl+C copies; the focus stays where it is.
void newValues(Screen& screen);
// "Back to Main Page": shows the main menu, loading it again if it was closed, then unloads the
// calculator.
void backToMenu(Screen& screen);

// Gives "Solve" the results just shown, with their meanings and units, as its description
// ("Real power P 6 kW, apparent power S 6.928 kVA, power factor 0.866, angle 30 degrees"): a
// screen reader on the button announces it, and repeats it when asked where it is.
void announceResults(Screen& screen);

// Keeps the calculation just solved for Ctrl+C to copy: the screen's title, then each value of
// `copiedAfterSolve` on a line of its own, with its meaning and unit ("Real power P 6 kW"), the
// inputs as the number read from them and the results as shown ("Overflow" without a unit).
void offerCalculation(Screen& screen);

// The Click handler of a calculator's "Solve": the screen's own computation, then the summary of
// its results for a screen reader and the calculation for Ctrl+C, as in `calculator<solve>`.
template <void (*Solve)(Screen&)> void calculator(Screen& screen)
{
    Solve(screen);
    announceResults(screen);
    offerCalculation(screen);
}

// What an angle screen reads, once each and in this order, before it computes.
struct AngleScreenInputs
{
    double voltage;
    double current;
    double degrees;
};

// The number a box holds by the leading-number rule (Val of its whole text).
double valueOf(const Screen& screen, const ControlName& textBox);
// Reads `Txt_a`, `Txt_b` and `Txt_c(1)`.
AngleScreenInputs readAngleScreenInputs(const Screen& screen);
// Writes the cosine or sine rounded to four places into `Lbl_m`, then the angle box read again,
// unrounded, into `Lbl_Pi`.
void showFactorAndAngle(Screen& screen, double factor);
// Writes `value` rounded to `decimals` places into a result label.
void showRounded(Screen& screen, const ControlName& label, double value, int decimals);

} // namespace quorvex
