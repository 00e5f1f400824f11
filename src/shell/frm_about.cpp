#include "frm_about.h"

#include "spoken_names.h"

#include <array>

namespace quorvex {
namespace {

using namespace fonts;

constexpr std::array controls{
    button("Command1", {9060, 360, 1215, 495}, 1, "Close", onClick<&FrmAbout::Command1_Click>),
    picture("Picture1", {3960, 480, 2655, 1575}, 0, Artwork::LargeBanner).named(spoken::banner),
    label("Label4", {3120, 2640, 4395, 495}, 5, "Quorvex 1_0", msSansSerif(13.5, bold)),
    label("Label3", {7080, 5220, 2895, 315}, 4, "quorvex.example", verdana(9, bold)),
    label("Label2", {7080, 4680, 2235, 435}, 3, "\u00A9 2026 Quorvex developers", verdana(9, bold)),
    label("Label1", {7080, 4200, 1035, 315}, 2, "Copyright", ofScreen),
};

constexpr ScreenDescription screen{
    .name = "frmAbout",
    .caption = "About",
    .client = {60, 345, 10755, 6600},
    .startUpPosition = StartUpPosition::CentreOwner,
    .controls = controls,
};

} // namespace

FrmAbout::FrmAbout(ScreenRegistry& registry) : Screen(registry, screen) {}

const ScreenDescription& FrmAbout::screenDescription()
{
    return screen;
}

void FrmAbout::Command1_Click()
{
    unload();
}

} // namespace quorvex
