// Fuzzes "Solve" on the six calculator screens through the code the screens run: the real
// windows, offscreen, with the fuzzed texts in their boxes. The first byte picks the screen; the
// rest, split at zero bytes, is the voltage, current and angle text.
//
// Every result must be either a number text of at most 25 characters or "Overflow", and
// "Overflow" exactly when its formula, step by step, leaves the double range. The expected
// captions come from the formulas written out here once more, step by step.

#include "application.h"
#include "numbers.h"
#include "screens.h"
#include "trigonometry.h"
#include "widget_view.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

using namespace quorvex;

namespace {

struct Harness
{
    std::unique_ptr<QApplication> application;
    std::unique_ptr<WidgetRegistry> registry;
};

// The application and its screens live until the process ends: libFuzzer leaves through exit(),
// when Qt's own globals are already gone, so they are never destroyed.
Harness& harness()
{
    static Harness* const instance = new Harness;
    return *instance;
}

constexpr std::array kCalculators{screens::frmRealPower,       screens::frmApparentPower,
                                  screens::frmReactivePower,   screens::frm1PRealPower,
                                  screens::frm1PApparentPower, screens::frm1PReactivePower};

// A chain of double operations that remembers whether any step left the double range.
struct Checked
{
    double value;
    bool overflow;
};

Checked start(double value)
{
    return {value, !std::isfinite(value)};
}

Checked step(Checked chain, double result)
{
    return {result, chain.overflow || !std::isfinite(result)};
}

QString expectedCaption(Checked result, int decimals)
{
    if (result.overflow) {
        return QString::fromLatin1(kOverflowText.data(), kOverflowText.size());
    }
    return QString::fromStdString(numberText(Round(result.value, decimals)));
}

QString captionOf(const Screen& screen, const char* label)
{
    return qobject_cast<QLabel*>(widgetOf(screen, label))->text();
}

void expect(const QString& shown, const QString& expected, const char* what)
{
    if (shown != expected) {
        std::fprintf(stderr, "%s: shown \"%s\", expected \"%s\"\n", what, qPrintable(shown),
                     qPrintable(expected));
        std::abort();
    }
    if (shown != QLatin1String("Overflow") &&
        (shown.size() > 25 ||
         !std::isfinite(Val(std::u16string_view(reinterpret_cast<const char16_t*>(shown.utf16()),
                                                static_cast<std::size_t>(shown.size())))))) {
        std::abort();
    }
}

double read(const QString& text)
{
    return Val(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size())));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Harness& h = harness();
    h.application = std::make_unique<QApplication>(*argc, *argv);
    configureApplication();
    h.registry = std::make_unique<WidgetRegistry>();
    for (const ScreenId id : kCalculators) {
        h.registry->show(id);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    const ScreenId id = kCalculators[data[0] % kCalculators.size()];
    std::array<QString, 3> texts;
    std::size_t field = 0;
    std::size_t begin = 1;
    for (std::size_t i = 1; i <= size && field < texts.size(); ++i) {
        if (i == size || data[i] == 0) {
            texts[field++] = QString::fromUtf8(reinterpret_cast<const char*>(data + begin),
                                               static_cast<qsizetype>(i - begin));
            begin = i + 1;
        }
    }

    Screen& screen = *harness().registry->instance(id);
    qobject_cast<QLineEdit*>(widgetOf(screen, "Txt_a"))->setText(texts[0]);
    qobject_cast<QLineEdit*>(widgetOf(screen, "Txt_b"))->setText(texts[1]);
    auto* angleBox = qobject_cast<QLineEdit*>(widgetOf(screen, element("Txt_c", 1)));
    if (angleBox) {
        angleBox->setText(texts[2]);
    }
    qobject_cast<QPushButton*>(widgetOf(screen, "Command1"))->click();

    const Checked v = start(read(texts[0]));
    const Checked i = start(read(texts[1]));
    const Checked product = step({0, v.overflow || i.overflow}, v.value * i.value);
    const bool threePhase = id == screens::frmRealPower || id == screens::frmApparentPower ||
                            id == screens::frmReactivePower;
    if (!angleBox) {
        const Checked watts =
            threePhase ? step(product, product.value * kThreePhaseFactor) : product;
        expect(captionOf(screen, "Lbl_x"), expectedCaption(step(watts, watts.value / 1000), 3),
               "apparent power");
        return 0;
    }

    const Checked angle = start(read(texts[2]));
    const Checked turned = step(angle, angle.value * kPiAsUsed);
    const Checked radiansValue = step(turned, turned.value / 180);
    const bool sine = id == screens::frmReactivePower || id == screens::frm1PReactivePower;
    const Checked factor =
        step(radiansValue, sine ? Sin(radiansValue.value) : Cos(radiansValue.value));
    expect(captionOf(screen, "Lbl_m"), expectedCaption(factor, 4), "factor");
    expect(captionOf(screen, "Lbl_Pi"),
           angle.overflow ? QStringLiteral("Overflow")
                          : QString::fromStdString(numberText(angle.value)),
           "angle");

    const Checked power =
        step({0, product.overflow || factor.overflow}, product.value * factor.value);
    const Checked scaledPower = threePhase ? step(power, kThreePhaseFactor * power.value) : power;
    expect(captionOf(screen, "Lbl_x"),
           expectedCaption(step(scaledPower, scaledPower.value / 1000), 3), "power");
    const Checked apparent =
        threePhase ? step(product, kThreePhaseFactor * product.value) : product;
    expect(captionOf(screen, "Lbl_s"), expectedCaption(step(apparent, apparent.value / 1000), 3),
           "apparent power");
    return 0;
}
