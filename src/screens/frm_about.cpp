// The About screen: the product's title and banner, the notice of rights and the project's web
// address, and "Close".

#include "screen.h"
#include "screens.h"
#include "spoken_names.h"

#include <array>

namespace quorvex {
namespace {

using namespace fonts;

// "Close".
void closeAbout(Screen& about)
{
    about.unload();
}

constexpr std::array controls{
    button("Command1", {9060, 360, 1215, 495}, 1, "Close", closeAbout),
    picture("Picture1", {3960, 480, 2655, 1575}, 0, Artwork::LargeBanner).named(spoken::banner),
    label("Label4", {3120, 2640, 4395, 495}, "Quorvex 1_0", msSansSerif(13.5, bold)),
    label("Label3", {7080, 5220, 2895, 315}, "quorvex.example", verdana(9, bold)),
    label("Label2", {7080, 4680, 2235, 435}, "\u00A9 2026 Quorvex developers", verdana(9, bold)),
    label("Label1", {7080, 4200, 1035, 315}, "Copyright", ofScreen),
};

} // namespace

constexpr ScreenDescription descriptions::frmAbout{
    .name = "frmAbout",
    .caption = "About",
    .client = {60, 345, 10755, 6600},
    .controls = controls,
};

} // namespace quorvex
