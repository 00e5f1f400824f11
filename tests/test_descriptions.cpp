// Invariants every screen description must keep. They catch slips in transcribing a control
// table without repeating the table itself.

#include "application.h"
#include "calculator_frame.h"
#include "column_layout.h"
#include "qt_values.h"
#include "screen_table.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

#include <set>

using namespace quorvex;

Q_DECLARE_METATYPE(const ScreenDescription*)

namespace {

QString where(const ScreenDescription& screen, const ControlDescription& control)
{
    return qtText(screen.name) + QLatin1Char('.') + qtText(control.name.text());
}

} // namespace

class TestDescriptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void screen_data();
    void controlNamesAreUniqueIgnoringCase_data() { screen_data(); }
    void controlNamesAreUniqueIgnoringCase();
    void tabIndexesAreUniqueAndOnlyFocusableControlsHaveOne_data() { screen_data(); }
    void tabIndexesAreUniqueAndOnlyFocusableControlsHaveOne();
    void everyControlLiesInsideTheClientArea_data() { screen_data(); }
    void everyControlLiesInsideTheClientArea();
    void fontsAndColoursAreOnesTheScreensUse_data() { screen_data(); }
    void fontsAndColoursAreOnesTheScreensUse();
    void everyButtonHasAHandlerAndACaption_data() { screen_data(); }
    void everyButtonHasAHandlerAndACaption();
    void everyStaticCaptionFitsItsBox_data() { screen_data(); }
    void everyStaticCaptionFitsItsBox();
    void newValuesAndTheSummaryCoverEveryValue_data() { screen_data(); }
    void newValuesAndTheSummaryCoverEveryValue();
    void groupsAreHeadedByTheGroupTheirButtonsAreHeardIn_data() { screen_data(); }
    void groupsAreHeadedByTheGroupTheirButtonsAreHeardIn();
    void theColumnHoldsEveryTargetOnceUnderTheTitle_data() { screen_data(); }
    void theColumnHoldsEveryTargetOnceUnderTheTitle();
};

void TestDescriptions::initTestCase()
{
    configureApplication();
}

void TestDescriptions::screen_data()
{
    QTest::addColumn<const ScreenDescription*>("screen");
    for (const ScreenId id : kScreenTable) {
        const ScreenDescription& screen = (*id);
        QTest::newRow(screen.name.data()) << &screen;
    }
}

void TestDescriptions::controlNamesAreUniqueIgnoringCase()
{
    QFETCH(const ScreenDescription*, screen);
    const auto& controls = screen->controls;
    QVERIFY(!controls.empty());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            QVERIFY2(!(controls[i].name == controls[j].name),
                     qPrintable(where(*screen, controls[j])));
        }
    }
}

void TestDescriptions::tabIndexesAreUniqueAndOnlyFocusableControlsHaveOne()
{
    QFETCH(const ScreenDescription*, screen);
    std::set<int> seen;
    for (const ControlDescription& control : screen->controls) {
        const QString name = where(*screen, control);
        if (!control.takesFocus()) {
            QVERIFY2(!control.tabIndex, qPrintable(name));
            continue;
        }
        QVERIFY2(control.tabIndex && *control.tabIndex >= 0, qPrintable(name));
        QVERIFY2(seen.insert(*control.tabIndex).second, qPrintable(name));
    }
}

void TestDescriptions::everyControlLiesInsideTheClientArea()
{
    QFETCH(const ScreenDescription*, screen);
    for (const ControlDescription& control : screen->controls) {
        const TwipRect& box = control.geometry;
        QVERIFY2(box.left >= 0 && box.top >= 0 && box.width > 0 && box.height > 0 &&
                     box.right() <= screen->client.width && box.bottom() <= screen->client.height,
                 qPrintable(where(*screen, control)));
    }
}

void TestDescriptions::fontsAndColoursAreOnesTheScreensUse()
{
    QFETCH(const ScreenDescription*, screen);
    const std::set<double> sizes{8.25, 9, 9.75, 12, 13.5, 14.25, 15.75};
    const std::set<std::string_view> faces{"MS Sans Serif", "Times New Roman", "Verdana"};
    const auto validColour = [](std::optional<ColourValue> colour) {
        return !colour || ((*colour & kSystemColourFlag)
                               ? (*colour & 0x7FFFFF00u) == 0 && (*colour & 0xFFu) <= 24
                               : (*colour & 0xFF000000u) == 0);
    };
    QVERIFY(validColour(screen->backColour));
    for (const ControlDescription& control : screen->controls) {
        const QString name = where(*screen, control);
        if (control.font) {
            QVERIFY2(sizes.contains(control.font->points), qPrintable(name));
            QVERIFY2(faces.contains(control.font->face), qPrintable(name));
        }
        QVERIFY2(validColour(control.backColour) && validColour(control.foreColour),
                 qPrintable(name));
    }
}

void TestDescriptions::everyButtonHasAHandlerAndACaption()
{
    QFETCH(const ScreenDescription*, screen);
    for (const ControlDescription& control : screen->controls) {
        const bool isButton = control.kind == ControlKind::CommandButton;
        QVERIFY2(isButton == (control.handler != nullptr), qPrintable(where(*screen, control)));
        if (isButton) {
            QVERIFY2(!control.caption.empty(), qPrintable(where(*screen, control)));
        }
        QVERIFY2((control.kind == ControlKind::PictureBox) == (control.picture != Artwork::None),
                 qPrintable(where(*screen, control)));
    }
}

