#pragma once

// The application-wide settings every screen relies on, shared by the program and its tests.

namespace quorvex {

// Sets the application's name, style and palette, and leaves the application's lifetime to the
// screen registry.
void configureApplication();

// Gives every window the application's icon. Reading the icon's images takes a moment, so the
// program does it once its first window is on its way.
void setApplicationIcon();

} // namespace quorvex
