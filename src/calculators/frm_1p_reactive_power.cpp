#include "frm_1p_reactive_power.h"

#include "numbers.h"
#include "spoken_names.h"

#include <array>
#include <cmath>

namespace quorvex {
namespace {

using namespace fonts;
using Frame = CalculatorScreen;

constexpr std::array controls{
    picture("Picture1", {8580, 60, 2235, 1575}, 25, Artwork::CalculatorBanner)
        .named(spoken::banner),
    textBox(kAngleBox, {2100, 1680, 1455, 495}, 2, msSansSerif(12), colours::infoBackground)
        .named(spoken::angle),
    button("Command3", {8580, 4620, 1575, 495}, 10, "Back to Main Page",
           onClick<&Frame::Command3_Click>),
    button("Command2", {8580, 3780, 1575, 495}, 4, "New Values", onClick<&Frame::Command2_Click>),
    button("Command1", {8580, 2940, 1575, 495}, 3, "Solve",
           onSolve<&Frm1PReactivePower::Command1_Click>),
    textBox("Txt_b", {6480, 960, 1335, 495}, 1, msSansSerif(12), colours::infoBackground)
        .named(spoken::current),
    textBox("Txt_a", {2100, 900, 1455, 495}, 0, msSansSerif(12), colours::infoBackground)
        .named(spoken::voltage),
    label(element("Label5", 1), {180, 1740, 1935, 495}, 24, "Sin Angle ", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label6", {3660, 1800, 1215, 495}, 23, "Degrees", msSansSerif(8.25, bold)),
    label("Lbl_m", {7800, 1680, 1215, 495}, 22, "", msSansSerif(9.75))
        .withBackColour(colours::infoBackground)
        .described(spoken::sine),
    label("Label8", {5340, 1680, 1215, 495}, 21, "Sin", msSansSerif(9.75, bold), Alignment::Centre),
    label("Label4", {360, 4740, 4995, 315}, 20, " Reactive  Power , Q =   V * I  *  Sin  Pi",
          msSansSerif(9.75, bold), Alignment::Centre)
        .withBackColour(colours::formulaPink)
        .withForeColour(colours::windowText)
        .withSingleBorder(),
    label("Label3", {4440, 2880, 675, 495}, 19, "kVAr", msSansSerif(9.75, bold)),
    label("Label2", {7860, 1080, 795, 495}, 18, "Amps", msSansSerif(8.25, bold)),
    label("Label1", {3660, 1080, 675, 375}, 17, "Volts", msSansSerif(8.25, bold)),
    label("Label13", {7920, 5520, 2895, 315}, 16, "Use Tab to enter Values",
          msSansSerif(8.25, bold), Alignment::Centre),
    label("Label10", {4920, 1080, 1515, 495}, 15, "Current", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Label9", {180, 1020, 1875, 495}, 14, "Voltage", msSansSerif(9.75, bold),
          Alignment::Centre),
    label("Lbl_x", {3360, 2880, 975, 495}, 13, "", msSansSerif(12, bold), Alignment::Centre)
        .described(spoken::reactivePower),
    label("Lbl_1", {240, 180, 8835, 495}, 12, "Reactive Power in 1  Phase Circuits",
          timesNewRoman(15.75), Alignment::Centre),
    label(element("Label7", 0), {420, 2880, 2835, 495}, 11,
          "Reactive Power ,  Q =", timesNewRoman(14.25, bold), Alignment::Right),
    shape("Shape1", {240, 2640, 7635, 3675}),
    label("Label12", {4500, 3660, 735, 495}, 9, "kVA", msSansSerif(8.25, bold)),
    label(element("Label7", 1), {360, 3660, 2835, 495}, 8,
          "Apparent  Power ,  S =", timesNewRoman(14.25, bold), Alignment::Right),
    label("Lbl_s", {3240, 3660, 1215, 495}, 7, "", ofScreen, Alignment::Centre)
        .described(spoken::apparentPower),
    label("Lbl_Pi", {6600, 1680, 735, 495}, 6, "", ofScreen)
        .withBackColour(colours::infoBackground)
        .described(spoken::angleAsRead),
    label("Label11", {7380, 1680, 375, 495}, 5, "=", msSansSerif(12, bold)),
};

constexpr ScreenDescription screen{
    .name = "frm1PReactivePower",
    .caption = "Reactive Power -  1ph",
    .client = {60, 345, 10875, 6600},
    .controls = controls,
};

} // namespace

Frm1PReactivePower::Frm1PReactivePower(ScreenRegistry& registry)
    : CalculatorScreen(registry, screen, kAngleScreen)
{
}

const ScreenDescription& Frm1PReactivePower::screenDescription()
{
    return screen;
}

void Frm1PReactivePower::Command1_Click()
{
    const auto [v, i, degrees] = readAngleScreenInputs();
    const double f = std::sin(radians(degrees));
    showFactorAndAngle(f);
    showRounded("Lbl_x", ((v * i) * f) / kKiloDivisor, 3);
    showRounded("Lbl_s", (v * i) / kKiloDivisor, 3);
}

} // namespace quorvex
