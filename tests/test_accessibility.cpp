// What assistive technology and people with low vision get from the screens: accessible names,
// descriptions and roles, the summary heard after "Solve", text boxes that read back what is
// selected, text contrast under light and dark desktop palettes, and a visible keyboard focus.

#include "qt_values.h"
#include "screen_table.h"
#include "screen_test_support.h"
#include "spoken_names.h"

#include <QAccessible>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>

#include <cmath>
#include <memory>
#include <set>
#include <utility>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

double relativeLuminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double lighter = std::max(relativeLuminance(a), relativeLuminance(b));
    const double darker = std::min(relativeLuminance(a), relativeLuminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QPalette darkDesktopPalette()
{
    QPalette dark(QColor(0x30, 0x30, 0x30), QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x18, 0x18, 0x18));
    dark.setColor(QPalette::ToolTipBase, QColor(0x40, 0x40, 0x20));
    dark.setColor(QPalette::ToolTipText, QColor(0xee, 0xee, 0xee));
    return dark;
}

// What a screen reader should hear of each control that shows no text of its own, and what it
// should add to each result label.
QString expectedName(const ControlDescription& control)
{
    if (control.name == ControlName("Txt_a")) {
        return qtText(spoken::voltage.name);
    }
    if (control.name == ControlName("Txt_b")) {
        return qtText(spoken::current.name);
    }
    if (control.name == element("Txt_c", 1)) {
        return qtText(spoken::angle.name);
    }
    if (control.kind == ControlKind::PictureBox) {
        return qtText(control.picture == Artwork::SmallImage ? spoken::logo : spoken::banner);
    }
    return qtText(control.caption);
}

bool isResult(const ControlDescription& control)
{
    return control.name.name.starts_with("Lbl_") && control.name.name != "Lbl_1";
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void screen_data();
    void everyControlIsAnnounced_data() { screen_data(); }
    void everyControlIsAnnounced();
    void resultLabelsAreReadAsTheirValue_data();
    void resultLabelsAreReadAsTheirValue();
    void textBoxesReadBackWhatIsSelected_data();
    void textBoxesReadBackWhatIsSelected();
    void textContrastMeetsAA_data();
    void textContrastMeetsAA();
    void keyboardFocusIsVisible_data();
    void keyboardFocusIsVisible();

private:
    WidgetRegistry registry_;
};

void TestAccessibility::initTestCase()
{
    configureApplication();
}

void TestAccessibility::cleanup()
{
    unloadAll(registry_);
}

void TestAccessibility::screen_data()
{
    QTest::addColumn<ScreenId>("id");
    for (const ScreenId id : kScreenTable) {
        QTest::newRow((*id).name.data()) << id;
    }
}

void TestAccessibility::everyControlIsAnnounced()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    // A window is a frame named by its caption, which a screen reader speaks as the title.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(windowOf(screen));
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), qtText(screen.description().caption));
    // Controls a listener tabs to must not sound alike: the menu's two groups have the same
    // captions, told apart by their descriptions.
    std::set<std::pair<QString, QString>> heard;
    for (const ControlDescription& control : screen.description().controls) {
        if (control.kind == ControlKind::Shape) {
            continue;
        }
        const QString where = qtText(control.name.text());
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(widgetOf(screen, control.name));
        QVERIFY2(accessible, qPrintable(where));
        switch (control.kind) {
        case ControlKind::TextBox:
            QCOMPARE(accessible->role(), QAccessible::EditableText);
            break;
        case ControlKind::CommandButton:
            QCOMPARE(accessible->role(), QAccessible::Button);
            break;
        case ControlKind::PictureBox:
            QCOMPARE(accessible->role(), QAccessible::Graphic);
            QVERIFY2(accessible->state().focusable, qPrintable(where));
            break;
        default:
            QCOMPARE(accessible->role(), QAccessible::StaticText);
        }
        if (isResult(control)) {
            QVERIFY2(!accessible->text(QAccessible::Description).isEmpty(), qPrintable(where));
        } else {
            QCOMPARE(accessible->text(QAccessible::Name), expectedName(control));
        }
        if (control.takesFocus()) {
            const bool distinct = heard
                                      .emplace(accessible->text(QAccessible::Name),
                                               accessible->text(QAccessible::Description))
                                      .second;
            QVERIFY2(distinct, qPrintable(where + QStringLiteral(" sounds like another control")));
        }
    }
}

