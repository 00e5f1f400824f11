// The main menu: the first screen shown, with the two groups of calculator buttons, "About" and
// "Close".

#include "screen.h"
#include "screens.h"
#include "spoken_names.h"

#include <array>

namespace quorvex {
namespace {

using namespace fonts;

// The group headings. A screen reader hears each power button with its group, since the two
// groups have the same three captions.
constexpr std::string_view kThreePhaseGroup = "For 3 Phase Circuits";
constexpr std::string_view kOnePhaseGroup = "For 1 Phase Circuits";

// "Close": unloads the menu; the program ends when no screen is left loaded.
void closeMenu(Screen& menu)
{
    menu.unload();
}

// One row per control, in creation order.
constexpr std::array controls{
    picture("Picture2", {3840, 2880, 2685, 1575}, 11, Artwork::LargeBanner).named(spoken::banner),
    button("Command9", {7740, 120, 1215, 435}, 10, "About", opens<screens::frmAbout>),
    picture("Picture1", {9180, 120, 1575, 435}, 9, Artwork::SmallImage).named(spoken::logo),
    button("Command8", {8640, 1800, 1215, 495}, 8, "Reactive Power",
           opens<screens::frm1PReactivePower>)
        .described(kOnePhaseGroup),
    button("Command7", {7140, 1800, 1215, 495}, 7, "Apparent Power",
           opens<screens::frm1PApparentPower>)
        .described(kOnePhaseGroup),
    button("Command6", {5580, 1800, 1215, 495}, 6, "Real Power", opens<screens::frm1PRealPower>)
        .described(kOnePhaseGroup),
    button("Command1", {360, 1800, 1215, 495}, 0, "Real Power", opens<screens::frmRealPower>)
        .described(kThreePhaseGroup),
    button("Command2", {1980, 1800, 1215, 495}, 1, "Apparent Power",
           opens<screens::frmApparentPower>)
        .described(kThreePhaseGroup),
    button("Command4", {9180, 5580, 1215, 495}, 12, "Close", closeMenu),
    button("Command3", {3540, 1800, 1215, 495}, 2, "Reactive Power",
           opens<screens::frmReactivePower>)
        .described(kThreePhaseGroup),
    label("Label2", {6360, 1020, 2595, 495}, kOnePhaseGroup, msSansSerif(12, bold),
          Alignment::Centre),
    shape("Shape2", {5220, 840, 5055, 1755}),
    shape("Shape1", {60, 840, 5055, 1755}),
    label("Label1", {120, 300, 7635, 435}, "Quorvex 1_0", msSansSerif(13.5, bold)),
    label("Label5", {1020, 1020, 2775, 495}, kThreePhaseGroup, msSansSerif(12, bold)),
};

} // namespace

constexpr ScreenDescription descriptions::frmQV{
    .name = "frmQV",
    .caption = "Quorvex",
    .client = {60, 345, 10875, 6600},
    .border = WindowBorder::Sizable,
    .backColour = colours::activeBorder,
    .controls = controls,
};

} // namespace quorvex
