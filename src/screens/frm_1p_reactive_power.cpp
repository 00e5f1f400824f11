// The single-phase reactive power calculator: sin A, the angle as read,
// Q = V x I x sin A / 1000 in kVAr and S = V x I / 1000 in kVA.

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
    const double f = Sin(radians(degrees));
    showFactorAndAngle(screen, f);
    showRounded(screen, "Lbl_x", ((v * i) * f) / kKiloDivisor, 3);
    showRounded(screen, "Lbl_s", (v * i) / kKiloDivisor, 3);
}

constexpr std::array controls{
    picture("Picture1", {8580, 60, 2235, 1575}, 25, Artwork::CalculatorBanner)
        .named(spoken::banner),
    textBox(kAngleBox, {2100, 1680, 1455, 495}, 2, msSansSerif(12), colours::infoBackground)
        .named(spoken::angle),
    button("Command3", {8580, 4620, 1575, 495}, 10, "Back to Main Page", backToMenu),
    button("Command2", {8580, 3780, 1575, 495}, 4, "New Values", newValues),
    button("Command1", {8580, 2940, 1575, 495}, 3, "Solve", calculator<solve>),
    textBox("Txt_b", {6480, 960, 1335, 495}, 1, msSansSerif(12), colours::infoBackground)
        .named(spoken::current),
    textBox("Txt_a", {2100, 900, 1455, 495}, 0, msSansSerif(12), colours::infoBackground)
        .named(spoken::voltage),
    label(element("Label5", 1), {180, 1740, 1935, 495}, "Sin Angle ", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label6", {3660, 1800, 1215, 495}, "Degrees", msSansSerif(8.25, bold)),
    label("Lbl_m", {7800, 1680, 1215, 495}, "", msSansSerif(9.75))
        .withBackColour(colours::infoBackground)
        .described(spoken::sine),
    label("Label8", {5340, 1680, 1215, 495}, "Sin", msSansSerif(9.75, bold), Alignment::Centre),
    label("Label4", {360, 4740, 4995, 315}, " Reactive  Power , Q =   V * I  *  Sin  Pi",
          msSansSerif(9.75, bold), Alignment::Centre)
        .withBackColour(colours::formulaPink)
        .withForeColour(colours::windowText)
        .withSingleBorder(),
    label("Label3", {4440, 2880, 675, 495}, "kVAr", msSansSerif(9.75, bold)),
    label("Label2", {7860, 1080, 795, 495}, "Amps", msSansSerif(8.25, bold)),
    label("Label1", {3660, 1080, 675, 375}, "Volts", msSansSerif(8.25, bold)),
    label("Label13", {7920, 5520, 2895, 315}, "Use Tab to enter Values", msSansSerif(8.25, bold),
          Alignment::Centre),
    label("Label10", {4920, 1080, 1515, 495}, "Current", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label9", {180, 1020, 1875, 495}, "Voltage", msSansSerif(9.75, bold), Alignment::Centre),
    label("Lbl_x", {3360, 2880, 975, 495}, "", msSansSerif(12, bold), Alignment::Centre)
        .described(spoken::reactivePower),
    label("Lbl_1", {240, 180, 8835, 495}, "Reactive Power in 1  Phase Circuits",
          timesNewRoman(15.75), Alignment::Centre),
    label(element("Label7", 0), {420, 2880, 2835, 495},
          "Reactive Power ,  Q =", timesNewRoman(14.25, bold), Alignment::Right),
    shape("Shape1", {240, 2640, 7635, 3675}),
    label("Label12", {4500, 3660, 735, 495}, "kVA", msSansSerif(8.25, bold)),
    label(element("Label7", 1), {360, 3660, 2835, 495},
          "Apparent  Power ,  S =", timesNewRoman(14.25, bold), Alignment::Right),
    label("Lbl_s", {3240, 3660, 1215, 495}, "", ofScreen, Alignment::Centre)
        .described(spoken::apparentPower),
    label("Lbl_Pi", {6600, 1680, 735, 495}, "", ofScreen)
        .withBackColour(colours::infoBackground)
        .described(spoken::angleAsRead),
    label("Label11", {7380, 1680, 375, 495}, "=", msSansSerif(12, bold)),
};

} // namespace

constexpr ScreenDescription descriptions::frm1PReactivePower{
    .name = "frm1PReactivePower",
    .caption = "Reactive Power -  1ph",
    .client = {60, 345, 10875, 6600},
    .controls = controls,
    .clearedByNewValues = kAngleScreenValues,
    .heardAfterSolve = kAngleScreenResults,
    .copiedAfterSolve = kAngleScreenCopied,
};

} // namespace quorvex