void TestAccessibility::resultLabelsAreReadAsTheirValue_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("summary"); // what "Solve" then says
    const QStringList angleLabels{"Lbl_m", "Lbl_Pi", "Lbl_x", "Lbl_s"};
    const QStringList realPowerDescriptions{
        qtText(spoken::powerFactor.description), qtText(spoken::angleAsRead.description),
        qtText(spoken::realPower.description), qtText(spoken::apparentPower.description)};
    QTest::newRow("three-phase real power")
        << screens::frmRealPower << "400" << angleLabels << realPowerDescriptions
        << QStringList{"0.866", "30", "6", "6.928"}
        << "Real power P 6 kW, apparent power S 6.928 kVA, power factor 0.866, angle 30 degrees";
    QTest::newRow("single-phase reactive power")
        << screens::frm1PReactivePower << "400" << angleLabels
        << QStringList{qtText(spoken::sine.description), qtText(spoken::angleAsRead.description),
                       qtText(spoken::reactivePower.description),
                       qtText(spoken::apparentPower.description)}
        << QStringList{"0.5", "30", "2", "4"}
        << "Reactive power Q 2 kVAr, apparent power S 4 kVA, sine of the angle 0.5, angle 30 "
           "degrees";
    QTest::newRow("single-phase real power")
        << screens::frm1PRealPower << "400" << angleLabels << realPowerDescriptions
        << QStringList{"0.866", "30", "3.464", "4"}
        << "Real power P 3.464 kW, apparent power S 4 kVA, power factor 0.866, angle 30 degrees";
    QTest::newRow("three-phase reactive power")
        << screens::frmReactivePower << "400" << angleLabels
        << QStringList{qtText(spoken::sine.description), qtText(spoken::angleAsRead.description),
                       qtText(spoken::reactivePower.description),
                       qtText(spoken::apparentPower.description)}
        << QStringList{"0.5", "30", "3.464", "6.928"}
        << "Reactive power Q 3.464 kVAr, apparent power S 6.928 kVA, sine of the angle 0.5, "
           "angle 30 degrees";
    QTest::newRow("single-phase apparent power")
        << screens::frm1PApparentPower << "400" << QStringList{"Lbl_x"}
        << QStringList{qtText(spoken::apparentPower.description)} << QStringList{"4"}
        << "Apparent power S 4 kVA";
    QTest::newRow("three-phase apparent power")
        << screens::frmApparentPower << "400" << QStringList{"Lbl_x"}
        << QStringList{qtText(spoken::apparentPower.description)} << QStringList{"6.928"}
        << "Apparent power S 6.928 kVA";
    // An overflowed result is heard as such, with no unit after it.
    QTest::newRow("overflow")
        << screens::frmRealPower << "1e308" << angleLabels << realPowerDescriptions
        << QStringList{"0.866", "30", "Overflow", "Overflow"}
        << "Real power P Overflow, apparent power S Overflow, power factor 0.866, angle 30 "
           "degrees";
}

void TestAccessibility::resultLabelsAreReadAsTheirValue()
{
    QFETCH(ScreenId, id);
    QFETCH(QString, voltage);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, descriptions);
    QFETCH(QStringList, values);
    QFETCH(QString, summary);
    registry_.show(id);
    typeInto(registry_, id, "Txt_a", voltage);
    typeInto(registry_, id, "Txt_b", "10");
    if (labels.size() > 1) {
        typeInto(registry_, id, element("Txt_c", 1), "30");
    }
    clickButton(registry_, id, "Command1");
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QByteArray name = labels[i].toUtf8();
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(controlOf(registry_, id, name.constData()));
        QCOMPARE(accessible->text(QAccessible::Name), values[i]);
        QCOMPARE(accessible->text(QAccessible::Description), descriptions[i]);
    }
    QAccessibleInterface* solve =
        QAccessible::queryAccessibleInterface(controlOf(registry_, id, "Command1"));
    QCOMPARE(solve->text(QAccessible::Name), QStringLiteral("Solve"));
    QCOMPARE(solve->text(QAccessible::Description), summary);
    // "New Values" empties the results, and the summary with them.
    clickButton(registry_, id, "Command2");
    QCOMPARE(solve->text(QAccessible::Description), QString());
}

void TestAccessibility::textBoxesReadBackWhatIsSelected_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::newRow("all of 400, as Tab selects it") << "400" << 0 << 3;
    QTest::newRow("all of 30") << "30" << 0 << 2;
    QTest::newRow("the middle of 1234") << "1234" << 1 << 2;
    QTest::newRow("the end of 1e308") << "1e308" << 2 << 3;
}

