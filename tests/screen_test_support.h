#pragma once

// Helpers for driving the real screens in tests: one registry per test program, access to a
// loaded screen's controls by name, typing and clicking as a user would, and a check that a test
// leaves no window behind.

#include "application.h"
#include "screen_table.h"
#include "widget_view.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <vector>

namespace quorvex::testing {

// The menu's button for each screen it opens, as the menu's own rows say.
struct MenuOpening
{
    ScreenId id;
    const char* menuButton;
};

inline std::vector<MenuOpening> menuOpenings()
{
    std::vector<MenuOpening> openings;
    for (const ControlDescription& control : screens::frmQV->controls) {
        if (control.opensScreen) {
            openings.push_back({control.opensScreen, control.name.name.data()});
        }
    }
    return openings;
}

inline const char* menuButtonOf(ScreenId id)
{
    for (const MenuOpening& opening : menuOpenings()) {
        if (opening.id == id) {
            return opening.menuButton;
        }
    }
    return "";
}

inline QWidget* windowOf(const ScreenRegistry& registry, ScreenId id)
{
    const Screen* screen = registry.instance(id);
    return screen ? windowOf(*screen) : nullptr;
}

template <typename Widget = QWidget>
Widget* controlOf(const ScreenRegistry& registry, ScreenId id, const ControlName& name)
{
    const Screen* screen = registry.instance(id);
    return screen ? qobject_cast<Widget*>(widgetOf(*screen, name)) : nullptr;
}

inline QString captionOf(const ScreenRegistry& registry, ScreenId id, const ControlName& name)
{
    const auto* label = controlOf<QLabel>(registry, id, name);
    return label ? label->text() : QStringLiteral("<no label %1>").arg(name.text().c_str());
}

inline QString textOf(const ScreenRegistry& registry, ScreenId id, const ControlName& name)
{
    const auto* box = controlOf<QLineEdit>(registry, id, name);
    return box ? box->text() : QStringLiteral("<no text box %1>").arg(name.text().c_str());
}

// Replaces a box's text the way a user does: select all, then type.
inline void typeInto(const ScreenRegistry& registry, ScreenId id, const ControlName& name,
                     const QString& text)
{
    auto* box = controlOf<QLineEdit>(registry, id, name);
    QVERIFY2(box, name.text().c_str());
    box->setFocus();
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
    } else {
        QTest::keyClicks(box, text);
    }
}

inline void clickButton(const ScreenRegistry& registry, ScreenId id, const ControlName& name)
{
    auto* button = controlOf<QPushButton>(registry, id, name);
    QVERIFY2(button, name.text().c_str());
    QTest::mouseClick(button, Qt::LeftButton);
}

// Deletes the windows of unloaded screens now rather than at the next turn of the event loop.
inline void deleteUnloadedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline void unloadAll(ScreenRegistry& registry)
{
    registry.unloadAll();
    deleteUnloadedWindows();
}

// Checks that the focus starts on the first control of `cycle` and that Tab visits the rest in
// order, wrapping round to the first, and Shift+Tab goes back the same way.
inline void checkTabCycle(const QStringList& cycle)
{
    QCOMPARE(QApplication::focusWidget()->objectName(), cycle.first());
    for (qsizetype i = 1; i < cycle.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), cycle[i]);
    }
    for (qsizetype i = cycle.size() - 2; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), cycle[i]);
    }
}

inline int visibleTopLevelWindows()
{
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->isVisible() ? 1 : 0;
    }
    return count;
}

} // namespace quorvex::testing
