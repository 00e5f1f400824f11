// The six calculator screens through their real widgets: "Solve" on typed values, "New Values",
// "Back to Main Page" and the results a user reads.

#include "screen_table.h"
#include "screen_test_support.h"

#include <QClipboard>

#include <random>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

const ControlName kAngle = element("Txt_c", 1);

constexpr ScreenId kCalculators[]{screens::frmRealPower,       screens::frmApparentPower,
                                  screens::frmReactivePower,   screens::frm1PRealPower,
                                  screens::frm1PApparentPower, screens::frm1PReactivePower};

bool isAngleScreen(ScreenId id)
{
    return id != screens::frmApparentPower && id != screens::frm1PApparentPower;
}

const char* nameOf(ScreenId id)
{
    return (*id).name.data();
}

} // namespace

class TestCalculators : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void solveShowsTheResults_data();
    void solveShowsTheResults();
    void calculator_data();
    void solveTwiceGivesTheSameCaptions_data() { calculator_data(); }
    void solveTwiceGivesTheSameCaptions();
    void editingAfterSolveKeepsTheOldResults_data() { calculator_data(); }
    void editingAfterSolveKeepsTheOldResults();
    void newValuesEmptiesTheScreenAndKeepsTheFocus_data() { calculator_data(); }
    void newValuesEmptiesTheScreenAndKeepsTheFocus();
    void reopeningAfterBackToMainPageShowsEmptyBoxes_data() { calculator_data(); }
    void reopeningAfterBackToMainPageShowsEmptyBoxes();
    void hugePasteIsKeptWholeAndSolved_data() { calculator_data(); }
    void hugePasteIsKeptWholeAndSolved();
    void overflowLeavesTheScreenUsable_data() { calculator_data(); }
    void overflowLeavesTheScreenUsable();
    void tabOrderAndFirstFocus_data();
    void tabOrderAndFirstFocus();
    void ctrlCCopiesTheSolvedCalculation_data();
    void ctrlCCopiesTheSolvedCalculation();
    void apparentPowerAgreesAcrossScreens();

private:
    void open(ScreenId id);
    void solve(ScreenId id, const QString& voltage, const QString& current, const QString& angle);
    ScreenRegistry registry_;
};

void TestCalculators::initTestCase()
{
    configureApplication();
    registry_.show(screens::frmQV);
}

void TestCalculators::cleanup()
{
    // Back to the menu alone, as at start-up.
    for (const ScreenId id : kCalculators) {
        registry_.unload(id);
    }
    deleteUnloadedWindows();
    QCOMPARE(registry_.loadedCount(), 1);
}

void TestCalculators::open(ScreenId id)
{
    if (registry_.state(screens::frmQV) != ScreenState::Loaded) {
        registry_.show(screens::frmQV);
    }
    clickButton(registry_, screens::frmQV, menuButtonOf(id));
    QVERIFY(windowOf(registry_, id));
}

void TestCalculators::solve(ScreenId id, const QString& voltage, const QString& current,
                            const QString& angle)
{
    typeInto(registry_, id, "Txt_a", voltage);
    typeInto(registry_, id, "Txt_b", current);
    if (isAngleScreen(id)) {
        typeInto(registry_, id, kAngle, angle);
    }
    clickButton(registry_, id, "Command1");
}