void TestAccessibility::textBoxesReadBackWhatIsSelected()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    registry_.show(screens::frmRealPower);
    auto* box = controlOf<QLineEdit>(registry_, screens::frmRealPower, "Txt_a");
    box->setText(text);
    box->setSelection(start, length);
    QAccessibleTextInterface* readBack =
        QAccessible::queryAccessibleInterface(box)->textInterface();
    QVERIFY(readBack);
    QCOMPARE(readBack->selectionCount(), 1);
    int from = -1;
    int to = -1;
    readBack->selection(0, &from, &to);
    QCOMPARE(readBack->text(from, to), text.mid(start, length));
    // A screen reader finds the text to speak by joining the attribute runs over it: every
    // character lies in a run, and the runs cover the whole text.
    for (int offset = 0; offset < text.size(); ++offset) {
        int runStart = -1;
        int runEnd = -1;
        readBack->attributes(offset, &runStart, &runEnd);
        QVERIFY2(runStart <= offset && offset < runEnd,
                 qPrintable(QStringLiteral("offset %1 lies outside its run %2-%3")
                                .arg(offset)
                                .arg(runStart)
                                .arg(runEnd)));
    }
}

void TestAccessibility::textContrastMeetsAA_data()
{
    QTest::addColumn<QPalette>("desktop");
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QTest::newRow("light desktop") << fusion->standardPalette();
    QTest::newRow("dark desktop") << darkDesktopPalette();
}

void TestAccessibility::textContrastMeetsAA()
{
    QFETCH(QPalette, desktop);
    // The desktop's palette is in place when the application configures itself.
    QApplication::setPalette(desktop);
    configureApplication();
    for (const ScreenId id : kScreenTable) {
        registry_.show(id);
        const Screen& screen = *registry_.instance(id);
        for (const ControlDescription& control : screen.description().controls) {
            const QWidget* widget = widgetOf(screen, control.name);
            const QPalette& palette = widget->palette();
            QColor text;
            QColor back;
            switch (control.kind) {
            case ControlKind::Label:
                text = palette.color(QPalette::WindowText);
                back = palette.color(QPalette::Window);
                break;
            case ControlKind::TextBox:
                text = palette.color(QPalette::Text);
                back = palette.color(QPalette::Base);
                break;
            case ControlKind::CommandButton:
                text = palette.color(QPalette::ButtonText);
                back = palette.color(QPalette::Button);
                break;
            default:
                continue;
            }
            const double ratio = contrastRatio(text, back);
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QStringLiteral("%1.%2: %3 on %4 is %5:1")
                                    .arg(qtText((*id).name), qtText(control.name.text()),
                                         text.name(), back.name())
                                    .arg(ratio, 0, 'f', 2)));
        }
        registry_.unload(id);
    }
}

void TestAccessibility::keyboardFocusIsVisible_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QString>("control");
    QTest::newRow("menu button") << screens::frmQV << "Command1";
    QTest::newRow("menu picture") << screens::frmQV << "Picture2";
    QTest::newRow("small picture") << screens::frmQV << "Picture1";
    QTest::newRow("Solve") << screens::frmRealPower << "Command1";
    QTest::newRow("calculator banner") << screens::frmRealPower << "Picture1";
    QTest::newRow("About picture") << screens::frmAbout << "Picture1";
}

void TestAccessibility::keyboardFocusIsVisible()
{
    QFETCH(ScreenId, id);
    QFETCH(QString, control);
    registry_.show(id);
    QWidget* window = windowOf(registry_, id);
    QVERIFY(QTest::qWaitForWindowActive(window));
    const QByteArray name = control.toUtf8();
    QWidget* widget = controlOf(registry_, id, name.constData());
    QWidget* elsewhere =
        controlOf(registry_, id, id == screens::frmAbout ? "Command1" : "Command2");
    if (elsewhere == widget) {
        elsewhere = controlOf(registry_, id, "Command3");
    }
    elsewhere->setFocus();
    QVERIFY(!widget->hasFocus());
    const QImage without = widget->grab().toImage();
    widget->setFocus();
    QVERIFY(widget->hasFocus());
    const QImage with = widget->grab().toImage();
    QVERIFY2(with != without, "the focused control looks the same as the unfocused one");
}

QTEST_MAIN(TestAccessibility)

#include "test_accessibility.moc"
