#include "screen_registry.h"

#include "screen_table.h"

#include <QCoreApplication>

#include <algorithm>

namespace quorvex {

ScreenRegistry::ScreenRegistry() = default;
ScreenRegistry::~ScreenRegistry() = default;

void ScreenRegistry::show(ScreenId id)
{
    auto& slot = slots_[static_cast<std::size_t>(id)];
    if (!slot) {
        slot = screenDefinition(id).create(*this);
    }
    slot->show();
}

void ScreenRegistry::unload(ScreenId id)
{
    if (Screen* screen = instance(id)) {
        screen->unload();
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
    return slots_[static_cast<std::size_t>(id)].get();
}

int ScreenRegistry::loadedCount() const
{
    return static_cast<int>(
        std::ranges::count_if(slots_, [](const auto& slot) { return slot && slot->isLoaded(); }));
}

void ScreenRegistry::screenUnloaded()
{
    if (loadedCount() == 0) {
        QCoreApplication::exit(0);
    }
}

} // namespace quorvex