void TestCalculators::solveShowsTheResults_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("angle");
    // Lbl_m, Lbl_Pi, Lbl_x, Lbl_s; a null text where the screen has no such label.
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("echo");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("apparent");

    const QString none;
    const auto apparentRow = [&](ScreenId id, const char* name, const char* v, const char* i,
                                 const char* s) {
        QTest::addRow("%s: %s", nameOf(id), name)
            << id << v << i << none << none << none << s << none;
    };
    const auto angleRow = [](ScreenId id, const char* name, const char* v, const char* i,
                             const char* a, const char* m, const char* pi, const char* x,
                             const char* s) {
        QTest::addRow("%s: %s", nameOf(id), name) << id << v << i << a << m << pi << x << s;
    };

    constexpr ScreenId s3 = screens::frmApparentPower;
    apparentRow(s3, "400 V 10 A", "400", "10", "6.928");
    apparentRow(s3, "415 V 20 A", "415", "20", "14.376");
    apparentRow(s3, "230 V 5 A", "230", "5", "1.992");
    apparentRow(s3, "no trailing zeros", "11000", "100", "1905.2");
    apparentRow(s3, "factor is 1.732, not the root of 3", "1000", "1000", "1732");
    apparentRow(s3, "rounds up to a thousandth", "1", "1", "0.002");
    apparentRow(s3, "rounds down to zero", "1", "0.1", "0");
    apparentRow(s3, "negative voltage", "-400", "10", "-6.928");
    apparentRow(s3, "both negative", "-400", "-10", "6.928");
    apparentRow(s3, "both boxes empty", "", "", "0");
    apparentRow(s3, "junk voltage reads as zero", "abc", "10", "0");
    apparentRow(s3, "units after the numbers", "400V", "10A", "6.928");
    apparentRow(s3, "leading blanks and exponent", "  4e2", "1E1", "6.928");
    apparentRow(s3, "tiny negative result shows as zero", "-1", "0.1", "0");
    apparentRow(s3, "large result in exponent form", "1e200", "1e10", "1.732E+207");
    apparentRow(s3, "product beyond the double range", "1e200", "1e200", "Overflow");
    apparentRow(s3, "voltage beyond the double range", "1e999", "10", "Overflow");
    apparentRow(s3, "overflowing voltage times zero", "1e999", "0", "Overflow");
    apparentRow(s3, "underflowing voltage reads as zero", "1e-999", "10", "0");

    constexpr ScreenId s1 = screens::frm1PApparentPower;
    apparentRow(s1, "230 V 5 A", "230", "5", "1.15");
    apparentRow(s1, "400 V 10 A", "400", "10", "4");
    apparentRow(s1, "240 V 0.5 A", "240", "0.5", "0.12");
    apparentRow(s1, "120 V 12.5 A", "120", "12.5", "1.5");
    apparentRow(s1, "rounds to three places", "1234.5678", "1", "1.235");
    apparentRow(s1, "11000 V 100 A", "11000", "100", "1100");
    apparentRow(s1, "a thousandth", "1", "1", "0.001");
    apparentRow(s1, "rounds down to zero", "1", "0.4", "0");
    apparentRow(s1, "negative voltage", "-230", "5", "-1.15");
    apparentRow(s1, "both boxes empty", "", "", "0");
    apparentRow(s1, "junk voltage reads as zero", "abc", "5", "0");
    apparentRow(s1, "units after the numbers", "230V", "5A", "1.15");
    apparentRow(s1, "product beyond the double range", "1e200", "1e200", "Overflow");

    constexpr ScreenId p3 = screens::frmRealPower;
    angleRow(p3, "all boxes empty", "", "", "", "1", "0", "0", "0");
    angleRow(p3, "400 V 10 A 30 degrees", "400", "10", "30", "0.866", "30", "6", "6.928");
    angleRow(p3, "cosine of 60 shown as 0.5", "440", "50", "60", "0.5", "60", "19.052", "38.104");
    angleRow(p3, "no trailing zeros", "11000", "100", "25.84", "0.9", "25.84", "1714.708",
             "1905.2");
    angleRow(p3, "0 degrees: P equals S", "400", "10", "0", "1", "0", "6.928", "6.928");
    angleRow(p3, "90 degrees rounds to zero", "400", "10", "90", "0", "90", "0", "6.928");
    angleRow(p3, "90 degrees with large V and I", "100000", "100000", "90", "0", "90", "-0.004",
             "17320000");
    angleRow(p3, "unrounded power factor", "10000", "1000", "30", "0.866", "30", "14999.56",
             "17320");
    angleRow(p3, "180 degrees", "400", "10", "180", "-1", "180", "-6.928", "6.928");
    angleRow(p3, "-30 degrees", "400", "10", "-30", "0.866", "-30", "6", "6.928");
    angleRow(p3, "one negative input", "-400", "10", "30", "0.866", "30", "-6", "-6.928");
    angleRow(p3, "both inputs negative", "-400", "-10", "30", "0.866", "30", "6", "6.928");
    angleRow(p3, "text after the numbers", "400V", "10A", "30abc", "0.866", "30", "6", "6.928");
    angleRow(p3, "junk voltage", "abc", "10", "30", "0.866", "30", "0", "0");
    angleRow(p3, "echo shows the number read", "400", "10", "30.50", "0.8616", "30.5", "5.969",
             "6.928");
    angleRow(p3, "echo is not rounded", "400", "10", "12.3456789", "0.9769", "12.3456789", "6.768",
             "6.928");
    angleRow(p3, "tiny angle in exponent form", "400", "10", "1e-7", "1", "1E-07", "6.928",
             "6.928");
    angleRow(p3, "power overflows", "1e200", "1e200", "30", "0.866", "30", "Overflow", "Overflow");
    angleRow(p3, "huge angle", "400", "10", "1e308", "Overflow", "1E+308", "Overflow", "6.928");
    angleRow(p3, "angle beyond the double range", "400", "10", "1e999", "Overflow", "Overflow",
             "Overflow", "6.928");

    constexpr ScreenId q3 = screens::frmReactivePower;
    angleRow(q3, "all boxes empty", "", "", "", "0", "0", "0", "0");
    angleRow(q3, "400 V 10 A 30 degrees", "400", "10", "30", "0.5", "30", "3.464", "6.928");
    angleRow(q3, "440 V 50 A 60 degrees", "440", "50", "60", "0.866", "60", "32.999", "38.104");
    angleRow(q3, "no trailing zeros", "11000", "100", "25.84", "0.4359", "25.84", "830.4",
             "1905.2");
    angleRow(q3, "0 degrees", "400", "10", "0", "0", "0", "0", "6.928");
    angleRow(q3, "90 degrees: Q equals S", "400", "10", "90", "1", "90", "6.928", "6.928");
    angleRow(q3, "180 degrees rounds to zero", "400", "10", "180", "0", "180", "0", "6.928");
    angleRow(q3, "180 degrees with large V and I", "100000", "100000", "180", "0", "180", "-0.007",
             "17320000");
    angleRow(q3, "unrounded sine", "10000", "1000", "60", "0.866", "60", "14999.56", "17320");
    angleRow(q3, "-30 degrees", "400", "10", "-30", "-0.5", "-30", "-3.464", "6.928");
    angleRow(q3, "very small angle", "400", "10", "0.003", "0.0001", "0.003", "0", "6.928");
    angleRow(q3, "smaller angle", "400", "10", "0.001", "0", "0.001", "0", "6.928");
    angleRow(q3, "one negative input", "400", "-10", "30", "0.5", "30", "-3.464", "-6.928");
    angleRow(q3, "both inputs negative", "-400", "-10", "30", "0.5", "30", "3.464", "6.928");
    angleRow(q3, "text after the numbers", "400V", "10A", "30abc", "0.5", "30", "3.464", "6.928");
    angleRow(q3, "power overflows", "1e200", "1e200", "30", "0.5", "30", "Overflow", "Overflow");
    angleRow(q3, "1e300 degrees", "400", "10", "1e300", "0.205", "1E+300", "1.42", "6.928");

    constexpr ScreenId p1 = screens::frm1PRealPower;
    angleRow(p1, "all boxes empty", "", "", "", "1", "0", "0", "0");
    angleRow(p1, "230 V 10 A 30 degrees", "230", "10", "30", "0.866", "30", "1.992", "2.3");
    angleRow(p1, "cosine of 60 shown as 0.5", "230", "10", "60", "0.5", "60", "1.15", "2.3");
    angleRow(p1, "90 degrees with large V and I", "100000", "100000", "90", "0", "90", "-0.002",
             "10000000");
    angleRow(p1, "180 degrees", "230", "10", "180", "-1", "180", "-2.3", "2.3");
    angleRow(p1, "-30 degrees", "230", "10", "-30", "0.866", "-30", "1.992", "2.3");
    angleRow(p1, "one negative input", "-230", "10", "30", "0.866", "30", "-1.992", "-2.3");
    angleRow(p1, "text after the angle", "230", "10", "30abc", "0.866", "30", "1.992", "2.3");
    angleRow(p1, "empty angle box", "230", "10", "", "1", "0", "2.3", "2.3");
    angleRow(p1, "unrounded power factor", "10000", "1000", "30", "0.866", "30", "8660.254",
             "10000");
    angleRow(p1, "power overflows", "1e200", "1e200", "30", "0.866", "30", "Overflow", "Overflow");

    constexpr ScreenId q1 = screens::frm1PReactivePower;
    angleRow(q1, "all boxes empty", "", "", "", "0", "0", "0", "0");
    angleRow(q1, "230 V 10 A 30 degrees", "230", "10", "30", "0.5", "30", "1.15", "2.3");
    angleRow(q1, "90 degrees", "230", "10", "90", "1", "90", "2.3", "2.3");
    angleRow(q1, "180 degrees with large V and I", "100000", "100000", "180", "0", "180", "-0.004",
             "10000000");
    angleRow(q1, "-30 degrees", "230", "10", "-30", "-0.5", "-30", "-1.15", "2.3");
    angleRow(q1, "270 degrees", "230", "10", "270", "-1", "270", "-2.3", "2.3");
    angleRow(q1, "one negative input", "230", "-10", "30", "0.5", "30", "-1.15", "-2.3");
    angleRow(q1, "text after the angle", "230", "10", "30abc", "0.5", "30", "1.15", "2.3");
    angleRow(q1, "unrounded sine", "10000", "1000", "60", "0.866", "60", "8660.254", "10000");
    angleRow(q1, "huge angle", "230", "10", "1e308", "Overflow", "1E+308", "Overflow", "2.3");
    angleRow(q1, "1e200 degrees", "230", "5", "1e200", "0.4279", "1E+200", "0.492", "1.15");
}

