// The calculator screens through their real widgets: "Solve" on typed values, "New Values" and
// the results a user reads.

#include "screen_test_support.h"

#include <QClipboard>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// Which screen, and the button on the menu that opens it.
struct Calculator
{
    ScreenId id;
    const char* menuButton;
};

constexpr Calculator threePhaseApparent{ScreenId::frmApparentPower, "Command2"};

} // namespace

class TestCalculators : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void solveShowsTheApparentPower_data();
    void solveShowsTheApparentPower();
    void solveTwiceGivesTheSameCaption();
    void editingAfterSolveKeepsTheOldResult();
    void newValuesEmptiesTheScreenAndKeepsTheFocus();
    void hugePasteIsKeptWholeAndSolved();
    void overflowLeavesTheScreenUsable();

private:
    void open(const Calculator& calculator);
    ScreenRegistry registry_;
};

void TestCalculators::initTestCase()
{
    configureApplication();
    registry_.show(ScreenId::frmQV);
}

void TestCalculators::cleanup()
{
    // Back to the menu alone, as at start-up.
    for (std::size_t i = 1; i < kScreenCount; ++i) {
        registry_.unload(static_cast<ScreenId>(i));
    }
    deleteUnloadedWindows();
    QCOMPARE(registry_.loadedCount(), 1);
}

void TestCalculators::open(const Calculator& calculator)
{
    clickButton(registry_, ScreenId::frmQV, calculator.menuButton);
    QVERIFY(windowOf(registry_, calculator.id));
}

void TestCalculators::solveShowsTheApparentPower_data()
{
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("shown");

    QTest::newRow("400 V 10 A") << "400"
                                << "10"
                                << "6.928";
    QTest::newRow("415 V 20 A") << "415"
                                << "20"
                                << "14.376";
    QTest::newRow("230 V 5 A") << "230"
                               << "5"
                               << "1.992";
    QTest::newRow("no trailing zeros") << "11000"
                                       << "100"
                                       << "1905.2";
    QTest::newRow("factor is 1.732, not the root of 3") << "1000"
                                                        << "1000"
                                                        << "1732";
    QTest::newRow("rounds up to a thousandth") << "1"
                                               << "1"
                                               << "0.002";
    QTest::newRow("rounds down to zero") << "1"
                                         << "0.1"
                                         << "0";
    QTest::newRow("negative voltage") << "-400"
                                      << "10"
                                      << "-6.928";
    QTest::newRow("both negative") << "-400"
                                   << "-10"
                                   << "6.928";
    QTest::newRow("both boxes empty") << ""
                                      << ""
                                      << "0";
    QTest::newRow("junk voltage reads as zero") << "abc"
                                                << "10"
                                                << "0";
    QTest::newRow("units after the numbers") << "400V"
                                             << "10A"
                                             << "6.928";
    QTest::newRow("leading blanks and exponent") << "  4e2"
                                                 << "1E1"
                                                 << "6.928";
    QTest::newRow("tiny negative result shows as zero") << "-1"
                                                        << "0.1"
                                                        << "0";
    QTest::newRow("large result in exponent form") << "1e200"
                                                   << "1e10"
                                                   << "1.732E+207";
    QTest::newRow("product beyond the double range") << "1e200"
                                                     << "1e200"
                                                     << "Overflow";
    QTest::newRow("voltage beyond the double range") << "1e999"
                                                     << "10"
                                                     << "Overflow";
    QTest::newRow("overflowing voltage times zero") << "1e999"
                                                    << "0"
                                                    << "Overflow";
    QTest::newRow("underflowing voltage reads as zero") << "1e-999"
                                                        << "10"
                                                        << "0";
}

void TestCalculators::solveShowsTheApparentPower()
{
    QFETCH(QString, voltage);
    QFETCH(QString, current);
    QFETCH(QString, shown);
    open(threePhaseApparent);
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_a", voltage);
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_b", current);
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), shown);
    // Solve never touches the boxes.
    QCOMPARE(textOf(registry_, ScreenId::frmApparentPower, "Txt_a"), voltage);
    QCOMPARE(textOf(registry_, ScreenId::frmApparentPower, "Txt_b"), current);
}

void TestCalculators::solveTwiceGivesTheSameCaption()
{
    open(threePhaseApparent);
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_a", "415");
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_b", "20");
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    const QString first = captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x");
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), first);
    QCOMPARE(first, QStringLiteral("14.376"));
}

void TestCalculators::editingAfterSolveKeepsTheOldResult()
{
    open(threePhaseApparent);
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_a", "400");
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_b", "10");
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_a", "230");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), QStringLiteral("6.928"));
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), QStringLiteral("3.984"));
}

void TestCalculators::newValuesEmptiesTheScreenAndKeepsTheFocus()
{
    open(threePhaseApparent);
    QWidget* window = windowOf(registry_, ScreenId::frmApparentPower);
    QVERIFY(QTest::qWaitForWindowActive(window));
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_a", "400");
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_b", "10");
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");

    // Pressed from the keyboard, so that the focus is on the button as it runs.
    auto* newValues = controlOf<QPushButton>(registry_, ScreenId::frmApparentPower, "Command2");
    newValues->setFocus();
    QTest::keyClick(newValues, Qt::Key_Space);
    QCOMPARE(textOf(registry_, ScreenId::frmApparentPower, "Txt_a"), QString());
    QCOMPARE(textOf(registry_, ScreenId::frmApparentPower, "Txt_b"), QString());
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), QString());
    QCOMPARE(QApplication::focusWidget(), newValues);
    // The static captions stay.
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Label7"),
             QStringLiteral("Apparent Power , S ="));

    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), QStringLiteral("0"));
}

void TestCalculators::hugePasteIsKeptWholeAndSolved()
{
    open(threePhaseApparent);
    const QString voltage = QStringLiteral("400") + QString(99'997, 'x');
    QApplication::clipboard()->setText(voltage);
    auto* box = controlOf<QLineEdit>(registry_, ScreenId::frmApparentPower, "Txt_a");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text().size(), 100'000);
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_b", "10");
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), QStringLiteral("6.928"));
}

void TestCalculators::overflowLeavesTheScreenUsable()
{
    open(threePhaseApparent);
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_a", "1e308");
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_b", "10");
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), QStringLiteral("Overflow"));
    QCOMPARE(visibleTopLevelWindows(), 2); // no message box
    typeInto(registry_, ScreenId::frmApparentPower, "Txt_a", "400");
    clickButton(registry_, ScreenId::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, ScreenId::frmApparentPower, "Lbl_x"), QStringLiteral("6.928"));
}

QTEST_MAIN(TestCalculators)

#include "test_calculators.moc"
