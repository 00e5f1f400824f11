// The windows the builder makes from the descriptions: names, positions, fonts, colours,
// stacking, focus and the keyboard.

#include "platform.h"
#include "qt_values.h"
#include "screen_table.h"
#include "screen_test_support.h"
#include "web_view.h"

#include <QFontInfo>

using namespace quorvex;
using namespace quorvex::testing;

namespace {

Qt::Alignment horizontal(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

class TestBuilder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void screen_data();
    void everyControlIsBuiltAsDescribed_data() { screen_data(); }
    void everyControlIsBuiltAsDescribed();
    void twipRectsConvertByTheirEdges_data();
    void twipRectsConvertByTheirEdges();
    void controlsLandOnTheirPixels_data();
    void controlsLandOnTheirPixels();
    void windowlessControlsLieBelowWindowedOnes_data() { screen_data(); }
    void windowlessControlsLieBelowWindowedOnes();
    void windowHasItsCaptionSizeAndBorder_data() { screen_data(); }
    void windowHasItsCaptionSizeAndBorder();
    void missingFacesUseTheirStandIns_data();
    void missingFacesUseTheirStandIns();
    void coloursFollowTheDescription_data();
    void coloursFollowTheDescription();
    void enterAndSpaceClickOnlyTheFocusedButton_data();
    void enterAndSpaceClickOnlyTheFocusedButton();
    void escapeDoesNothing();

private:
    WidgetRegistry registry_;
};

void TestBuilder::initTestCase()
{
    configureApplication();
}

void TestBuilder::cleanup()
{
    unloadAll(registry_);
}

void TestBuilder::screen_data()
{
    QTest::addColumn<ScreenId>("id");
    for (const ScreenId id : kScreenTable) {
        QTest::newRow((*id).name.data()) << id;
    }
}

void TestBuilder::everyControlIsBuiltAsDescribed()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    for (const ControlDescription& control : screen.description().controls) {
        const QString name = qtText(control.name.text());
        QWidget* widget = widgetOf(screen, control.name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->objectName(), name);
        QCOMPARE(widget->geometry(), pixelRect(control.geometry));
        QCOMPARE(widget->isVisible(), true);
        QCOMPARE(widget->isEnabled(), true);
        QCOMPARE(widget->focusPolicy() != Qt::NoFocus, control.takesFocus());

        const FontDescription font = control.font.value_or(fonts::screenDefault);
        QCOMPARE(widget->font().pointSizeF(), font.points);
        QCOMPARE(widget->font().weight(), static_cast<QFont::Weight>(font.weight));

        if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), qtText(control.caption));
            QCOMPARE(label->alignment(), horizontal(control.alignment) | Qt::AlignTop);
            QVERIFY(label->wordWrap());
            QVERIFY(label->autoFillBackground());
            QCOMPARE(label->frameShape() == QFrame::Box,
                     control.border == LabelBorder::FixedSingle);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), qtText(control.caption));
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(box->text(), QString());
        }
    }
}

void TestBuilder::twipRectsConvertByTheirEdges_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("pixels");
    // 15 twips to a pixel: each edge goes to the nearest pixel, and the size is what lies
    // between the edges, so that boxes that meet in twips meet in pixels.
    QTest::newRow("exact pixels") << 150 << 300 << 1500 << 450 << QRect(10, 20, 100, 30);
    QTest::newRow("edges round up past a half") << 8 << 23 << 15 << 15 << QRect(1, 2, 1, 1);
    QTest::newRow("edges round down below a half") << 7 << 22 << 15 << 15 << QRect(0, 1, 1, 1);
    QTest::newRow("size between rounded edges, not rounded width")
        << 7 << 7 << 7 << 7 << QRect(0, 0, 1, 1);
    QTest::newRow("a box meeting the previous one") << 7 << 0 << 7 << 15 << QRect(0, 0, 1, 1);
}

