#pragma once

// The application's screen table: for each screen of the registry, its description and how to
// create its instance.

#include "screen_registry.h"

#include <memory>

namespace quorvex {

struct ScreenDefinition
{
    ScreenId id;
    const ScreenDescription& (*description)();
    std::unique_ptr<Screen> (*create)(ScreenRegistry&);
};

const ScreenDefinition& screenDefinition(ScreenId id);
std::span<const ScreenDefinition> screenTable();

} // namespace quorvex
