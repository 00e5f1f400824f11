#pragma once

// The application's screens and its lifetime: one slot per screen, empty until the screen is
// first shown and then holding its single instance until the process ends. Showing loads an
// unloaded screen afresh; unloading destroys its window; when the last loaded screen is unloaded,
// by whichever path, the application's event loop ends.

#include "screen.h"

#include <array>
#include <cstddef>
#include <memory>

namespace quorvex {

// The eight screens, in the order of the application's screen table; the first is shown at
// start-up.
enum class ScreenId : int
{
    frmQV,
    frmRealPower,
    frmApparentPower,
    frmReactivePower,
    frm1PRealPower,
    frm1PApparentPower,
    frm1PReactivePower,
    frmAbout,
};
inline constexpr std::size_t kScreenCount = 8;

enum class ScreenState
{
    Absent,
    Loaded,
    Unloaded
};

class ScreenRegistry
{
public:
    ScreenRegistry();
    ~ScreenRegistry();
    ScreenRegistry(const ScreenRegistry&) = delete;
    ScreenRegistry& operator=(const ScreenRegistry&) = delete;

    // Creates the screen's instance if its slot is empty, then shows it (Screen::show).
    void show(ScreenId id);
    void unload(ScreenId id);

    ScreenState state(ScreenId id) const;
    // The instance in the slot, or null while the screen is absent.
    Screen* instance(ScreenId id) const;
    int loadedCount() const;

    // Called by a screen once it has unloaded; ends the event loop when none is left loaded.
    void screenUnloaded();

private:
    std::array<std::unique_ptr<Screen>, kScreenCount> slots_;
};

} // namespace quorvex