void TestCalculators::solveShowsTheResults()
{
    QFETCH(ScreenId, id);
    QFETCH(QString, voltage);
    QFETCH(QString, current);
    QFETCH(QString, angle);
    QFETCH(QString, factor);
    QFETCH(QString, echo);
    QFETCH(QString, power);
    QFETCH(QString, apparent);
    open(id);
    solve(id, voltage, current, angle);

    const std::pair<ControlName, QString> expected[]{
        {"Lbl_m", factor}, {"Lbl_Pi", echo}, {"Lbl_x", power}, {"Lbl_s", apparent}};
    for (const auto& [label, caption] : expected) {
        if (caption.isNull()) {
            QVERIFY(!registry_.instance(id)->control(label));
        } else {
            QCOMPARE(captionOf(registry_, id, label), caption);
        }
    }
    // Solve never touches the boxes.
    QCOMPARE(textOf(registry_, id, "Txt_a"), voltage);
    QCOMPARE(textOf(registry_, id, "Txt_b"), current);
}

void TestCalculators::calculator_data()
{
    QTest::addColumn<ScreenId>("id");
    for (const ScreenId id : kCalculators) {
        QTest::newRow(nameOf(id)) << id;
    }
}

void TestCalculators::solveTwiceGivesTheSameCaptions()
{
    QFETCH(ScreenId, id);
    open(id);
    solve(id, "415", "20", "37.5");
    const QString first = captionOf(registry_, id, "Lbl_x");
    const QString firstApparent = isAngleScreen(id) ? captionOf(registry_, id, "Lbl_s") : "";
    clickButton(registry_, id, "Command1");
    QCOMPARE(captionOf(registry_, id, "Lbl_x"), first);
    if (isAngleScreen(id)) {
        QCOMPARE(captionOf(registry_, id, "Lbl_s"), firstApparent);
    }
    QVERIFY(!first.isEmpty());
}

