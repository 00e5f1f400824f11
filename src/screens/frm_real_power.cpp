// The three-phase real power calculator: the power factor cos A, the angle as read,
// P = 1.732 x V x I x cos A / 1000 in kW and S = 1.732 x V x I / 1000 in kVA.

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
    const double c = Cos(radians(degrees));
    showFactorAndAngle(screen, c);
    showRounded(screen, "Lbl_x", (kThreePhaseFactor * ((v * i) * c)) / kKiloDivisor, 3);
    showRounded(screen, "Lbl_s", (kThreePhaseFactor * (v * i)) / kKiloDivisor, 3);
}

constexpr std::array controls{
    picture("Picture1", {8520, 60, 2295, 1575}, 25, Artwork::CalculatorBanner)
        .named(spoken::banner),
    textBox(kAngleBox, {2300, 1839, 1455, 495}, 2, msSansSerif(12), colours::infoBackground)
        .named(spoken::angle),
    button("Command3", {8520, 4780, 1575, 495}, 14, "Back to Main Page", backToMenu),
    button("Command2", {8520, 3861, 1575, 495}, 4, "New Values", newValues),
    button("Command1", {8520, 2942, 1575, 495}, 3, "Solve", calculator<solve>),
    textBox("Txt_b", {6500, 965, 1335, 495}, 1, msSansSerif(12), colours::infoBackground)
        .named(spoken::current),
    textBox("Txt_a", {2300, 965, 1455, 495}, 0, msSansSerif(12), colours::infoBackground)
        .named(spoken::voltage),
    label("Label14", {9420, 1920, 1215, 495}, "Power  Factor", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label11", {7740, 1920, 375, 495}, "=", msSansSerif(12, bold), Alignment::Centre),
    label("Lbl_Pi", {7140, 1920, 495, 480}, "", msSansSerif(9.75), Alignment::Centre)
        .withBackColour(colours::infoBackground)
        .described(spoken::angleAsRead),
    label("Label12", {4140, 3660, 735, 495}, "kVA", msSansSerif(8.25, bold)),
    label("Lbl_s", {2880, 3600, 1215, 495}, "", msSansSerif(9.75, bold), Alignment::Centre)
        .described(spoken::apparentPower),
    label(element("Label7", 1), {420, 3600, 2415, 495},
          "Apparent  Power ,  S =", timesNewRoman(12, bold), Alignment::Right),
    shape("Shape1", {180, 2574, 7400, 3769}),
    label(element("Label5", 1), {300, 1920, 1935, 495}, "Cos Angle ", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label6", {3840, 1980, 1215, 495}, "Degrees", msSansSerif(8.25, bold)),
    label("Lbl_m", {8160, 1920, 1215, 495}, "", msSansSerif(8.25, bold), Alignment::Centre)
        .withBackColour(colours::infoBackground)
        .described(spoken::powerFactor),
    label("Label8", {5820, 1920, 1215, 495}, "Cos", msSansSerif(9.75, bold), Alignment::Right),
    label("Label4", {550, 4980, 4635, 315}, " Real  Power ,   P =  1.732  * V * I  *  Cos  Pi",
          msSansSerif(9.75, bold), Alignment::Centre)
        .withForeColour(colours::windowText)
        .withBackColour(colours::formulaPink)
        .withSingleBorder(),
    label("Label3", {4080, 2880, 675, 495}, "kW", msSansSerif(9.75, bold)),
    label("Label2", {7860, 1080, 795, 495}, "Amps", msSansSerif(8.25, bold)),
    label("Label1", {3840, 1140, 675, 495}, "Volts", msSansSerif(8.25, bold)),
    label("Label13", {7860, 5654, 2895, 315}, "Use Tab to enter Values", msSansSerif(8.25, bold),
          Alignment::Centre),
    label("Label10", {4920, 1080, 1515, 495}, "Current", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label9", {360, 1080, 1875, 495}, "Voltage", msSansSerif(9.75, bold), Alignment::Centre),
    label("Lbl_x", {3000, 2820, 975, 495}, "", msSansSerif(12, bold), Alignment::Centre)
        .described(spoken::realPower),
    label("Lbl_1", {300, 230, 8835, 495}, "Real (Active) Power in 3 Phase Circuits",
          timesNewRoman(15.75), Alignment::Centre),
    label(element("Label7", 0), {550, 2820, 2355, 495},
          "Real Power ,  P =", timesNewRoman(14.25, bold), Alignment::Right),
};

} // namespace

constexpr ScreenDescription descriptions::frmRealPower{
    .name = "frmRealPower",
    .caption = "Real  Power - 3Ph",
    .client = {45, 330, 10905, 6630},
    .border = WindowBorder::FixedSingle,
    .controls = controls,
    .clearedByNewValues = kAngleScreenValues,
    .heardAfterSolve = kAngleScreenResults,
    .copiedAfterSolve = kAngleScreenCopied,
};

} // namespace quorvex
