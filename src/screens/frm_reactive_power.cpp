// The three-phase reactive power calculator: sin A, the angle as read,
// Q = 1.732 x V x I x sin A / 1000 in kVAr and S = 1.732 x V x I / 1000 in kVA.

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
    const auto [v, i, degrees] = readAngleScreenInputs(screen);
    const double s = Sin(radians(degrees));
    showFactorAndAngle(screen, s);
    showRounded(screen, "Lbl_x", (kThreePhaseFactor * ((v * i) * s)) / kKiloDivisor, 3);
    showRounded(screen, "Lbl_s", (kThreePhaseFactor * (v * i)) / kKiloDivisor, 3);
}

constexpr std::array controls{
    picture("Picture1", {8520, 60, 2295, 1575}, 25, Artwork::CalculatorBanner)
        .named(spoken::banner),
    textBox("Txt_a", {2160, 900, 1455, 495}, 0, msSansSerif(12), colours::infoBackground)
        .named(spoken::voltage),
    textBox("Txt_b", {6540, 960, 1335, 495}, 1, msSansSerif(12), colours::infoBackground)
        .named(spoken::current),
    button("Command1", {8580, 2940, 1575, 495}, 3, "Solve", calculator<solve>),
    button("Command2", {8580, 3840, 1575, 495}, 4, "New Values", newValues),
    button("Command3", {8580, 4740, 1575, 495}, 10, "Back to Main Page", backToMenu),
    textBox(kAngleBox, {2160, 1680, 1455, 495}, 2, msSansSerif(12), colours::infoBackground)
        .named(spoken::angle),
    label("Label11", {7440, 1680, 375, 495}, "=", msSansSerif(12, bold)),
    label("Lbl_Pi", {6660, 1680, 735, 495}, "", ofScreen)
        .withBackColour(colours::infoBackground)
        .described(spoken::angleAsRead),
    label("Lbl_s", {3300, 3660, 1215, 495}, "", ofScreen, Alignment::Centre)
        .described(spoken::apparentPower),
    label(element("Label7", 1), {420, 3660, 2835, 495},
          "Apparent  Power ,  S =", timesNewRoman(14.25, bold), Alignment::Right),
    label("Label12", {4560, 3660, 735, 495}, "kVA", msSansSerif(8.25, bold)),
    shape("Shape1", {180, 2640, 7395, 3675}),
    label(element("Label7", 0), {480, 2880, 2835, 495},
          "Reactive Power ,  Q =", timesNewRoman(14.25, bold), Alignment::Right),
    label("Lbl_1", {300, 180, 8835, 495}, "Reactive Power  in  3 Phase Circuits",
          timesNewRoman(15.75), Alignment::Centre),
    label("Lbl_x", {3420, 2880, 975, 495}, "", msSansSerif(12, bold), Alignment::Centre)
        .described(spoken::reactivePower),
    label("Label9", {240, 960, 1875, 495}, "Voltage", msSansSerif(9.75, bold), Alignment::Centre),
    label("Label10", {4980, 960, 1515, 495}, "Current", msSansSerif(9.75, bold), Alignment::Centre),
    label("Label13", {8100, 5580, 2595, 315}, "Use Tab to enter Values", msSansSerif(8.25, bold),
          Alignment::Centre),
    label("Label1", {3660, 1020, 675, 495}, "Volts", msSansSerif(8.25, bold)),
    label("Label2", {7920, 960, 795, 495}, "Amps", msSansSerif(8.25, bold)),
    label("Label3", {4500, 2880, 675, 495}, "kVAr", msSansSerif(9.75, bold)),
    label("Label4", {420, 4740, 4995, 315}, " Reactive  Power , Q =  1.732  * V * I  *  Sin  Pi",
          msSansSerif(9.75, bold), Alignment::Centre)
        .withForeColour(colours::windowText)
        .withBackColour(colours::formulaPink)
        .withSingleBorder(),
    label("Label8", {5400, 1680, 1215, 495}, "Sin", msSansSerif(9.75, bold), Alignment::Centre),
    label("Lbl_m", {7860, 1680, 1215, 495}, "", msSansSerif(9.75))
        .withBackColour(colours::infoBackground)
        .described(spoken::sine),
    label("Label6", {3660, 1800, 1215, 495}, "Degrees", msSansSerif(8.25, bold)),
    label(element("Label5", 1), {240, 1800, 1935, 495}, "Sin Angle ", msSansSerif(9.75, bold),
          Alignment::Centre),
};

} // namespace

constexpr ScreenDescription descriptions::frmReactivePower{
    .name = "frmReactivePower",
    .caption = "Reactive  Power - 3PH",
    .client = {60, 345, 10875, 6600},
    .controls = controls,
    .clearedByNewValues = kAngleScreenValues,
    .heardAfterSolve = kAngleScreenResults,
    .copiedAfterSolve = kAngleScreenCopied,
};

} // namespace quorvex
