#include "calculator_screen.h"

#include "../shell/screen_registry.h"
#include "numbers.h"

#include <QStringView>

namespace quorvex {

CalculatorScreen::CalculatorScreen(ScreenRegistry& registry, const ScreenDescription& description,
                                   std::span<const ControlName> clearedByNewValues)
    : Screen(registry, description), clearedByNewValues_(clearedByNewValues)
{
}

void CalculatorScreen::Command2_Click()
{
    for (const ControlName& name : clearedByNewValues_) {
        clear(name);
    }
}

void CalculatorScreen::Command3_Click()
{
    registry().show(ScreenId::frmQV);
    unload();
}

double CalculatorScreen::valueOf(const ControlName& textBox) const
{
    const QString content = text(textBox);
    return Val(std::u16string_view(QStringView(content).utf16(),
                                   static_cast<std::size_t>(content.size())));
}

CalculatorScreen::AngleScreenInputs CalculatorScreen::readAngleScreenInputs() const
{
    const double voltage = valueOf("Txt_a");
    const double current = valueOf("Txt_b");
    const double degrees = valueOf(kAngleBox);
    return {voltage, current, degrees};
}

void CalculatorScreen::showFactorAndAngle(double factor)
{
    showRounded("Lbl_m", factor, 4);
    showNumber("Lbl_Pi", valueOf(kAngleBox));
}

void CalculatorScreen::showRounded(const ControlName& label, double value, int decimals)
{
    showNumber(label, Round(value, decimals));
}

void CalculatorScreen::showNumber(const ControlName& label, double value)
{
    setCaption(label, QString::fromStdString(numberText(value)));
}

} // namespace quorvex