void TestDescriptions::everyStaticCaptionFitsItsBox()
{
    QFETCH(const ScreenDescription*, screen);
    for (const ControlDescription& control : screen->controls) {
        if (control.caption.empty()) {
            continue;
        }
        const QFontMetrics metrics(fontOf(control.font.value_or(fonts::screenDefault)));
        const QRect box = pixelRect(control.geometry);
        const QString caption = qtText(control.caption);
        const QString name = where(*screen, control);
        if (control.kind == ControlKind::Label) {
            // Wrapped at word boundaries as the label shows it; a border takes a pixel a side.
            const int border = control.border == LabelBorder::FixedSingle ? 1 : 0;
            const QRect inside = box.adjusted(border, border, -border, -border);
            const QRect needed = metrics.boundingRect(QRect(0, 0, inside.width(), 10'000),
                                                      Qt::TextWordWrap, caption);
            QVERIFY2(needed.width() <= inside.width() && needed.height() <= inside.height(),
                     qPrintable(QStringLiteral("%1 needs %2x%3 in %4x%5")
                                    .arg(name)
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(inside.width())
                                    .arg(inside.height())));
        } else {
            // A button's caption stays on one line inside its one-pixel frame.
            const int needed = metrics.horizontalAdvance(caption) + 2;
            QVERIFY2(
                needed <= box.width(),
                qPrintable(
                    QStringLiteral("%1 needs %2 of %3").arg(name).arg(needed).arg(box.width())));
        }
    }
}

void TestDescriptions::newValuesAndTheSummaryCoverEveryValue()
{
    QFETCH(const ScreenDescription*, screen);
    const auto isValue = [](const ControlDescription& control) {
        return control.kind == ControlKind::TextBox ||
               (control.kind == ControlKind::Label && control.words);
    };
    const auto listed = [](std::span<const ControlName> list, const ControlName& name) {
        return std::ranges::find(list, name) != list.end();
    };
    const bool calculator = !screen->clearedByNewValues.empty();
    std::size_t values = 0;
    for (const ControlDescription& control : screen->controls) {
        const QString name = where(*screen, control);
        if (isValue(control)) {
            ++values;
            QVERIFY2(calculator,
                     qPrintable(name + QStringLiteral(" on a screen without New Values")));
            // "New Values" empties every box and every result; "Solve" names every result.
            QVERIFY2(listed(screen->clearedByNewValues, control.name), qPrintable(name));
            QVERIFY2(control.kind == ControlKind::TextBox ||
                         listed(screen->heardAfterSolve, control.name),
                     qPrintable(name));
        }
    }
    // And nothing else: no caption, no name that is not on the screen.
    QCOMPARE(screen->clearedByNewValues.size(), values);
    for (const ControlName& name : screen->heardAfterSolve) {
        const auto row = std::ranges::find(screen->controls, name, &ControlDescription::name);
        QVERIFY2(row != screen->controls.end() && row->words, qPrintable(qtText(name.text())));
    }
}

void TestDescriptions::groupsAreHeadedByTheGroupTheirButtonsAreHeardIn()
{
    QFETCH(const ScreenDescription*, screen);
    // A button described by its group (the menu's power buttons) lies in exactly one drawn group,
    // whose heading is that group's caption; every group has a heading.
    const auto& controls = screen->controls;
    const std::vector<ControlGroup> groups = controlGroups(*screen);
    std::size_t grouped = 0;
    for (const ControlGroup& group : groups) {
        QVERIFY2(group.heading, qPrintable(where(*screen, controls[group.shape])));
        for (const std::size_t member : group.members) {
            ++grouped;
            QCOMPARE(controls[member].accessibleDescription, controls[*group.heading].caption);
        }
    }
    const auto describedButtons = std::ranges::count_if(controls, [](const auto& control) {
        return control.kind == ControlKind::CommandButton && !control.accessibleDescription.empty();
    });
    QCOMPARE(grouped, static_cast<std::size_t>(describedButtons));
}

void TestDescriptions::theColumnHoldsEveryTargetOnceUnderTheTitle()
{
    QFETCH(const ScreenDescription*, screen);
    // On a small screen every control a user can reach is in the column once, under the title (a
    // calculator's own), and the results follow in the order a screen reader hears them.
    const std::vector<ColumnRow> rows = columnLayout(*screen);
    std::vector<std::size_t> placed;
    std::vector<ControlName> results;
    for (const ColumnRow& row : rows) {
        placed.insert(placed.end(), row.controls.begin(), row.controls.end());
        if (row.part == ColumnPart::Result) {
            results.push_back(screen->controls[row.controls[0]].name);
        }
    }
    for (const std::size_t control : tabOrder(*screen)) {
        QCOMPARE(std::ranges::count(placed, control), 1);
    }
    QVERIFY(std::ranges::equal(results, screen->heardAfterSolve));
    QVERIFY(screen->heardAfterSolve.empty() ||
            screen->controls[rows.at(0).controls.at(0)].name == kTitleLabel);
}

QTEST_MAIN(TestDescriptions)

#include "test_descriptions.moc"
