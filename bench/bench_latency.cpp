// In-process latencies, offscreen: opening a calculator from the menu, "Solve", and the number
// conventions per call; and "Solve" with ten million characters in every box. A benchmark, run
// by hand (bench/README.md), never as a test.

#include "application.h"
#include "numbers.h"
#include "screens.h"
#include "widget_view.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace quorvex;

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

void report(const char* what, std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    qInfo("%-46s median %9.1f us   min %9.1f us   max %9.1f us   (%zu runs)", what,
          samples[samples.size() / 2], samples.front(), samples.back(), samples.size());
}

QPushButton* button(const ScreenRegistry& registry, ScreenId id, const char* name)
{
    return qobject_cast<QPushButton*>(widgetOf(*registry.instance(id), name));
}

void fill(const ScreenRegistry& registry, ScreenId id, const QString& voltage,
          const QString& current, const QString& angle)
{
    const Screen& screen = *registry.instance(id);
    qobject_cast<QLineEdit*>(widgetOf(screen, "Txt_a"))->setText(voltage);
    qobject_cast<QLineEdit*>(widgetOf(screen, "Txt_b"))->setText(current);
    if (auto* box = qobject_cast<QLineEdit*>(widgetOf(screen, element("Txt_c", 1)))) {
        box->setText(angle);
    }
}

} // namespace

class BenchLatency : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void openingACalculatorFromTheMenu();
    void solveToTheLastLabel();
    void solveWithTenMillionCharacters();
    void readingANumber();
    void roundingAndText();

private:
    WidgetRegistry registry_;
};

void BenchLatency::initTestCase()
{
    configureApplication();
    registry_.show(screens::frmQV);
    QVERIFY(QTest::qWaitForWindowExposed(windowOf(*registry_.instance(screens::frmQV))));
}

void BenchLatency::openingACalculatorFromTheMenu()
{
    // From the click on the menu's button to the calculator's window shown and painted.
    std::vector<double> samples;
    for (int run = 0; run < 200; ++run) {
        const Clock::time_point start = Clock::now();
        button(registry_, screens::frmQV, "Command1")->click();
        QWidget* window = windowOf(*registry_.instance(screens::frmRealPower));
        window->repaint();
        samples.push_back(microseconds(Clock::now() - start));
        registry_.unload(screens::frmRealPower);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    report("open three-phase real power from the menu", samples);
}

void BenchLatency::solveToTheLastLabel()
{
    registry_.show(screens::frmRealPower);
    fill(registry_, screens::frmRealPower, "400", "10", "30");
    std::vector<double> samples;
    for (int run = 0; run < 2000; ++run) {
        const Clock::time_point start = Clock::now();
        button(registry_, screens::frmRealPower, "Command1")->click();
        samples.push_back(microseconds(Clock::now() - start));
    }
    report("Solve, click to the last label written", samples);
    registry_.unload(screens::frmRealPower);
}

void BenchLatency::solveWithTenMillionCharacters()
{
    registry_.show(screens::frmRealPower);
    const QString huge = QStringLiteral("400") + QString(10'000'000 - 3, '0');
    fill(registry_, screens::frmRealPower, huge, huge, huge);
    std::vector<double> samples;
    for (int run = 0; run < 5; ++run) {
        const Clock::time_point start = Clock::now();
        button(registry_, screens::frmRealPower, "Command1")->click();
        samples.push_back(microseconds(Clock::now() - start));
    }
    const auto* power =
        qobject_cast<QLabel*>(widgetOf(*registry_.instance(screens::frmRealPower), "Lbl_x"));
    QCOMPARE(power->text(), QStringLiteral("Overflow"));
    report("Solve with 10,000,000 characters in every box", samples);
    registry_.unload(screens::frmRealPower);
}

void BenchLatency::readingANumber()
{
    const std::u16string text = u"  -12345.678e-2V";
    double sum = 0;
    QBENCHMARK
    {
        sum += Val(text);
    }
    QVERIFY(sum != 0);
}

void BenchLatency::roundingAndText()
{
    double value = 5.99982;
    std::size_t length = 0;
    QBENCHMARK
    {
        length += numberText(Round(value, 3)).size();
        value += 1e-9;
    }
    QVERIFY(length != 0);
}

QTEST_MAIN(BenchLatency)

#include "bench_latency.moc"
