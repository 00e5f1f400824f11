#pragma once

// The About screen: the product's title and banner, the notice of rights and the project's web
// address, and "Close".

#include "screen.h"

namespace quorvex {

class FrmAbout final : public Screen
{
public:
    explicit FrmAbout(ScreenRegistry& registry);
    static const ScreenDescription& screenDescription();

    void Command1_Click(); // "Close"
};

} // namespace quorvex
