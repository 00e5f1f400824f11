// Where screens open on a desktop of several screens: on the screen the user works on, centred,
// and wholly on it even when it is small. Runs on three offscreen screens (screens/two.json):
// "left" 1280 x 800, "right" 1920 x 1080 and "small" 640 x 400.

#include "screen_test_support.h"

#include <QCursor>
#include <QScreen>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

QScreen* screenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == name) {
            return screen;
        }
    }
    return nullptr;
}

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void menuOpensOnTheScreenUnderThePointer_data();
    void menuOpensOnTheScreenUnderThePointer();
    void calculatorOpensOnTheMenusScreen();
    void screensFitASmallDisplay_data();
    void screensFitASmallDisplay();

private:
    WidgetRegistry registry_;
};

void TestPlacement::initTestCase()
{
    configureApplication();
    QCOMPARE(QGuiApplication::screens().size(), 3);
}

void TestPlacement::cleanup()
{
    unloadAll(registry_);
}

void TestPlacement::menuOpensOnTheScreenUnderThePointer_data()
{
    QTest::addColumn<QString>("screen");
    QTest::newRow("left") << "left";
    QTest::newRow("right") << "right";
}

void TestPlacement::menuOpensOnTheScreenUnderThePointer()
{
    QFETCH(QString, screen);
    QScreen* target = screenNamed(screen);
    QVERIFY(target);
    QCursor::setPos(target->geometry().center() + QPoint(100, 50));
    registry_.show(screens::frmQV);
    QWidget* menu = windowOf(registry_, screens::frmQV);
    QCOMPARE(menu->screen(), target);
    const QPoint offset = menu->geometry().center() - target->availableGeometry().center();
    QVERIFY2(std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1, "not centred");
}

void TestPlacement::calculatorOpensOnTheMenusScreen()
{
    QCursor::setPos(screenNamed("right")->geometry().center());
    registry_.show(screens::frmQV);
    QWidget* menu = windowOf(registry_, screens::frmQV);
    QVERIFY(QTest::qWaitForWindowActive(menu));
    // The pointer has wandered to another screen; the menu the user works in stays the guide.
    QCursor::setPos(screenNamed("left")->geometry().center());
    clickButton(registry_, screens::frmQV, "Command1");
    QWidget* calculator = windowOf(registry_, screens::frmRealPower);
    QCOMPARE(calculator->screen(), screenNamed("right"));
    QVERIFY(screenNamed("right")->availableGeometry().contains(calculator->geometry()));
}

void TestPlacement::screensFitASmallDisplay_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<bool>("resizable");
    QTest::newRow("menu") << screens::frmQV << true;
    QTest::newRow("sizable calculator") << screens::frm1PRealPower << true;
    QTest::newRow("fixed-size calculator") << screens::frmRealPower << false;
}

void TestPlacement::screensFitASmallDisplay()
{
    QFETCH(ScreenId, id);
    QFETCH(bool, resizable);
    QScreen* small = screenNamed("small");
    QCursor::setPos(small->geometry().center());
    registry_.show(id);
    QWidget* window = windowOf(registry_, id);
    const QRect available = small->availableGeometry();
    QCOMPARE(window->screen(), small);
    if (resizable) {
        QVERIFY(available.contains(window->geometry()));
    } else {
        // Too large to fit, and not resizable: its top-left corner, with the title bar, stays
        // on the screen.
        QCOMPARE(window->geometry().topLeft(), available.topLeft());
    }
}

QTEST_MAIN(TestPlacement)

#include "test_placement.moc"
