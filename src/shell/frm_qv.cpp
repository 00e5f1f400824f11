#include "frm_qv.h"

#include "screen_registry.h"
#include "spoken_names.h"

#include <array>

namespace quorvex {
namespace {

using namespace fonts;

// The group headings. A screen reader hears each power button with its group, since the two
// groups have the same three captions.
constexpr std::string_view kThreePhaseGroup = "For 3 Phase Circuits";
constexpr std::string_view kOnePhaseGroup = "For 1 Phase Circuits";

// One row per control, in creation order.
constexpr std::array controls{
    picture("Picture2", {3840, 2880, 2685, 1575}, 11, Artwork::LargeBanner).named(spoken::banner),
    button("Command9", {7740, 120, 1215, 435}, 10, "About", onClick<&FrmQV::Command9_Click>),
    picture("Picture1", {9180, 120, 1575, 435}, 9, Artwork::SmallImage).named(spoken::logo),
    button("Command8", {8640, 1800, 1215, 495}, 8, "Reactive Power",
           onClick<&FrmQV::Command8_Click>)
        .described(kOnePhaseGroup),
    button("Command7", {7140, 1800, 1215, 495}, 7, "Apparent Power",
           onClick<&FrmQV::Command7_Click>)
        .described(kOnePhaseGroup),
    button("Command6", {5580, 1800, 1215, 495}, 6, "Real Power", onClick<&FrmQV::Command6_Click>)
        .described(kOnePhaseGroup),
    button("Command1", {360, 1800, 1215, 495}, 0, "Real Power", onClick<&FrmQV::Command1_Click>)
        .described(kThreePhaseGroup),
    button("Command2", {1980, 1800, 1215, 495}, 1, "Apparent Power",
           onClick<&FrmQV::Command2_Click>)
        .described(kThreePhaseGroup),
    button("Command4", {9180, 5580, 1215, 495}, 12, "Close", onClick<&FrmQV::Command4_Click>)
        .withBackColour(colours::applicationWorkspace),
    button("Command3", {3540, 1800, 1215, 495}, 2, "Reactive Power",
           onClick<&FrmQV::Command3_Click>)
        .described(kThreePhaseGroup),
    label("Label2", {6360, 1020, 2595, 495}, 5, kOnePhaseGroup, msSansSerif(12, bold),
          Alignment::Centre),
    shape("Shape2", {5220, 840, 5055, 1755}),
    shape("Shape1", {60, 840, 5055, 1755}),
    label("Label1", {120, 300, 7635, 435}, 4, "Quorvex 1_0", msSansSerif(13.5, bold)),
    label("Label5", {1020, 1020, 2775, 495}, 3, kThreePhaseGroup, msSansSerif(12, bold)),
};

constexpr ScreenDescription screen{
    .name = "frmQV",
    .caption = "Quorvex",
    .client = {60, 345, 10875, 6600},
    .startUpPosition = StartUpPosition::CentreScreen,
    .border = WindowBorder::Sizable,
    .backColour = colours::activeBorder,
    .foreColour = colours::windowFrame,
    .controls = controls,
};

} // namespace

FrmQV::FrmQV(ScreenRegistry& registry) : Screen(registry, screen) {}

const ScreenDescription& FrmQV::screenDescription()
{
    return screen;
}

void FrmQV::Command1_Click()
{
    registry().show(ScreenId::frmRealPower);
}

void FrmQV::Command2_Click()
{
    registry().show(ScreenId::frmApparentPower);
}

void FrmQV::Command3_Click()
{
    registry().show(ScreenId::frmReactivePower);
}

void FrmQV::Command6_Click()
{
    registry().show(ScreenId::frm1PRealPower);
}

void FrmQV::Command7_Click()
{
    registry().show(ScreenId::frm1PApparentPower);
}

void FrmQV::Command8_Click()
{
    registry().show(ScreenId::frm1PReactivePower);
}

void FrmQV::Command9_Click()
{
    registry().show(ScreenId::frmAbout);
}

void FrmQV::Command4_Click()
{
    unload();
}

} // namespace quorvex