void TestCalculators::editingAfterSolveKeepsTheOldResults()
{
    QFETCH(ScreenId, id);
    open(id);
    solve(id, "400", "10", "30");
    const QString before = captionOf(registry_, id, "Lbl_x");
    typeInto(registry_, id, "Txt_a", "230");
    if (isAngleScreen(id)) {
        typeInto(registry_, id, kAngle, "60");
        QCOMPARE(captionOf(registry_, id, "Lbl_Pi"), QStringLiteral("30"));
    }
    QCOMPARE(captionOf(registry_, id, "Lbl_x"), before);
    clickButton(registry_, id, "Command1");
    QVERIFY(captionOf(registry_, id, "Lbl_x") != before);
}

void TestCalculators::newValuesEmptiesTheScreenAndKeepsTheFocus()
{
    QFETCH(ScreenId, id);
    open(id);
    QVERIFY(QTest::qWaitForWindowActive(windowOf(registry_, id)));
    solve(id, "400", "10", "30");

    // Pressed from the keyboard, so that the focus is on the button as it runs.
    auto* newValues = controlOf<QPushButton>(registry_, id, "Command2");
    newValues->setFocus();
    QTest::keyClick(newValues, Qt::Key_Space);
    for (const QLineEdit* box : windowOf(registry_, id)->findChildren<QLineEdit*>()) {
        QCOMPARE(box->text(), QString());
    }
    for (const QLabel* label : windowOf(registry_, id)->findChildren<QLabel*>()) {
        const bool result = label->objectName().startsWith(QLatin1String("Lbl_")) &&
                            label->objectName() != QLatin1String("Lbl_1");
        QCOMPARE(label->text().isEmpty(), result);
    }
    QCOMPARE(QApplication::focusWidget(), newValues);

    clickButton(registry_, id, "Command1");
    const bool cosine = id == screens::frmRealPower || id == screens::frm1PRealPower;
    QCOMPARE(captionOf(registry_, id, "Lbl_x"), QStringLiteral("0"));
    if (isAngleScreen(id)) {
        QCOMPARE(captionOf(registry_, id, "Lbl_m"), cosine ? QStringLiteral("1") : "0");
        QCOMPARE(captionOf(registry_, id, "Lbl_Pi"), QStringLiteral("0"));
        QCOMPARE(captionOf(registry_, id, "Lbl_s"), QStringLiteral("0"));
    }
}

