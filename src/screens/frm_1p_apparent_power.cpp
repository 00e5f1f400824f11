// The single-phase apparent power calculator: S = V x I / 1000 in kVA.

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
    showRounded(screen, "Lbl_x", p / kKiloDivisor, 3);
}

constexpr std::array controls{
    picture("Picture1", {8520, 60, 2295, 1575}, 15, Artwork::CalculatorBanner)
        .named(spoken::banner),
    button("Command2", {8340, 4020, 1575, 495}, 3, "New Values", newValues),
    button("Command1", {8340, 3180, 1575, 495}, 2, "Solve", calculator<solve>),
    textBox("Txt_b", {6300, 1200, 1335, 495}, 1, msSansSerif(12), colours::infoBackground)
        .named(spoken::current),
    textBox("Txt_a", {2280, 1200, 1455, 495}, 0, msSansSerif(12), colours::infoBackground)
        .named(spoken::voltage),
    button("Command3", {8340, 4920, 1575, 495}, 10, "Back to Main Page", backToMenu),
    label("Label3", {4620, 3780, 675, 495}, "kVA", msSansSerif(9.75, bold)),
    label("Label2", {7740, 1320, 795, 495}, "Amps", msSansSerif(8.25, bold)),
    label("Label1", {3840, 1320, 675, 495}, "Volts", msSansSerif(8.25, bold)),
    label("Label13", {7740, 5820, 2895, 315}, "Use Tab to enter Values", msSansSerif(8.25, bold),
          Alignment::Centre),
    label("Label10", {4920, 1320, 1335, 495}, "Current", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label9", {300, 1320, 1875, 495}, "Voltage", msSansSerif(9.75, bold), Alignment::Centre),
    label("Lbl_x", {3540, 3720, 1035, 495}, "", msSansSerif(12, bold), Alignment::Right)
        .described(spoken::apparentPower),
    label("Lbl_1", {120, 180, 6975, 495}, "Apparent  Power in 1 Phase Circuits",
          timesNewRoman(15.75), Alignment::Centre),
    label("Label7", {600, 3720, 2895, 495}, "Apparent Power , S =", timesNewRoman(14.25, bold),
          Alignment::Right),
    label("Label4", {780, 4620, 3975, 315}, "Apparent  Power ,   S =   V * I",
          msSansSerif(9.75, bold), Alignment::Centre)
        .withSingleBorder()
        .withBackColour(colours::formulaPink)
        .withForeColour(colours::windowText),
    shape("Shape1", {240, 2580, 7335, 3735}),
};

} // namespace

constexpr ScreenDescription descriptions::frm1PApparentPower{
    .name = "frm1PApparentPower",
    .caption = "Apparent Power - 1Ph",
    .client = {60, 345, 10875, 6600},
    .controls = controls,
    .clearedByNewValues = kApparentPowerScreenValues,
    .heardAfterSolve = kApparentPowerScreenResults,
    .copiedAfterSolve = kApparentPowerScreenCopied,
};

} // namespace quorvex
