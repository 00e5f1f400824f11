#pragma once

// The application's screens and its lifetime: one slot per screen, empty until the screen is
// first shown and then holding its single instance until the process ends. Showing loads an
// unloaded screen afresh; unloading destroys its window; when the last loaded screen is unloaded,
// by whichever path, the application ends (the presenter is told). Screens are known by their
// descriptions (ScreenId), so the registry needs no list of them. The presenter makes each loaded
// screen's view: the desktop's widgets or the browser's page.

#include "screen.h"
#include "screen_view.h"

#include <memory>
#include <vector>

namespace quorvex {

enum class ScreenState
{
    Absent,
    Loaded,
    Unloaded
};

class ScreenRegistry
{
public:
    explicit ScreenRegistry(std::unique_ptr<ScreenPresenter> presenter);
    ~ScreenRegistry();
    ScreenRegistry(const ScreenRegistry&) = delete;
    ScreenRegistry& operator=(const ScreenRegistry&) = delete;

    // Creates the screen's instance if its slot is empty, then shows it (Screen::show).
    void show(ScreenId id);
    void unload(ScreenId id);
    // Unloads every loaded screen.
    void unloadAll();
    ScreenState state(ScreenId id) const;
    // The instance in the slot, or null while the screen is absent.
    Screen* instance(ScreenId id) const;
    int loadedCount() const;

    ScreenPresenter& presenter() const { return *presenter_; }
    // Called by a screen once it has unloaded; ends the application when none is left loaded.
    void screenUnloaded();

private:
    std::unique_ptr<ScreenPresenter> presenter_;
    std::vector<std::unique_ptr<Screen>> slots_; // in the order the screens were first shown
};

} // namespace quorvex
