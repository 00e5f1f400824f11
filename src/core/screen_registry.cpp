#include "screen_registry.h"

#include <algorithm>
#include <utility>

namespace quorvex {

ScreenRegistry::ScreenRegistry(std::unique_ptr<ScreenPresenter> presenter)
    : presenter_(std::move(presenter))
{
}

ScreenRegistry::~ScreenRegistry()
{
    // Views may still be told of their screens' ends while the presenter is here.
    slots_.clear();
}

void ScreenRegistry::show(ScreenId id)
{
    Screen* screen = instance(id);
    if (!screen) {
        screen = slots_.emplace_back(std::make_unique<Screen>(*this, *id)).get();
    }
    screen->show();
}

void ScreenRegistry::unload(ScreenId id)
{
    if (Screen* screen = instance(id)) {
        screen->unload();
    }
}

void ScreenRegistry::unloadAll()
{
    for (const auto& slot : slots_) {
        slot->unload();
    }
}

ScreenState ScreenRegistry::state(ScreenId id) const
{
    const Screen* screen = instance(id);
    if (!screen) {
        return ScreenState::Absent;
    }
    return screen->isLoaded() ? ScreenState::Loaded : ScreenState::Unloaded;
}

Screen* ScreenRegistry::instance(ScreenId id) const
{
    const auto found = std::find_if(slots_.begin(), slots_.end(),
                                    [id](const auto& slot) { return &slot->description() == id; });
    return found == slots_.end() ? nullptr : found->get();
}

int ScreenRegistry::loadedCount() const
{
    return static_cast<int>(std::count_if(slots_.begin(), slots_.end(),
                                          [](const auto& slot) { return slot->isLoaded(); }));
}

void ScreenRegistry::screenUnloaded()
{
    if (loadedCount() == 0) {
        presenter_->closed();
    }
}

void openScreen(Screen& from, ScreenId screen)
{
    from.registry().show(screen);
}

} // namespace quorvex
