#include "screen.h"

#include "control_widgets.h"
#include "platform.h"
#include "screen_builder.h"
#include "screen_registry.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cassert>

namespace quorvex {
namespace {

// The screen the user is working on: the one holding the active window (the menu, when one of
// its buttons opens a screen), else the one under the mouse pointer, else the primary one.
QScreen* workingScreen()
{
    if (const QWidget* active = QApplication::activeWindow()) {
        return active->screen();
    }
    if (QScreen* underPointer = QGuiApplication::screenAt(QCursor::pos())) {
        return underPointer;
    }
    return QGuiApplication::primaryScreen();
}

// Centres the client area on the working screen (the frame is not known before the window is
// first shown). On a screen too small for it, a resizable window is made to fit, and any window
// keeps its top-left corner on the screen.
void placeOnWorkingScreen(QWidget& window)
{
    QScreen* screen = workingScreen();
    if (!screen) {
        return;
    }
    window.setScreen(screen);
    const QRect available = screen->availableGeometry();
    QSize size = window.size();
    if (window.minimumSize() != window.maximumSize()) {
        size = size.boundedTo(available.size());
    }
    QRect geometry = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available);
    geometry.moveTopLeft(
        {std::max(geometry.left(), available.left()), std::max(geometry.top(), available.top())});
    window.setGeometry(geometry);
}

} // namespace

Screen::Screen(ScreenRegistry& registry, const ScreenDescription& description)
    : registry_(registry), description_(description)
{
}

Screen::~Screen() = default;

QWidget* Screen::control(const ControlName& name) const
{
    const auto& controls = description_.controls;
    const auto found = std::ranges::find(controls, name, &ControlDescription::name);
    if (!window_ || found == controls.end()) {
        return nullptr;
    }
    return controls_[static_cast<std::size_t>(found - controls.begin())];
}

void Screen::show()
{
    if (window_) {
        window_->raise();
    } else {
        load();
    }
    window_->show();
    window_->activateWindow();
}

void Screen::load()
{
    BuiltWindow built = buildWindow(*this);
    window_ = std::move(built.window);
    controls_ = std::move(built.controls);
    // Every screen opens centred on the screen the user is working on: none is ever shown with
    // an owner to centre on.
    placeOnWorkingScreen(*window_);

    const auto& controls = description_.controls;
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].takesFocus() &&
            (!first || controls[i].tabIndex < controls[*first].tabIndex)) {
            first = i;
        }
    }
    if (first) {
        controls_[*first]->setFocus(Qt::OtherFocusReason);
    }
}

void Screen::unload()
{
    if (!window_) {
        return;
    }
    window_->hide();
    controls_.clear();
    window_.reset();
    registry_.screenUnloaded();
}

QString Screen::text(const ControlName& textBox) const
{
    const auto* box = qobject_cast<const QLineEdit*>(control(textBox));
    assert(box);
    return box ? box->text() : QString();
}

void Screen::setText(const ControlName& textBox, const QString& text)
{
    auto* box = qobject_cast<QLineEdit*>(control(textBox));
    assert(box);
    if (box) {
        box->setText(text);
    }
}

QString Screen::caption(const ControlName& label) const
{
    const auto* widget = qobject_cast<const QLabel*>(control(label));
    assert(widget);
    return widget ? widget->text() : QString();
}

void Screen::describe(const ControlName& name, const QString& description)
{
    QWidget* widget = control(name);
    assert(widget);
    if (widget) {
        widget->setAccessibleDescription(description);
        if (!description.isEmpty()) {
            platform::announceDescription(*widget);
        }
    }
}

void Screen::setCaption(const ControlName& label, const QString& caption)
{
    auto* widget = qobject_cast<QLabel*>(control(label));
    assert(widget);
    if (widget) {
        widget->setText(caption);
    }
}

void Screen::setCopyText(const QString& text)
{
    if (auto* window = dynamic_cast<ScreenWindow*>(window_.get())) {
        window->setCopyText(text);
    }
}

void Screen::clear(const ControlName& name)
{
    if (auto* box = qobject_cast<QLineEdit*>(control(name))) {
        box->clear();
    } else {
        setCaption(name, QString());
    }
}

} // namespace quorvex
