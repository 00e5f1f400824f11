// Start-up, showing and unloading screens, and the application's lifetime, through the real
// windows and buttons.

#include "qt_values.h"
#include "screen_test_support.h"
#include "shared_rows.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <map>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// Counts the times a window is raised: QWidget::raise sends it a z-order change.
class RaiseSpy : public QObject
{
public:
    explicit RaiseSpy(QWidget* window) { window->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::ZOrderChange ? 1 : 0;
        return false;
    }
};

// Runs the application's event loop until it ends, after `action` has run inside it; the exit
// status, or -1 when the loop was still running after `patience` milliseconds.
template <typename Action> int runEventLoopAfter(Action action, int patience = 5000)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    watchdog.start(patience);
    QTimer::singleShot(0, action);
    return QCoreApplication::exec();
}

bool centredOnScreen(const QWidget& window)
{
    const QRect available = window.screen()->availableGeometry();
    const QPoint offset = window.geometry().center() - available.center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsOnTheMenuWithFocusOnThreePhaseRealPower();
    void everyScreenButAMenuStartsAbsent();
    void menuButtonOpensItsScreen_data();
    void menuButtonOpensItsScreen();
    void secondClickBringsTheSameWindowWithItsValues();
    void reopenedScreenIsFreshAndCentred_data();
    void reopenedScreenIsFreshAndCentred();
    void unloadDestroysTheWidgets();
    void closingTheMenuLeavesACalculatorWorking();
    void backToMainPageReloadsAClosedMenu();
    void applicationEndsWhenTheLastScreenGoes_data();
    void applicationEndsWhenTheLastScreenGoes();
    void applicationRunsWhileAnyScreenIsLoaded();
    void severalScreensCloseInAnyOrder_data();
    void severalScreensCloseInAnyOrder();
    void resizingMovesNothing();
    void menuTabOrderVisitsTheButtonsInGroups();

private:
    WidgetRegistry registry_;
};

void TestNavigation::initTestCase()
{
    configureApplication();
}

void TestNavigation::init()
{
    registry_.show(screens::frmQV);
    QVERIFY(QTest::qWaitForWindowExposed(windowOf(registry_, screens::frmQV)));
}

void TestNavigation::cleanup()
{
    unloadAll(registry_);
    QCOMPARE(registry_.loadedCount(), 0);
    QCOMPARE(visibleTopLevelWindows(), 0);
}

void TestNavigation::startsOnTheMenuWithFocusOnThreePhaseRealPower()
{
    QWidget* menu = windowOf(registry_, screens::frmQV);
    QVERIFY(menu);
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->windowTitle(), QStringLiteral("Quorvex"));
    QVERIFY(centredOnScreen(*menu));
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QCOMPARE(QApplication::focusWidget(), controlOf(registry_, screens::frmQV, "Command1"));
}

void TestNavigation::everyScreenButAMenuStartsAbsent()
{
    // A registry of its own, so that no earlier test has filled a slot.
    WidgetRegistry fresh;
    for (std::size_t i = 0; i < kScreenTable.size(); ++i) {
        QCOMPARE(fresh.state(kScreenTable[i]), ScreenState::Absent);
    }
    fresh.show(screens::frmQV);
    QCOMPARE(fresh.state(screens::frmQV), ScreenState::Loaded);
    QCOMPARE(fresh.state(screens::frmApparentPower), ScreenState::Absent);
    fresh.unload(screens::frmQV);
    QCOMPARE(fresh.state(screens::frmQV), ScreenState::Unloaded);
    QVERIFY(fresh.instance(screens::frmQV));
    deleteUnloadedWindows();
}

void TestNavigation::menuButtonOpensItsScreen_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<ScreenId>("screen");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstFocus");
    // Every screen but the menu itself has its button on the menu.
    QCOMPARE(menuOpenings().size(), kScreenTable.size() - 1);
    for (const MenuOpening& opening : menuOpenings()) {
        QTest::newRow(opening.id->name.data())
            << QString::fromLatin1(opening.menuButton) << opening.id << qtText(opening.id->caption)
            << (opening.id == screens::frmAbout ? "Picture1" : "Txt_a");
    }
}

void TestNavigation::menuButtonOpensItsScreen()
{
    QFETCH(QString, button);
    QFETCH(ScreenId, screen);
    QFETCH(QString, caption);
    QFETCH(QString, firstFocus);
    clickButton(registry_, screens::frmQV, button.toStdString().c_str());
    QWidget* window = windowOf(registry_, screen);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), caption);
    QVERIFY(window->isVisible());
    QVERIFY(centredOnScreen(*window));
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget()->objectName(), firstFocus);
    // The menu stays loaded and visible behind it.
    QVERIFY(windowOf(registry_, screens::frmQV)->isVisible());
}

