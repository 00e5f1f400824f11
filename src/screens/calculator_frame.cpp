#include "calculator_frame.h"

#include "numbers.h"
#include "screen_registry.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorvex {
namespace {

// Writes `value` unrounded into a result label.
void showNumber(Screen& screen, const ControlName& label, double value)
{
    screen.setCaption(label, numberText(value));
}

const ControlDescription* rowOf(const Screen& screen, const ControlName& name)
{
    const auto& controls = screen.description().controls;
    const auto row =
        std::find_if(controls.begin(), controls.end(),
                     [&](const ControlDescription& control) { return control.name == name; });
    return row == controls.end() ? nullptr : &*row;
}

// "real power P 6 kW": the value with the words that name it; "Overflow" is not a number of kW.
std::string namedValue(const ValueWords& words, const std::string& value)
{
    std::string text = std::string(words.meaning) + ' ' + value;
    if (!words.unit.empty() && value != kOverflowText) {
        text += ' ';
        text += words.unit;
    }
    return text;
}

// The words are plain ASCII.
std::string capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    }
    return text;
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) {
            text += separator;
        }
        text += part;
    }
    return text;
}

} // namespace

void newValues(Screen& screen)
{
    for (const ControlName& name : screen.description().clearedByNewValues) {
        screen.clear(name);
    }
    screen.describe(kSolveButton, {});
    screen.setCopyText({});
}

void backToMenu(Screen& screen)
{
    screen.registry().show(screens::frmQV);
    screen.unload();
}

void announceResults(Screen& screen)
{
    std::vector<std::string> parts;
    for (const ControlName& label : screen.description().heardAfterSolve) {
        const ControlDescription* row = rowOf(screen, label);
        const std::string& value = screen.caption(label);
        if (row && row->words && !value.empty()) {
            parts.push_back(namedValue(*row->words, value));
        }
    }
    screen.describe(kSolveButton, capitalised(joined(parts, ", ")));
}

void offerCalculation(Screen& screen)
{
    std::vector<std::string> lines{screen.caption(kTitleLabel)};
    for (const ControlName& name : screen.description().copiedAfterSolve) {
        const ControlDescription* row = rowOf(screen, name);
        if (!row || !row->words) {
            continue;
        }
        const std::string value = row->kind == ControlKind::TextBox
                                      ? numberText(valueOf(screen, name))
                                      : screen.caption(name);
        if (!value.empty()) {
            lines.push_back(capitalised(namedValue(*row->words, value)));
        }
    }
    screen.setCopyText(joined(lines, "\n"));
}

double valueOf(const Screen& screen, const ControlName& textBox)
{
    return Val(std::string_view(screen.text(textBox)));
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
