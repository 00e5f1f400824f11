#include "screen_table.h"

#include "../calculators/frm_1p_apparent_power.h"
#include "../calculators/frm_1p_reactive_power.h"
#include "../calculators/frm_1p_real_power.h"
#include "../calculators/frm_apparent_power.h"
#include "../calculators/frm_reactive_power.h"
#include "../calculators/frm_real_power.h"
#include "frm_about.h"
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

constexpr std::array<ScreenDefinition, kScreenCount> table{
    definition<FrmQV>(ScreenId::frmQV),
    definition<FrmRealPower>(ScreenId::frmRealPower),
    definition<FrmApparentPower>(ScreenId::frmApparentPower),
    definition<FrmReactivePower>(ScreenId::frmReactivePower),
    definition<Frm1PRealPower>(ScreenId::frm1PRealPower),
    definition<Frm1PApparentPower>(ScreenId::frm1PApparentPower),
    definition<Frm1PReactivePower>(ScreenId::frm1PReactivePower),
    definition<FrmAbout>(ScreenId::frmAbout),
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
