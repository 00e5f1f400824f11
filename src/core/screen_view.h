#pragma once

// What the core asks of a view: the desktop's widgets or the browser's page. The core holds every
// screen's state and applies the rules; a view draws a loaded screen from its description and
// state, is told what changes, and passes the user's typing and clicks back as calls on the
// screen (Screen::edit, Screen::click). A view decides nothing a user could observe.

#include <cstddef>
#include <memory>
#include <string>

namespace quorvex {

class Screen;

// The view of one loaded screen, alive exactly while the screen is loaded.
class ScreenView
{
public:
    virtual ~ScreenView() = default;

    // Brings the screen's window to the front, shows it and gives it the keyboard focus.
    virtual void present() = 0;
    // A handler changed the text of a box or the caption of a label.
    virtual void valueChanged(std::size_t control) = 0;
    // What a screen reader adds to the control's name changed; when `spoken`, a screen reader on
    // the control speaks the new text now.
    virtual void descriptionChanged(std::size_t control, bool spoken) = 0;
    // Has a screen reader say `text` once: a confirmation that leaves every control as it was.
    virtual void announce(const std::string& text) = 0;
};

// Makes the views of the screens as they load, and ends the application with the last one.
class ScreenPresenter
{
public:
    virtual ~ScreenPresenter() = default;

    // The view of a screen just loaded: every control drawn from the screen's state, and the
    // keyboard focus on the control Screen::firstFocus names. It is shown by `present`.
    virtual std::unique_ptr<ScreenView> open(Screen& screen) = 0;
    // The last loaded screen was unloaded: the application has ended.
    virtual void closed() = 0;
};

} // namespace quorvex
