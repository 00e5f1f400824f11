// The three-phase apparent power calculator: S = 1.732 x V x I / 1000 in kVA.

#include "calculator_frame.h"
#include "numbers.h"
#include "spoken_names.h"

#include <array>

namespace quorvex {
namespace {

using namespace fonts;

// "Solve".
void solve(Screen& screen)
{
    const double v = valueOf(screen, "Txt_a");
    const double i = valueOf(screen, "Txt_b");
    const double p = v * i;
    const double q = p * kThreePhaseFactor;
    showRounded(screen, "Lbl_x", q / kKiloDivisor, 3);
}

constexpr std::array controls{
    picture("Picture1", {8520, 60, 2295, 1515}, 15, Artwork::CalculatorBanner)
        .named(spoken::banner),
    button("Command3", {8400, 4980, 1575, 495}, 13, "Back to Main Page", backToMenu),
    textBox("Txt_a", {2160, 1260, 1455, 495}, 0, msSansSerif(12), colours::infoBackground)
        .named(spoken::voltage),
    textBox("Txt_b", {6180, 1260, 1335, 495}, 1, msSansSerif(12), colours::infoBackground)
        .named(spoken::current),
    button("Command1", {8400, 3180, 1575, 495}, 2, "Solve", calculator<solve>),
    button("Command2", {8400, 4080, 1575, 495}, 4, "New Values", newValues),
    shape("Shape1", {300, 2580, 7275, 3735}),
    label("Label4", {660, 4680, 3975, 315}, "Apparent  Power ,   S =  1.732 * V * I",
          msSansSerif(9.75, bold), Alignment::Centre)
        .withSingleBorder()
        .withBackColour(colours::formulaPink)
        .withForeColour(colours::windowText),
    label("Label7", {180, 3780, 2895, 495}, "Apparent Power , S =", timesNewRoman(14.25, bold),
          Alignment::Right),
    label("Lbl_1", {0, 180, 8655, 495}, "Apparent  Power in  3 Phase Circuits",
          timesNewRoman(15.75), Alignment::Centre),
    label("Lbl_x", {3180, 3780, 1035, 495}, "", msSansSerif(12, bold), Alignment::Right)
        .described(spoken::apparentPower),
    label("Label9", {720, 1440, 1335, 495}, "Voltage", msSansSerif(9.75, bold), Alignment::Centre),
    label("Label10", {4920, 1440, 1275, 495}, "Current", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label13", {7740, 5940, 2895, 315}, "Use Tab to enter Values", msSansSerif(8.25, bold),
          Alignment::Centre),
    label("Label1", {3720, 1440, 675, 495}, "Volts", msSansSerif(8.25, bold)),
    label("Label2", {7620, 1380, 795, 495}, "Amps", msSansSerif(8.25, bold)),
    label("Label3", {4260, 3840, 675, 495}, "kVA", msSansSerif(9.75, bold)),
};

} // namespace

constexpr ScreenDescription descriptions::frmApparentPower{
    .name = "frmApparentPower",
    .caption = "Apparent Power - 3Ph",
    .client = {60, 345, 10875, 6600},
    .controls = controls,
    .clearedByNewValues = kApparentPowerScreenValues,
    .heardAfterSolve = kApparentPowerScreenResults,
    .copiedAfterSolve = kApparentPowerScreenCopied,
};

} // namespace quorvex