void TestBuilder::twipRectsConvertByTheirEdges()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QRect, pixels);
    QCOMPARE(pixelRect(TwipRect{left, top, width, height}), pixels);
}

void TestBuilder::controlsLandOnTheirPixels_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("pixels");
    // The controls whose twips fall between pixels, worked out by hand.
    QTest::newRow("angle box") << screens::frmRealPower << "Txt_c(1)" << QRect(153, 123, 97, 33);
    QTest::newRow("Back to Main Page")
        << screens::frmRealPower << "Command3" << QRect(568, 319, 105, 33);
    QTest::newRow("formula strip") << screens::frmRealPower << "Label4" << QRect(37, 332, 309, 21);
    QTest::newRow("result frame") << screens::frmRealPower << "Shape1" << QRect(12, 172, 493, 251);
    QTest::newRow("menu button") << screens::frmQV << "Command1" << QRect(24, 120, 81, 33);
}

void TestBuilder::controlsLandOnTheirPixels()
{
    QFETCH(ScreenId, id);
    QFETCH(QString, control);
    QFETCH(QRect, pixels);
    registry_.show(id);
    QWidget* widget = windowOf(registry_, id)->findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), pixels);
}

void TestBuilder::windowlessControlsLieBelowWindowedOnes()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    // Children are stacked bottom to top: windowless controls first, each group in creation
    // order.
    QStringList expected;
    for (const bool windowless : {true, false}) {
        for (const ControlDescription& control : screen.description().controls) {
            const bool isWindowless =
                control.kind == ControlKind::Label || control.kind == ControlKind::Shape;
            if (isWindowless == windowless) {
                expected << qtText(control.name.text());
            }
        }
    }
    QStringList stacked;
    for (const QObject* child : windowOf(screen)->children()) {
        if (child->isWidgetType()) {
            stacked << child->objectName();
        }
    }
    QCOMPARE(stacked, expected);
}

void TestBuilder::windowHasItsCaptionSizeAndBorder()
{
    QFETCH(ScreenId, id);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    QWidget* window = windowOf(screen);
    QCOMPARE(window->objectName(), qtText(screen.description().name));
    QCOMPARE(window->windowTitle(), qtText(screen.description().caption));
    QCOMPARE(window->size(), pixelSize(screen.description().client));
    const bool fixed = screen.description().border == WindowBorder::FixedSingle;
    QCOMPARE(window->minimumSize() == window->maximumSize(), fixed);
    QCOMPARE(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint), !fixed);
}

void TestBuilder::missingFacesUseTheirStandIns_data()
{
    QTest::addColumn<QString>("face");
    QTest::newRow("MS Sans Serif") << "MS Sans Serif";
    QTest::newRow("Times New Roman") << "Times New Roman";
    QTest::newRow("Verdana") << "Verdana";
}

void TestBuilder::missingFacesUseTheirStandIns()
{
    QFETCH(QString, face);
    const std::string faceName = face.toStdString();
    // The platform's stand-in (Liberation and DejaVu faces on Linux, installed with the program).
    const QString standIn = platform::standInFace(faceName);
    const QFontInfo resolved(fontOf({.face = faceName, .points = 12, .weight = FontWeight::Bold}));
    QVERIFY2(resolved.family() == face || resolved.family() == standIn,
             qPrintable(resolved.family()));
    // Where the platform has the face only as a bitmap, its outline stand-in is drawn instead.
    if (platform::standInReplacesFace(faceName)) {
        QCOMPARE(resolved.family(), standIn);
    }
    QVERIFY(resolved.bold());
}

