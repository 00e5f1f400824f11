// The six calculator screens through their real widgets: "Solve" on typed values, "New Values",
// "Back to Main Page" and the results a user reads.

#include "screen_table.h"
#include "screen_test_support.h"
#include "shared_rows.h"

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
    WidgetRegistry registry_;
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

    // A label the screen does not have is a null text.
    for (const QJsonValue& value : sharedRows()[QStringLiteral("solve")].toArray()) {
        const QJsonObject row = value.toObject();
        const ScreenId id = screenNamed(row["screen"].toString());
        const auto label = [&](const char* key) {
            return row.contains(QLatin1String(key)) ? row[QLatin1String(key)].toString()
                                                    : QString();
        };
        QTest::addRow("%s: %s", nameOf(id), qPrintable(row["row"].toString()))
            << id << row["voltage"].toString() << row["current"].toString() << label("angle")
            << label("factor") << label("echo") << label("power") << label("apparent");
    }
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
            QVERIFY(!widgetOf(*registry_.instance(id), label));
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
    for (const ScreenId id : kCalculators) {
        QTest::newRow(nameOf(id)) << id << tabCycle(nameOf(id));
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
    for (const QJsonValue& value : sharedRows()[QStringLiteral("copied")].toArray()) {
        const QJsonObject row = value.toObject();
        const ScreenId id = screenNamed(row["screen"].toString());
        QTest::addRow("%s: %s", nameOf(id), qPrintable(row["row"].toString()))
            << id << row["voltage"].toString() << row["current"].toString()
            << row["angle"].toString() << textsOf(row["copied"]);
    }
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
