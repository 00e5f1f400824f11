// Random user actions from a fixed seed, 5,000 by default: clicks on any control, any text in
// any box, Tab, Shift+Tab, Enter, Space and Esc, windows closed and screens opened again. Nothing
// may crash, each loaded screen has exactly one window, and the application ends exactly when no
// screen is left loaded. QUORVEX_MONKEY_SEED and QUORVEX_MONKEY_EVENTS change the run (CTest's
// long run, test_monkey_long, makes 100,000); the seed is printed whenever a check fails.

#include "qt_values.h"
#include "screen_table.h"
#include "screen_test_support.h"

#include <QKeyEvent>
#include <QTimer>

#include <random>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

constexpr std::uint32_t kDefaultSeed = 20261208;
constexpr int kDefaultEvents = 5'000;

// Texts a user might type or paste, from the ordinary to the hostile.
QString randomText(std::mt19937& random)
{
    static const QString samples[]{
        "",
        "230",
        "-400.5",
        "1e308",
        "-1.7976931348623157e308",
        "1e309",
        "4.9e-324",
        "1e-400",
        "0x1F",
        "  12.5e3V",
        "+.5",
        "30abc",
        "\xC2\xA0"
        "42",
        QString::fromUtf8("\xE2\x88\x92"
                          "7"),
        QString::fromUtf8("\xD9\xA1\xD9\xA2\xD9\xA3"), // Arabic-Indic digits
        QString::fromUtf8("\xF0\x9F\x94\x8C 240"),     // an emoji before the number
        QStringLiteral("\t\n\r\x01\x7f"),
        "NaN",
        "inf",
        "1.2.3",
        "--5",
    };
    switch (random() % 8) {
    case 0: {
        // A long string of digits, sometimes huge.
        const int length = random() % 50 == 0 ? 100'000 : 1 + static_cast<int>(random() % 400);
        QString digits(length, '9');
        digits[0] = QChar(static_cast<char16_t>(u'1' + random() % 9));
        return digits;
    }
    case 1: {
        QString junk;
        const int length = static_cast<int>(random() % 20);
        for (int i = 0; i < length; ++i) {
            junk += QChar(static_cast<char16_t>(1 + random() % 0xD7FF));
        }
        return junk;
    }
    case 2:
        return QString::number(std::uniform_real_distribution<double>(-1e6, 1e6)(random), 'g', 17);
    default:
        return samples[random() % std::size(samples)];
    }
}

} // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomActionsNeverBreakTheApplication();

private:
    void act();
    void checkInvariants();
    QString where() const;

    WidgetRegistry registry_;
    std::mt19937 random_;
    std::uint32_t seed_ = kDefaultSeed;
    int done_ = 0;
    QString lastAction_;
    QString failure_;
};

void TestMonkey::initTestCase()
{
    configureApplication();
}

QString TestMonkey::where() const
{
    return QStringLiteral("seed %1, action %2 (%3)").arg(seed_).arg(done_).arg(lastAction_);
}

