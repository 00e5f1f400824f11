// What assistive technology and people with low vision get from the screens: accessible names,
// descriptions and roles, text contrast under light and dark desktop palettes, and a visible
// keyboard focus.

#include "qt_values.h"
#include "screen_table.h"
#include "screen_test_support.h"
#include "spoken_names.h"

#include <QAccessible>
#include <QStyle>
#include <QStyleFactory>

#include <cmath>
#include <memory>

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
        return qtText(spoken::voltage);
    }
    if (control.name == ControlName("Txt_b")) {
        return qtText(spoken::current);
    }
    if (control.name == element("Txt_c", 1)) {
        return qtText(spoken::angle);
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
    void textContrastMeetsAA_data();
    void textContrastMeetsAA();
    void keyboardFocusIsVisible_data();
    void keyboardFocusIsVisible();

private:
    ScreenRegistry registry_;
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
    for (const ScreenDefinition& definition : screenTable()) {
        QTest::newRow(definition.description().name.data()) << definition.id;
    }
}

void TestAccessibility::everyControlIsAnnounced()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    for (const ControlDescription& control : screen.description().controls) {
        if (control.kind == ControlKind::Shape) {
            continue;
        }
        const QString where = qtText(control.name.text());
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(screen.control(control.name));
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
    }
}

void TestAccessibility::resultLabelsAreReadAsTheirValue_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("descriptions");
    QTest::addColumn<QStringList>("values");
    const QStringList angleLabels{"Lbl_m", "Lbl_Pi", "Lbl_x", "Lbl_s"};
    QTest::newRow("three-phase real power")
        << ScreenId::frmRealPower << angleLabels
        << QStringList{qtText(spoken::powerFactor), qtText(spoken::angleAsRead),
                       qtText(spoken::realPower), qtText(spoken::apparentPower)}
        << QStringList{"0.866", "30", "6", "6.928"};
    QTest::newRow("single-phase reactive power")
        << ScreenId::frm1PReactivePower << angleLabels
        << QStringList{qtText(spoken::sine), qtText(spoken::angleAsRead),
                       qtText(spoken::reactivePower), qtText(spoken::apparentPower)}
        << QStringList{"0.5", "30", "2", "4"};
    QTest::newRow("three-phase apparent power")
        << ScreenId::frmApparentPower << QStringList{"Lbl_x"}
        << QStringList{qtText(spoken::apparentPower)} << QStringList{"6.928"};
}

void TestAccessibility::resultLabelsAreReadAsTheirValue()
{
    QFETCH(ScreenId, id);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, descriptions);
    QFETCH(QStringList, values);
    registry_.show(id);
    typeInto(registry_, id, "Txt_a", "400");
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
    for (const ScreenDefinition& definition : screenTable()) {
        registry_.show(definition.id);
        const Screen& screen = *registry_.instance(definition.id);
        for (const ControlDescription& control : screen.description().controls) {
            const QWidget* widget = screen.control(control.name);
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
                                    .arg(qtText(definition.description().name),
                                         qtText(control.name.text()), text.name(), back.name())
                                    .arg(ratio, 0, 'f', 2)));
        }
        registry_.unload(definition.id);
    }
}

void TestAccessibility::keyboardFocusIsVisible_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QString>("control");
    QTest::newRow("menu button") << ScreenId::frmQV << "Command1";
    QTest::newRow("menu picture") << ScreenId::frmQV << "Picture2";
    QTest::newRow("small picture") << ScreenId::frmQV << "Picture1";
    QTest::newRow("Solve") << ScreenId::frmRealPower << "Command1";
    QTest::newRow("calculator banner") << ScreenId::frmRealPower << "Picture1";
    QTest::newRow("About picture") << ScreenId::frmAbout << "Picture1";
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
        controlOf(registry_, id, id == ScreenId::frmAbout ? "Command1" : "Command2");
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
