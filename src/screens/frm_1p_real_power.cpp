// The single-phase real power calculator: the power factor cos A, the angle as read,
// P = V x I x cos A / 1000 in kW and S = V x I / 1000 in kVA.

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
    const double f = Cos(radians(degrees));
    showFactorAndAngle(screen, f);
    showRounded(screen, "Lbl_x", ((v * i) * f) / kKiloDivisor, 3);
    showRounded(screen, "Lbl_s", (v * i) / kKiloDivisor, 3);
}

constexpr std::array controls{
    picture("Picture1", {8520, 60, 2295, 1575}, 25, Artwork::CalculatorBanner)
        .named(spoken::banner),
    textBox("Txt_a", {2280, 1020, 1455, 495}, 0, msSansSerif(12), colours::infoBackground)
        .named(spoken::voltage),
    textBox("Txt_b", {6480, 1020, 1335, 495}, 1, msSansSerif(12), colours::infoBackground)
        .named(spoken::current),
    button("Command1", {8580, 3000, 1575, 495}, 3, "Solve", calculator<solve>),
    button("Command2", {8580, 3900, 1575, 495}, 4, "New Values", newValues),
    button("Command3", {8580, 4860, 1575, 495}, 10, "Back to Main Page", backToMenu),
    textBox(kAngleBox, {2220, 1860, 1455, 495}, 2, msSansSerif(12), colours::infoBackground)
        .named(spoken::angle),
    label("Label14", {9420, 1980, 1215, 495}, "Power Factor", msSansSerif(9.75, bold),
          Alignment::Centre),
    label(element("Label7", 0), {540, 2880, 2355, 495},
          "Real Power ,  P =", timesNewRoman(14.25, bold), Alignment::Right),
    label("Lbl_1", {300, 300, 8835, 495}, "Real (Active) Power in 1 Phase Circuits",
          timesNewRoman(15.75), Alignment::Centre),
    label("Lbl_x", {3000, 2880, 975, 495}, "", msSansSerif(12, bold), Alignment::Centre)
        .described(spoken::realPower),
    label("Label9", {360, 1140, 1875, 495}, "Voltage", msSansSerif(9.75, bold), Alignment::Centre),
    label("Label10", {4920, 1140, 1515, 495}, "Current", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label13", {7860, 5700, 2895, 315}, "Use Tab to enter Values", msSansSerif(8.25, bold),
          Alignment::Centre),
    label("Label1", {3840, 1200, 675, 495}, "Volts", msSansSerif(8.25, bold)),
    label("Label2", {7860, 1140, 795, 495}, "Amps", msSansSerif(8.25, bold)),
    label("Label3", {4080, 2880, 675, 495}, "kW", msSansSerif(9.75, bold)),
    label("Label4", {540, 5040, 4635, 315}, " Real  Power ,   P =   V * I  *  Cos  Pi",
          msSansSerif(9.75, bold), Alignment::Centre)
        .withBackColour(colours::formulaPink)
        .withForeColour(colours::windowText)
        .withSingleBorder(),
    label("Label8", {5820, 1980, 1215, 495}, "Cos", msSansSerif(9.75, bold), Alignment::Right),
    label("Lbl_m", {8160, 1980, 1215, 495}, "", msSansSerif(8.25, bold), Alignment::Centre)
        .withBackColour(colours::infoBackground)
        .described(spoken::powerFactor),
    label("Label6", {3720, 1980, 1215, 495}, "Degrees", msSansSerif(8.25, bold)),
    label(element("Label5", 1), {300, 1980, 1935, 495}, "Cos Angle ", msSansSerif(9.75, bold),
          Alignment::Centre),
    shape("Shape1", {180, 2640, 7395, 3795}),
    label(element("Label7", 1), {420, 3660, 2415, 495},
          "Apparent  Power ,  S =", timesNewRoman(12, bold), Alignment::Right),
    label("Lbl_s", {2940, 3660, 1215, 495}, "", msSansSerif(9.75, bold), Alignment::Centre)
        .described(spoken::apparentPower),
    label("Label12", {4260, 3720, 735, 495}, "kVA", msSansSerif(8.25, bold)),
    label("Lbl_Pi", {7140, 1980, 495, 480}, "", msSansSerif(9.75), Alignment::Centre)
        .withBackColour(colours::infoBackground)
        .described(spoken::angleAsRead),
    label("Label11", {7740, 1980, 375, 495}, "=", msSansSerif(12, bold), Alignment::Centre),
};

} // namespace

constexpr ScreenDescription descriptions::frm1PRealPower{
    .name = "frm1PRealPower",
    .caption = "Real Power - 1Ph",
    .client = {60, 345, 10875, 6600},
    .controls = controls,
    .clearedByNewValues = kAngleScreenValues,
    .heardAfterSolve = kAngleScreenResults,
    .copiedAfterSolve = kAngleScreenCopied,
};

} // namespace quorvex