void TestCalculators::reopeningAfterBackToMainPageShowsEmptyBoxes()
{
    QFETCH(ScreenId, id);
    open(id);
    solve(id, "400", "10", "30");
    clickButton(registry_, id, "Command3");
    QCOMPARE(registry_.state(id), ScreenState::Unloaded);
    QCOMPARE(registry_.state(screens::frmQV), ScreenState::Loaded);
    deleteUnloadedWindows();

    open(id);
    for (const QLineEdit* box : windowOf(registry_, id)->findChildren<QLineEdit*>()) {
        QCOMPARE(box->text(), QString());
    }
    QCOMPARE(captionOf(registry_, id, "Lbl_x"), QString());
}

void TestCalculators::hugePasteIsKeptWholeAndSolved()
{
    QFETCH(ScreenId, id);
    open(id);
    const QString voltage = QStringLiteral("400") + QString(99'997, 'x');
    QApplication::clipboard()->setText(voltage);
    auto* box = controlOf<QLineEdit>(registry_, id, "Txt_a");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text().size(), 100'000);
    typeInto(registry_, id, "Txt_b", "10");
    if (isAngleScreen(id)) {
        typeInto(registry_, id, kAngle, "0");
    }
    clickButton(registry_, id, "Command1");
    const bool threePhase = id == screens::frmRealPower || id == screens::frmApparentPower ||
                            id == screens::frmReactivePower;
    const bool sine = id == screens::frmReactivePower || id == screens::frm1PReactivePower;
    const QString apparent = threePhase ? QStringLiteral("6.928") : QStringLiteral("4");
    QCOMPARE(captionOf(registry_, id, "Lbl_x"), sine ? QStringLiteral("0") : apparent);
}

void TestCalculators::overflowLeavesTheScreenUsable()
{
    QFETCH(ScreenId, id);
    open(id);
    solve(id, "1e308", "10", "1e308");
    QCOMPARE(captionOf(registry_, id, "Lbl_x"), QStringLiteral("Overflow"));
    QCOMPARE(visibleTopLevelWindows(), 2); // no message box
    solve(id, "400", "10", "0");
    QVERIFY(captionOf(registry_, id, "Lbl_x") != QStringLiteral("Overflow"));
}

void TestCalculators::tabOrderAndFirstFocus_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QStringList>("cycle");
    const QStringList angleCycle{"Txt_a",    "Txt_b",    "Txt_c(1)", "Command1",
                                 "Command2", "Command3", "Picture1", "Txt_a"};
    const QStringList apparentCycle{"Txt_a",    "Txt_b",    "Command1", "Command2",
                                    "Command3", "Picture1", "Txt_a"};
    for (const ScreenId id : kCalculators) {
        QTest::newRow(nameOf(id)) << id << (isAngleScreen(id) ? angleCycle : apparentCycle);
    }
}

