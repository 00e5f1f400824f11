#pragma once

// One screen instance: the object a registry slot holds for the life of the process. While the
// screen is loaded it owns its window and controls, built afresh from its description; unloading
// destroys them and keeps the instance. A screen's Click handlers are free functions given the
// instance; they read and write the screen's own controls by name through the accessors here.

#include "screen_description.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace quorvex {

class ScreenRegistry;

// Deletes a window once control returns to the event loop, so that a handler may unload the
// window whose button it is running from.
struct DeleteLater
{
    void operator()(QObject* object) const { object->deleteLater(); }
};
using WindowPointer = std::unique_ptr<QWidget, DeleteLater>;

class Screen final
{
public:
    Screen(ScreenRegistry& registry, const ScreenDescription& description);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    const ScreenDescription& description() const { return description_; }
    bool isLoaded() const { return window_ != nullptr; }
    // The window while the screen is loaded, otherwise null.
    QWidget* window() const { return window_.get(); }
    // The control of that name while the screen is loaded, otherwise null.
    QWidget* control(const ControlName& name) const;

    // Loads the screen from its description if it is unloaded, then brings it to the front and
    // activates it. A loaded screen keeps its control values.
    void show();
    // Destroys the window and its controls; the instance stays in its slot.
    void unload();

    ScreenRegistry& registry() const { return registry_; }

    QString text(const ControlName& textBox) const;
    void setText(const ControlName& textBox, const QString& text);
    QString caption(const ControlName& label) const;
    void setCaption(const ControlName& label, const QString& caption);
    // Sets what a screen reader adds to the control's name, and has a screen reader on the control
    // speak it (each time, even when the text is the one it had).
    void describe(const ControlName& name, const QString& description);
    // Empties a text box's text or a label's caption.
    void clear(const ControlName& name);
    // What Ctrl+C copies from the screen when the focused control has no selection of its own;
    // empty for nothing.
    void setCopyText(const QString& text);

private:
    void load();

    ScreenRegistry& registry_;
    const ScreenDescription& description_;
    WindowPointer window_;
    std::vector<QWidget*> controls_; // parallel to description_.controls while loaded
};

} // namespace quorvex
