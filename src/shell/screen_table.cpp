#include "screen_table.h"

#include "../calculators/frm_apparent_power.h"
#include "frm_qv.h"

#include <array>

namespace quorvex {
namespace {

template <typename ScreenClass> std::unique_ptr<Screen> create(ScreenRegistry& registry)
{
    return std::make_unique<ScreenClass>(registry);
}

template <typename ScreenClass> constexpr ScreenDefinition definition(ScreenId id)
{
    return {id, &ScreenClass::screenDescription, &create<ScreenClass>};
}

// Screens still to be built have neither description nor instance yet.
constexpr ScreenDefinition notYetBuilt(ScreenId id)
{
    return {id, nullptr, nullptr};
}

constexpr std::array<ScreenDefinition, kScreenCount> table{
    definition<FrmQV>(ScreenId::frmQV),
    notYetBuilt(ScreenId::frmRealPower),
    definition<FrmApparentPower>(ScreenId::frmApparentPower),
    notYetBuilt(ScreenId::frmReactivePower),
    notYetBuilt(ScreenId::frm1PRealPower),
    notYetBuilt(ScreenId::frm1PApparentPower),
    notYetBuilt(ScreenId::frm1PReactivePower),
    notYetBuilt(ScreenId::frmAbout),
};

} // namespace

const ScreenDefinition& screenDefinition(ScreenId id)
{
    return table[static_cast<std::size_t>(id)];
}

std::span<const ScreenDefinition> screenTable()
{
    return table;
}

} // namespace quorvex