void TestNavigation::secondClickBringsTheSameWindowWithItsValues()
{
    clickButton(registry_, screens::frmQV, "Command2");
    QWidget* first = windowOf(registry_, screens::frmApparentPower);
    typeInto(registry_, screens::frmApparentPower, "Txt_a", "400");
    typeInto(registry_, screens::frmApparentPower, "Txt_b", "10");
    clickButton(registry_, screens::frmApparentPower, "Command1");

    // Brought to the front: raised above the menu, not only given the focus.
    const RaiseSpy raised(first);
    clickButton(registry_, screens::frmQV, "Command2");
    QCOMPARE(windowOf(registry_, screens::frmApparentPower), first);
    QVERIFY2(raised.count > 0, "the window already open was not raised");
    QCOMPARE(visibleTopLevelWindows(), 2);
    QCOMPARE(textOf(registry_, screens::frmApparentPower, "Txt_a"), QStringLiteral("400"));
    QCOMPARE(textOf(registry_, screens::frmApparentPower, "Txt_b"), QStringLiteral("10"));
    QCOMPARE(captionOf(registry_, screens::frmApparentPower, "Lbl_x"), QStringLiteral("6.928"));
}

void TestNavigation::reopenedScreenIsFreshAndCentred_data()
{
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("closed by Back to Main Page") << false;
    QTest::newRow("closed by its close box") << true;
}

void TestNavigation::reopenedScreenIsFreshAndCentred()
{
    QFETCH(bool, byCloseBox);
    clickButton(registry_, screens::frmQV, "Command2");
    QWidget* window = windowOf(registry_, screens::frmApparentPower);
    typeInto(registry_, screens::frmApparentPower, "Txt_a", "400");
    typeInto(registry_, screens::frmApparentPower, "Txt_b", "10");
    clickButton(registry_, screens::frmApparentPower, "Command1");
    window->move(window->pos() + QPoint(40, 30));

    if (byCloseBox) {
        QVERIFY(window->close());
    } else {
        clickButton(registry_, screens::frmApparentPower, "Command3");
    }
    QCOMPARE(registry_.state(screens::frmApparentPower), ScreenState::Unloaded);
    deleteUnloadedWindows();

    clickButton(registry_, screens::frmQV, "Command2");
    QWidget* reopened = windowOf(registry_, screens::frmApparentPower);
    QVERIFY(reopened);
    QVERIFY(centredOnScreen(*reopened));
    QCOMPARE(textOf(registry_, screens::frmApparentPower, "Txt_a"), QString());
    QCOMPARE(textOf(registry_, screens::frmApparentPower, "Txt_b"), QString());
    QCOMPARE(captionOf(registry_, screens::frmApparentPower, "Lbl_x"), QString());
}

void TestNavigation::unloadDestroysTheWidgets()
{
    const qsizetype baseline = QApplication::allWidgets().size();
    clickButton(registry_, screens::frmQV, "Command2");
    Screen* instance = registry_.instance(screens::frmApparentPower);
    QPointer<QWidget> window = windowOf(registry_, screens::frmApparentPower);
    QPointer<QWidget> box = controlOf(registry_, screens::frmApparentPower, "Txt_a");
    QPointer<QWidget> label = controlOf(registry_, screens::frmApparentPower, "Lbl_x");
    QVERIFY(window && box && label);
    QVERIFY(QApplication::allWidgets().size() > baseline);

    clickButton(registry_, screens::frmApparentPower, "Command3");
    deleteUnloadedWindows();
    QVERIFY(!window);
    QVERIFY(!box);
    QVERIFY(!label);
    QCOMPARE(QApplication::allWidgets().size(), baseline);
    // The slot keeps its instance.
    QCOMPARE(registry_.instance(screens::frmApparentPower), instance);
    QCOMPARE(registry_.state(screens::frmApparentPower), ScreenState::Unloaded);
}

void TestNavigation::closingTheMenuLeavesACalculatorWorking()
{
    clickButton(registry_, screens::frmQV, "Command2");
    clickButton(registry_, screens::frmQV, "Command4");
    QCOMPARE(registry_.state(screens::frmQV), ScreenState::Unloaded);
    QCOMPARE(registry_.state(screens::frmApparentPower), ScreenState::Loaded);

    typeInto(registry_, screens::frmApparentPower, "Txt_a", "230");
    typeInto(registry_, screens::frmApparentPower, "Txt_b", "5");
    clickButton(registry_, screens::frmApparentPower, "Command1");
    QCOMPARE(captionOf(registry_, screens::frmApparentPower, "Lbl_x"), QStringLiteral("1.992"));
}

void TestNavigation::backToMainPageReloadsAClosedMenu()
{
    clickButton(registry_, screens::frmQV, "Command2");
    QWidget* menuBefore = windowOf(registry_, screens::frmQV);
    menuBefore->move(menuBefore->pos() + QPoint(25, 25));
    clickButton(registry_, screens::frmQV, "Command4");
    deleteUnloadedWindows();

    clickButton(registry_, screens::frmApparentPower, "Command3");
    QCOMPARE(registry_.state(screens::frmQV), ScreenState::Loaded);
    QCOMPARE(registry_.state(screens::frmApparentPower), ScreenState::Unloaded);
    QWidget* menu = windowOf(registry_, screens::frmQV);
    QVERIFY(menu->isVisible());
    QVERIFY(centredOnScreen(*menu));
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QCOMPARE(QApplication::focusWidget(), controlOf(registry_, screens::frmQV, "Command1"));
}