void TestCalculators::tabOrderAndFirstFocus()
{
    QFETCH(ScreenId, id);
    QFETCH(QStringList, cycle);
    open(id);
    QVERIFY(QTest::qWaitForWindowActive(windowOf(registry_, id)));
    checkTabCycle(cycle);
}

void TestCalculators::ctrlCCopiesTheSolvedCalculation_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("angle");
    QTest::addColumn<QStringList>("copied");
    // Typed with units after the numbers: the copy gives the numbers read, as "Solve" used them.
    const auto normal = [](ScreenId id, QStringList copied) {
        QTest::addRow("%s: 400 V 10 A 30 degrees", nameOf(id)) << id << "400V"
                                                               << "10A"
                                                               << "30deg" << copied;
    };
    const auto overflow = [](ScreenId id, QStringList copied) {
        QTest::addRow("%s: power overflows", nameOf(id)) << id << "1e200"
                                                         << "1e200"
                                                         << "30" << copied;
    };
    normal(screens::frmRealPower, {"Real (Active) Power in 3 Phase Circuits", "Voltage 400 V",
                                   "Current 10 A", "Angle 30 degrees", "Power factor 0.866",
                                   "Real power P 6 kW", "Apparent power S 6.928 kVA"});
    overflow(screens::frmRealPower, {"Real (Active) Power in 3 Phase Circuits", "Voltage 1E+200 V",
                                     "Current 1E+200 A", "Angle 30 degrees", "Power factor 0.866",
                                     "Real power P Overflow", "Apparent power S Overflow"});
    normal(screens::frmApparentPower, {"Apparent  Power in  3 Phase Circuits", "Voltage 400 V",
                                       "Current 10 A", "Apparent power S 6.928 kVA"});
    overflow(screens::frmApparentPower, {"Apparent  Power in  3 Phase Circuits", "Voltage 1E+200 V",
                                         "Current 1E+200 A", "Apparent power S Overflow"});
    normal(screens::frmReactivePower,
           {"Reactive Power  in  3 Phase Circuits", "Voltage 400 V", "Current 10 A",
            "Angle 30 degrees", "Sine of the angle 0.5", "Reactive power Q 3.464 kVAr",
            "Apparent power S 6.928 kVA"});
    overflow(screens::frmReactivePower,
             {"Reactive Power  in  3 Phase Circuits", "Voltage 1E+200 V", "Current 1E+200 A",
              "Angle 30 degrees", "Sine of the angle 0.5", "Reactive power Q Overflow",
              "Apparent power S Overflow"});
    normal(screens::frm1PRealPower, {"Real (Active) Power in 1 Phase Circuits", "Voltage 400 V",
                                     "Current 10 A", "Angle 30 degrees", "Power factor 0.866",
                                     "Real power P 3.464 kW", "Apparent power S 4 kVA"});
    overflow(screens::frm1PRealPower,
             {"Real (Active) Power in 1 Phase Circuits", "Voltage 1E+200 V", "Current 1E+200 A",
              "Angle 30 degrees", "Power factor 0.866", "Real power P Overflow",
              "Apparent power S Overflow"});
    normal(screens::frm1PApparentPower, {"Apparent  Power in 1 Phase Circuits", "Voltage 400 V",
                                         "Current 10 A", "Apparent power S 4 kVA"});
    overflow(screens::frm1PApparentPower,
             {"Apparent  Power in 1 Phase Circuits", "Voltage 1E+200 V", "Current 1E+200 A",
              "Apparent power S Overflow"});
    normal(screens::frm1PReactivePower,
           {"Reactive Power in 1  Phase Circuits", "Voltage 400 V", "Current 10 A",
            "Angle 30 degrees", "Sine of the angle 0.5", "Reactive power Q 2 kVAr",
            "Apparent power S 4 kVA"});
    overflow(screens::frm1PReactivePower,
             {"Reactive Power in 1  Phase Circuits", "Voltage 1E+200 V", "Current 1E+200 A",
              "Angle 30 degrees", "Sine of the angle 0.5", "Reactive power Q Overflow",
              "Apparent power S Overflow"});
}

