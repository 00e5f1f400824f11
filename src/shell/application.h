#pragma once

// The application-wide settings every screen relies on, shared by the program and its tests.

namespace quorvex {

// Whether a graphical display can be reached: an explicit Qt platform, an X display or a Wayland
// display.
bool displayAvailable();

// Sets the application's name, style and palette, and leaves the application's lifetime to the
// screen registry.
void configureApplication();

} // namespace quorvex