void TestMonkey::act()
{
    std::vector<ScreenId> loaded;
    for (std::size_t i = 0; i < kScreenTable.size(); ++i) {
        if (registry_.state(kScreenTable[i]) == ScreenState::Loaded) {
            loaded.push_back(kScreenTable[i]);
        }
    }
    const ScreenId id = loaded[random_() % loaded.size()];
    const Screen& screen = *registry_.instance(id);
    const auto& controls = screen.description().controls;
    const ControlDescription& control = controls[random_() % controls.size()];
    QWidget* widget = widgetOf(screen, control.name);
    const QString target = qtText(screen.description().name) + "." + qtText(control.name.text());

    switch (random_() % 10) {
    case 0:
    case 1:
    case 2:
        lastAction_ = "click " + target;
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        break;
    case 3:
    case 4:
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            const QString text = randomText(random_);
            lastAction_ =
                QStringLiteral("text of %1 characters into %2").arg(text.size()).arg(target);
            box->setText(text);
        } else {
            lastAction_ = "type into " + target;
            // Key events carrying any text, which a keyboard or an input method may send.
            for (const QChar character : randomText(random_).left(8)) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
                QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
                QApplication::sendEvent(widget, &press);
                QApplication::sendEvent(widget, &release);
            }
        }
        break;
    case 5: {
        static constexpr Qt::Key keys[]{Qt::Key_Tab,   Qt::Key_Backtab, Qt::Key_Return,
                                        Qt::Key_Enter, Qt::Key_Space,   Qt::Key_Escape};
        const Qt::Key key = keys[random_() % std::size(keys)];
        QWidget* focus = QApplication::focusWidget();
        QWidget* receiver = focus && focus->isVisible() ? focus : windowOf(screen);
        lastAction_ = QStringLiteral("key %1 to %2").arg(int(key)).arg(receiver->objectName());
        QTest::keyClick(receiver, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        break;
    }
    case 6:
        lastAction_ = "close box of " + qtText(screen.description().name);
        windowOf(screen)->close();
        break;
    case 7: {
        const auto other = kScreenTable[random_() % kScreenTable.size()];
        lastAction_ = "show " + qtText((*other).name);
        registry_.show(other);
        break;
    }
    default: {
        // The menu's buttons and the calculators' "Solve" are what users press most.
        const char* name = id == screens::frmQV ? "Command4" : "Command1";
        if (id == screens::frmQV) {
            static const std::vector<MenuOpening> openings = menuOpenings();
            const std::size_t pick = random_() % (openings.size() + 1);
            name = pick < openings.size() ? openings[pick].menuButton : "Command4";
        }
        lastAction_ = QStringLiteral("press %1 on %2").arg(name, qtText(screen.description().name));
        if (auto* button = qobject_cast<QPushButton*>(widgetOf(screen, name))) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        break;
    }
    }
    ++done_;
}

void TestMonkey::checkInvariants()
{
    int loaded = 0;
    for (std::size_t i = 0; i < kScreenTable.size(); ++i) {
        const Screen* screen = registry_.instance(kScreenTable[i]);
        const ScreenState state = registry_.state(kScreenTable[i]);
        if (state == ScreenState::Loaded) {
            ++loaded;
            if (!windowOf(*screen) || !windowOf(*screen)->isVisible()) {
                failure_ = "a loaded screen without a visible window";
            }
        } else if (screen && windowOf(*screen)) {
            failure_ = "an unloaded screen with a window";
        }
    }
    deleteUnloadedWindows();
    if (visibleTopLevelWindows() != loaded) {
        failure_ = QStringLiteral("%1 windows on screen for %2 loaded screens")
                       .arg(visibleTopLevelWindows())
                       .arg(loaded);
    }
}

void TestMonkey::randomActionsNeverBreakTheApplication()
{
    if (const QByteArray seed = qgetenv("QUORVEX_MONKEY_SEED"); !seed.isEmpty()) {
        seed_ = seed.toUInt();
    }
    const int total = qEnvironmentVariableIsSet("QUORVEX_MONKEY_EVENTS")
                          ? qEnvironmentVariableIntValue("QUORVEX_MONKEY_EVENTS")
                          : kDefaultEvents;
    random_.seed(seed_);
    qInfo("seed %u, %d actions", seed_, total);

    // Each run of the event loop is one life of the application: it starts on the menu and must
    // end, with status 0, exactly when the last screen is unloaded.
    int lives = 0;
    while (done_ < total && failure_.isEmpty()) {
        ++lives;
        registry_.show(screens::frmQV);
        QTimer step;
        step.setInterval(0);
        QObject::connect(&step, &QTimer::timeout, [&] {
            if (registry_.loadedCount() == 0) {
                failure_ = "the application went on with no screen loaded";
            } else if (done_ < total) {
                act();
                checkInvariants();
            }
            if (!failure_.isEmpty() || done_ >= total) {
                QCoreApplication::exit(failure_.isEmpty() ? 1 : 2);
            }
        });
        step.start();
        const int status = QCoreApplication::exec();
        QVERIFY2(failure_.isEmpty(), qPrintable(failure_ + " at " + where()));
        if (status == 0) {
            QVERIFY2(registry_.loadedCount() == 0,
                     qPrintable("the application ended with screens loaded at " + where()));
        } else {
            QCOMPARE(status, 1);
        }
    }
    qInfo("%d actions in %d lives of the application", done_, lives);
    unloadAll(registry_);
}

QTEST_MAIN(TestMonkey)

#include "test_monkey.moc"