void TestCalculators::ctrlCCopiesTheSolvedCalculation()
{
    QFETCH(ScreenId, id);
    QFETCH(QString, voltage);
    QFETCH(QString, current);
    QFETCH(QString, angle);
    QFETCH(QStringList, copied);
    QClipboard* clipboard = QApplication::clipboard();
    const QString before = QStringLiteral("what the clipboard held before");
    const auto pressCtrlC = [&](const ControlName& name) {
        QWidget* control = controlOf(registry_, id, name);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_C, Qt::ControlModifier);
    };
    open(id);
    clipboard->setText(before);
    pressCtrlC("Txt_a");
    QCOMPARE(clipboard->text(), before); // nothing solved yet

    solve(id, voltage, current, angle);
    pressCtrlC("Command1");
    QCOMPARE(clipboard->text().split(u'\n'), copied);
    clipboard->setText(before);
    pressCtrlC("Txt_b"); // a box without a selection copies the calculation too
    QCOMPARE(clipboard->text().split(u'\n'), copied);

    auto* box = controlOf<QLineEdit>(registry_, id, "Txt_a");
    box->setSelection(0, 2);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), voltage.left(2)); // a selection copies as it always has

    clickButton(registry_, id, "Command2");
    clipboard->setText(before);
    pressCtrlC("Command1");
    QCOMPARE(clipboard->text(), before); // nothing after "New Values"
}

void TestCalculators::apparentPowerAgreesAcrossScreens()
{
    // All six calculators open at once. For the same V and I, every screen of a phase shows the
    // same apparent power, whatever the angle: a wrong grouping or constant on one screen shows.
    for (const ScreenId id : kCalculators) {
        open(id);
    }
    std::mt19937 generator(20261208);
    std::uniform_int_distribution<int> exponent(-3, 7);
    std::uniform_int_distribution<int> digits(1, 999'999);
    std::uniform_real_distribution<double> degrees(-720.0, 720.0);
    const auto randomNumber = [&] {
        const double value = digits(generator) * std::pow(10.0, exponent(generator) - 3);
        return QString::number(generator() % 5 == 0 ? -value : value, 'g', 12);
    };
    for (int sample = 0; sample < 300; ++sample) {
        const QString voltage = randomNumber();
        const QString current = randomNumber();
        const QString angle = QString::number(degrees(generator), 'f', generator() % 4);
        for (const ScreenId id : kCalculators) {
            controlOf<QLineEdit>(registry_, id, "Txt_a")->setText(voltage);
            controlOf<QLineEdit>(registry_, id, "Txt_b")->setText(current);
            if (isAngleScreen(id)) {
                controlOf<QLineEdit>(registry_, id, kAngle)->setText(angle);
            }
            controlOf<QPushButton>(registry_, id, "Command1")->click();
        }
        const QString context = voltage + " V " + current + " A " + angle + " degrees";
        const QString threePhase = captionOf(registry_, screens::frmApparentPower, "Lbl_x");
        const QString singlePhase = captionOf(registry_, screens::frm1PApparentPower, "Lbl_x");
        QVERIFY2(captionOf(registry_, screens::frmRealPower, "Lbl_s") == threePhase,
                 qPrintable(context));
        QVERIFY2(captionOf(registry_, screens::frmReactivePower, "Lbl_s") == threePhase,
                 qPrintable(context));
        QVERIFY2(captionOf(registry_, screens::frm1PRealPower, "Lbl_s") == singlePhase,
                 qPrintable(context));
        QVERIFY2(captionOf(registry_, screens::frm1PReactivePower, "Lbl_s") == singlePhase,
                 qPrintable(context));
    }
}

QTEST_MAIN(TestCalculators)

#include "test_calculators.moc"
