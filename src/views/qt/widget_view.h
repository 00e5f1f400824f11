#pragma once

// The desktop's view of the screens: each loaded screen as a top-level window of Qt widgets, built
// from its description and state (every control at its position, in its font, colours and
// alignment, stacked and tab-ordered as the description says, each widget named after its
// control), which passes typing, clicks, Ctrl+C and the close box back to the screen.

#include "screen.h"
#include "screen_registry.h"
#include "screen_view.h"

#include <QObject>

#include <memory>
#include <vector>

class QWidget;

namespace quorvex {

// Deletes a window once control returns to the event loop, so that a handler may unload the
// window whose button it is running from.
struct DeleteLater
{
    void operator()(QObject* object) const { object->deleteLater(); }
};
using WindowPointer = std::unique_ptr<QWidget, DeleteLater>;

class WidgetView final : public ScreenView
{
public:
    // Builds the screen's window, centred on the screen the user works on, with the focus on the
    // screen's first control; `present` shows it.
    explicit WidgetView(Screen& screen);
    ~WidgetView() override;

    void present() override;
    void valueChanged(std::size_t control) override;
    void descriptionChanged(std::size_t control, bool spoken) override;
    void announce(const std::string& text) override;

    QWidget* window() const { return window_.get(); }
    // The widget of the control at that position in the description.
    QWidget* control(std::size_t control) const { return controls_[control]; }

private:
    Screen& screen_;
    WindowPointer window_;
    std::vector<QWidget*> controls_; // parallel to the description's controls; owned by window_
    // The context of the widgets' connections to the screen: they end with the view, while the
    // widgets live on until the event loop deletes them.
    QObject connections_;
};

class WidgetPresenter final : public ScreenPresenter
{
public:
    std::unique_ptr<ScreenView> open(Screen& screen) override;
    // Ends the application's event loop.
    void closed() override;
};

// The registry of the desktop program and its tests: every screen shown as widgets.
class WidgetRegistry final : public ScreenRegistry
{
public:
    WidgetRegistry();
};

// A loaded screen's window, and the widget of one of its controls; null while it is unloaded.
QWidget* windowOf(const Screen& screen);
QWidget* widgetOf(const Screen& screen, const ControlName& name);

} // namespace quorvex
