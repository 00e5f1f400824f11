#pragma once

// The application-wide settings every screen relies on, shared by the program and its tests, and
// the program's start-up steps around the application object.

#include <vector>

namespace quorvex {

// Whether a graphical display can be named: an explicit Qt platform, an X display or a Wayland
// display.
bool displayAvailable();

// Keeps Qt from loading the desktop's platform theme (GTK 3 on GNOME and its kin, the KDE theme
// with its kdeglobals): every screen sets its own style, palette and fonts, so the theme would
// only cost start-up time, memory, and an empty second application on the accessibility bus.
// Scaling, the accessibility bridge and the window icon do not depend on it. Call it before the
// application object is made.
void ignoreDesktopSettings();

// Lets a screen reader started after the program find it. Qt 6.4 reads whether assistive
// technology is wanted once, when the accessibility bus appears, and never again: a program
// started before Orca stayed silent for the rest of its life. This keeps Qt's AT-SPI bridge
// connected whenever the desktop runs an accessibility bus (a program started before the bus
// still connects when it appears). Call it before the application object is made.
void reachScreenReadersStartedLater();

// Sets the application's name, style and palette, and leaves the application's lifetime to the
// screen registry.
void configureApplication();

// Gives every window the application's icon. Reading the icon's images takes a moment, so the
// program does it once its first window is on its way.
void setApplicationIcon();

// Lives while the application object is made. Qt's messages are held back meanwhile; if Qt cannot
// open the display it names (it then stops the program with a fatal message and an abort), the
// program instead says so in one line and exits with status 1. Once the application object is
// made, `release` passes the held messages on as usual.
class DisplayOpening
{
public:
    DisplayOpening();
    ~DisplayOpening();
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;

    void release();

    struct HeldMessage;

private:
    std::vector<HeldMessage> held_;
    bool released_ = false;
};

} // namespace quorvex
