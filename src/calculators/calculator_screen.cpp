#include "calculator_screen.h"

#include "../shell/qt_values.h"
#include "../shell/screen_registry.h"
#include "numbers.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>

namespace quorvex {

CalculatorScreen::CalculatorScreen(ScreenRegistry& registry, const ScreenDescription& description,
                                   const CalculatorFamily& family)
    : Screen(registry, description), family_(family)
{
}

void CalculatorScreen::announceResults()
{
    QStringList parts;
    for (const ControlName& label : family_.heardAfterSolve) {
        const auto& controls = description().controls;
        const auto row = std::ranges::find(controls, label, &ControlDescription::name);
        const QString value = caption(label);
        if (row == controls.end() || !row->spokenResult || value.isEmpty()) {
            continue;
        }
        const spoken::Result& result = *row->spokenResult;
        QString part = qtText(result.meaning) + u' ' + value;
        // "Overflow" is not a number of kW.
        if (!result.unit.empty() && value != qtText(kOverflowText)) {
            part += u' ' + qtText(result.unit);
        }
        parts << part;
    }
    QString summary = parts.join(QStringLiteral(", "));
    if (!summary.isEmpty()) {
        summary[0] = summary[0].toUpper();
    }
    describe(kSolveButton, summary);
}

void CalculatorScreen::Command2_Click()
{
    for (const ControlName& name : family_.clearedByNewValues) {
        clear(name);
    }
    describe(kSolveButton, QString());
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
