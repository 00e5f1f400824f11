#pragma once

// What differs between the platforms Quorvex runs on: Linux (X11 or Wayland, AT-SPI screen
// readers) and Windows (UI Automation screen readers). Each platform implements this interface in
// a file of its own, platform_linux.cpp or platform_windows.cpp, and the build compiles the one for
// its target; nothing else in the program asks which platform it runs on.

#include <QString>

#include <memory>
#include <string_view>

class QWidget;

namespace quorvex::platform {

// Whether a graphical display can be named. When none can, says so in one line on the standard
// error and returns false. Call it before the application object is made.
bool displayAvailable();

// The settings that must be made before the application object: where the platform's defaults
// would cost start-up time or keep a screen reader from finding the program.
void prepareApplication();

// Lives while the application object is made. Where opening the display can fail (the display
// named is not there, the platform plugin lacks a library), Qt's messages are held back
// meanwhile, and a failure ends the program with one line and status 1 instead of Qt's several
// lines and an abort. Once the application object is made, `release` passes the held messages on.
class DisplayOpening
{
public:
    DisplayOpening();
    ~DisplayOpening();
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;

    void release();

    struct Held;

private:
    std::unique_ptr<Held> held_;
};

// The face to use where the named face is not installed, or an empty text where the platform has
// the named faces itself.
QString standInFace(std::string_view face);

// Whether the stand-in is drawn even where the named face is installed: the platform has the named
// face only as a bitmap face, in a few sizes, and the stand-in is its outline twin.
bool standInReplacesFace(std::string_view face);

// Has a screen reader announce the widget's new accessible description (the results after
// "Solve"), through the platform's own mechanism. Without a screen reader it does nothing.
void announceDescription(QWidget& widget);

// Has a screen reader on the widget announce `text` (a short confirmation) through the platform's
// own mechanism, without changing what the widget presents.
void announce(QWidget& widget, const QString& text);

} // namespace quorvex::platform