void TestBuilder::coloursFollowTheDescription_data()
{
    QTest::addColumn<ScreenId>("id");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");

    const QPalette palette = QApplication::palette();
    QTest::newRow("formula strip is pink")
        << screens::frmApparentPower << "Label4" << QPalette::Window << QColor(255, 192, 192);
    QTest::newRow("formula text in the window-text colour")
        << screens::frmApparentPower << "Label4" << QPalette::WindowText
        << palette.color(QPalette::Text);
    QTest::newRow("input boxes on the info background")
        << screens::frmApparentPower << "Txt_a" << QPalette::Base
        << palette.color(QPalette::ToolTipBase);
    QTest::newRow("labels on the button face")
        << screens::frmQV << "Label1" << QPalette::Window << palette.color(QPalette::Button);
    QTest::newRow("label text in the button-text colour")
        << screens::frmQV << "Label1" << QPalette::WindowText
        << palette.color(QPalette::ButtonText);
    QTest::newRow("menu on the active-border colour")
        << screens::frmQV << "" << QPalette::Window << palette.color(QPalette::Mid);
}

void TestBuilder::coloursFollowTheDescription()
{
    QFETCH(ScreenId, id);
    QFETCH(QString, control);
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);
    registry_.show(id);
    const Screen& screen = *registry_.instance(id);
    const QByteArray name = control.toUtf8();
    const QWidget* widget =
        control.isEmpty() ? windowOf(screen) : widgetOf(screen, name.constData());
    QVERIFY(widget);
    QCOMPARE(widget->palette().color(QPalette::Active, role), colour);

    // The browser draws the control in the same colour.
    const bool text = role == QPalette::WindowText || role == QPalette::Text;
    const std::optional<std::size_t> index = screen.indexOf(name.constData());
    const ColourValue value = !index ? backColourOf(screen.description())
                              : text ? foreColourOf(screen.description().controls[*index])
                                     : backColourOf(screen.description().controls[*index]);
    QCOMPARE(QString::fromStdString(cssColour(value)), colour.name());
}

void TestBuilder::enterAndSpaceClickOnlyTheFocusedButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Enter on Solve") << "Command1" << int(Qt::Key_Return) << "6.928";
    QTest::newRow("keypad Enter on Solve") << "Command1" << int(Qt::Key_Enter) << "6.928";
    QTest::newRow("Space on Solve") << "Command1" << int(Qt::Key_Space) << "6.928";
    QTest::newRow("Enter in a box clicks nothing") << "Txt_b" << int(Qt::Key_Return) << "";
    QTest::newRow("Enter on the picture clicks nothing") << "Picture1" << int(Qt::Key_Return) << "";
}

void TestBuilder::enterAndSpaceClickOnlyTheFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, shown);
    registry_.show(screens::frmApparentPower);
    QVERIFY(QTest::qWaitForWindowActive(windowOf(registry_, screens::frmApparentPower)));
    typeInto(registry_, screens::frmApparentPower, "Txt_a", "400");
    typeInto(registry_, screens::frmApparentPower, "Txt_b", "10");
    const QByteArray name = focus.toUtf8();
    QWidget* target = controlOf(registry_, screens::frmApparentPower, name.constData());
    target->setFocus();
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    QCOMPARE(captionOf(registry_, screens::frmApparentPower, "Lbl_x"), shown);
}

void TestBuilder::escapeDoesNothing()
{
    registry_.show(screens::frmApparentPower);
    QWidget* window = windowOf(registry_, screens::frmApparentPower);
    QVERIFY(QTest::qWaitForWindowActive(window));
    typeInto(registry_, screens::frmApparentPower, "Txt_a", "400");
    for (const char* focus : {"Txt_a", "Command1", "Command3"}) {
        QWidget* target = controlOf(registry_, screens::frmApparentPower, focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
    }
    QCOMPARE(registry_.state(screens::frmApparentPower), ScreenState::Loaded);
    QVERIFY(window->isVisible());
    QCOMPARE(textOf(registry_, screens::frmApparentPower, "Txt_a"), QStringLiteral("400"));
    QCOMPARE(captionOf(registry_, screens::frmApparentPower, "Lbl_x"), QString());
}

QTEST_MAIN(TestBuilder)

#include "test_builder.moc"
