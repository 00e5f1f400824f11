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

const ControlDescription* rowOf(const Screen& screen, const ControlName& name)
{
    const auto& controls = screen.description().controls;
    const auto row = std::ranges::find(controls, name, &ControlDescription::name);
    return row == controls.end() ? nullptr : &*row;
}

// "real power P 6 kW": the value with the words that name it; "Overflow" is not a number of kW.
QString namedValue(const ValueWords& words, const QString& value)
{
    QString text = qtText(words.meaning) + u' ' + value;
    if (!words.unit.empty() && value != qtText(kOverflowText)) {
        text += u' ' + qtText(words.unit);
    }
    return text;
}

QString capitalised(QString text)
{
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

} // namespace

void newValues(Screen& screen)
{
    for (const ControlName& name : screen.description().clearedByNewValues) {
        screen.clear(name);
    }
    screen.describe(kSolveButton, QString());
    screen.setCopyText(QString());
}

void backToMenu(Screen& screen)
{
    screen.registry().show(screens::frmQV);
    screen.unload();
}

void announceResults(Screen& screen)
{
    QStringList parts;
    for (const ControlName& label : screen.description().heardAfterSolve) {
        const ControlDescription* row = rowOf(screen, label);
        const QString value = screen.caption(label);
        if (row && row->words && !value.isEmpty()) {
            parts << namedValue(*row->words, value);
        }
    }
    screen.describe(kSolveButton, capitalised(parts.join(QStringLiteral(", "))));
}

void offerCalculation(Screen& screen)
{
    QStringList lines{screen.caption(kTitleLabel)};
    for (const ControlName& name : screen.description().copiedAfterSolve) {
        const ControlDescription* row = rowOf(screen, name);
        if (!row || !row->words) {
            continue;
        }
        const QString value = row->kind == ControlKind::TextBox
                                  ? QString::fromStdString(numberText(valueOf(screen, name)))
                                  : screen.caption(name);
        if (!value.isEmpty()) {
            lines << capitalised(namedValue(*row->words, value));
        }
    }
    screen.setCopyText(lines.join(u'\n'));
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
