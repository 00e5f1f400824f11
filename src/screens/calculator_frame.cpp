#include "calculator_frame.h"

#include "numbers.h"
#include "qt_values.h"
#include "screen_registry.h"

#include <QStringList>
#include <QStringView>

#include <algorithm>

namespace quorvex {
namespace {

// Writes `value` unrounded into a result label.
void showNumber(Screen& screen, const ControlName& label, double value)
{
    screen.setCaption(label, QString::fromStdString(numberText(value)));
}

} // namespace

void newValues(Screen& screen)
{
    for (const ControlName& name : screen.description().clearedByNewValues) {
        screen.clear(name);
    }
    screen.describe(kSolveButton, QString());
}

void backToMenu(Screen& screen)
{
    screen.registry().show(screens::frmQV);
    screen.unload();
}

void announceResults(Screen& screen)
{
    const auto& controls = screen.description().controls;
    QStringList parts;
    for (const ControlName& label : screen.description().heardAfterSolve) {
        const auto row = std::ranges::find(controls, label, &ControlDescription::name);
        const QString value = screen.caption(label);
        if (row == controls.end() || !row->spokenResult || value.isEmpty()) {
            continue;
        }
        const SpokenResult& result = *row->spokenResult;
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
    screen.describe(kSolveButton, summary);
}

double valueOf(const Screen& screen, const ControlName& textBox)
{
    const QString content = screen.text(textBox);
    return Val(std::u16string_view(QStringView(content).utf16(),
                                   static_cast<std::size_t>(content.size())));
}

AngleScreenInputs readAngleScreenInputs(const Screen& screen)
{
    const double voltage = valueOf(screen, "Txt_a");
    const double current = valueOf(screen, "Txt_b");
    const double degrees = valueOf(screen, kAngleBox);
    return {voltage, current, degrees};
}

void showFactorAndAngle(Screen& screen, double factor)
{
    showRounded(screen, "Lbl_m", factor, 4);
    showNumber(screen, "Lbl_Pi", valueOf(screen, kAngleBox));
}

void showRounded(Screen& screen, const ControlName& label, double value, int decimals)
{
    showNumber(screen, label, Round(value, decimals));
}

} // namespace quorvex