void TestNavigation::applicationEndsWhenTheLastScreenGoes_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("Close on the menu") << "menu Close";
    QTest::newRow("close box of the menu") << "menu close box";
    QTest::newRow("menu closed, then the calculator's close box") << "calculator close box";
    QTest::newRow("menu closed, then Back to Main Page, then Close")
        << "back to main page then Close";
}

void TestNavigation::applicationEndsWhenTheLastScreenGoes()
{
    QFETCH(QString, path);
    const int status = runEventLoopAfter([this, path] {
        if (path == "menu Close") {
            clickButton(registry_, screens::frmQV, "Command4");
        } else if (path == "menu close box") {
            windowOf(registry_, screens::frmQV)->close();
        } else {
            clickButton(registry_, screens::frmQV, "Command2");
            clickButton(registry_, screens::frmQV, "Command4");
            QCOMPARE(registry_.loadedCount(), 1);
            if (path == "calculator close box") {
                windowOf(registry_, screens::frmApparentPower)->close();
            } else {
                clickButton(registry_, screens::frmApparentPower, "Command3");
                QCOMPARE(registry_.loadedCount(), 1);
                clickButton(registry_, screens::frmQV, "Command4");
            }
        }
    });
    QCOMPARE(status, 0);
    QCOMPARE(registry_.loadedCount(), 0);
}

void TestNavigation::applicationRunsWhileAnyScreenIsLoaded()
{
    // Closing the menu with a calculator open must not end the loop: the watchdog does.
    const int status = runEventLoopAfter(
        [this] {
            clickButton(registry_, screens::frmQV, "Command2");
            clickButton(registry_, screens::frmQV, "Command4");
        },
        500);
    QCOMPARE(status, -1);
    QCOMPARE(registry_.state(screens::frmApparentPower), ScreenState::Loaded);
}

void TestNavigation::severalScreensCloseInAnyOrder_data()
{
    // Each step closes one window: "menu" by its Close, "back" a calculator by Back to Main Page,
    // any other screen by its close box.
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("menu first, then each calculator, About last") << QStringList{
        "menu", "frmRealPower", "frm1PApparentPower", "frmReactivePower", "frmAbout"};
    QTest::newRow("calculators first, menu last") << QStringList{
        "frm1PApparentPower", "frmAbout", "frmReactivePower", "frmRealPower", "menu"};
    QTest::newRow("menu in the middle") << QStringList{"frmReactivePower", "frmAbout", "menu",
                                                       "frmRealPower", "frm1PApparentPower"};
    QTest::newRow("Back to Main Page brings the menu back, which closes last")
        << QStringList{"menu", "frmAbout", "frmRealPower", "frmReactivePower", "back", "menu"};
}

void TestNavigation::severalScreensCloseInAnyOrder()
{
    QFETCH(QStringList, steps);
    clickButton(registry_, screens::frmQV, "Command1");
    clickButton(registry_, screens::frmQV, "Command3");
    clickButton(registry_, screens::frmQV, "Command7");
    clickButton(registry_, screens::frmQV, "Command9");
    QCOMPARE(registry_.loadedCount(), 5);
    QCOMPARE(visibleTopLevelWindows(), 5);

    const std::map<QString, ScreenId> others{{"frmRealPower", screens::frmRealPower},
                                             {"frmReactivePower", screens::frmReactivePower},
                                             {"frm1PApparentPower", screens::frm1PApparentPower},
                                             {"frmAbout", screens::frmAbout}};
    // One step per turn of the event loop: had the loop ended early, the later steps would
    // never run.
    qsizetype done = 0;
    std::function<void()> next = [&] {
        const QString& step = steps[done++];
        if (step == "menu") {
            clickButton(registry_, screens::frmQV, "Command4");
        } else if (step == "back") {
            clickButton(registry_, screens::frm1PApparentPower, "Command3");
        } else {
            windowOf(registry_, others.at(step))->close();
        }
        if (done < steps.size()) {
            QVERIFY(registry_.loadedCount() > 0);
            QTimer::singleShot(0, next);
        }
    };
    QCOMPARE(runEventLoopAfter(next), 0);
    QCOMPARE(done, steps.size());
    QCOMPARE(registry_.loadedCount(), 0);
}

void TestNavigation::resizingMovesNothing()
{
    QWidget* menu = windowOf(registry_, screens::frmQV);
    QList<QRect> before;
    const auto controls = menu->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QWidget* control : controls) {
        before.append(control->geometry());
    }
    menu->resize(menu->size() + QSize(60, 40));
    QTest::qWait(20);
    menu->resize(menu->size() - QSize(200, 150));
    QTest::qWait(20);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QCOMPARE(controls[i]->geometry(), before[i]);
    }
}

void TestNavigation::menuTabOrderVisitsTheButtonsInGroups()
{
    QWidget* menu = windowOf(registry_, screens::frmQV);
    QVERIFY(QTest::qWaitForWindowActive(menu));
    // The two picture boxes are tab stops after single-phase "Reactive Power" and "About".
    checkTabCycle(tabCycle("frmQV"));
}

QTEST_MAIN(TestNavigation)

#include "test_navigation.moc"
