// Linux: X11 or Wayland, chosen by Qt from the session, and AT-SPI for screen readers.

#include "platform.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QVersionNumber>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace quorvex::platform {
namespace {

constexpr const char* kDisplayVariables[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};

struct HeldMessage
{
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

// The one line said when the display cannot be opened, naming the variables that chose it.
QString failureLine()
{
    QStringList named;
    for (const char* variable : kDisplayVariables) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            named << QStringLiteral("%1=%2").arg(QLatin1String(variable),
                                                 qEnvironmentVariable(variable));
        }
    }
    return QStringLiteral("quorvex: cannot open the graphical display (%1)")
        .arg(named.join(QStringLiteral(", ")));
}

// The messages Qt sends while the application object is made. A message handler is a plain
// function, so what it holds must be reachable without an object: this points into the living
// DisplayOpening, and only while it holds messages.
std::vector<HeldMessage>* heldMessages = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // Qt could not open the display: what it would print (several lines naming plugins) and
        // its abort tell a user less than one line and an ordinary failure status. Qt's first
        // word on it (no server at that display, a library the plugin lacks) ends the line.
        QString line = failureLine();
        if (heldMessages && !heldMessages->empty()) {
            line += QStringLiteral(": ") + heldMessages->front().text.section(u'\n', 0, 0);
        }
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (heldMessages) {
        heldMessages->push_back({type, context.file ? context.file : "", context.line,
                                 context.function ? context.function : "",
                                 context.category ? context.category : "", text});
    }
}

// Whether the Qt libraries the program runs with are older than 6.8, which mends two of Qt 6.4's
// accessibility faults. The same executable and package run on Qt 6.4 (Debian 12) and Qt 6.8
// (Debian 13), so this asks the library loaded, not the headers built with.
bool runsOnQtBefore68()
{
    static const bool before = QLibraryInfo::version() < QVersionNumber(6, 8);
    return before;
}

// Sends an AT-SPI object event for the widget on Qt's own connection to the accessibility bus
// ("a11y"), where each object's path ends with its accessible id.
void sendObjectEvent(QWidget& widget, const QString& member, const QString& detail, int detail1,
                     const QString& text)
{
    QDBusConnection bus(QStringLiteral("a11y"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    if (!bus.isConnected() || !accessible) {
        return;
    }
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/") +
                         QString::number(QAccessible::uniqueId(accessible));
    QDBusMessage event =
        QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"), member);
    event << detail << detail1 << 0 << QVariant::fromValue(QDBusVariant(text)) << QVariantMap();
    bus.send(event);
}

void sendDescriptionChange(QWidget& widget, const QString& text)
{
    sendObjectEvent(widget, QStringLiteral("PropertyChange"),
                    QStringLiteral("accessible-description"), 0, text);
}

} // namespace

struct DisplayOpening::Held
{
    std::vector<HeldMessage> messages;
};

bool displayAvailable()
{
    for (const char* variable : kDisplayVariables) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            return true;
        }
    }
    std::fputs("quorvex: no graphical display found (DISPLAY and WAYLAND_DISPLAY are not set)\n",
               stderr);
    return false;
}

void prepareApplication()
{
    // Keeps Qt from loading the desktop's platform theme (GTK 3 on GNOME and its kin, the KDE
    // theme with its kdeglobals): every screen sets its own style, palette and fonts, so the
    // theme would only cost start-up time, memory, and an empty second application on the
    // accessibility bus. Scaling, the accessibility bridge and the window icon do not depend on
    // it. Qt 6.8 picks the theme from the desktop as Qt 6.4 does.
    QGuiApplication::setDesktopSettingsAware(false);
    // Lets a screen reader started after the program find it. Qt 6.4 reads whether assistive
    // technology is wanted once, when the accessibility bus appears, and never again: a program
    // started before Orca stayed silent for the rest of its life. This keeps Qt's AT-SPI bridge
    // connected whenever the desktop runs an accessibility bus (a program started before the bus
    // still connects when it appears). Qt 6.8 follows the desktop's accessibility status itself,
    // and connects when a screen reader starts. A value the user set stands.
    if (runsOnQtBefore68() && !qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) {
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    }
}

DisplayOpening::DisplayOpening() : held_(std::make_unique<Held>())
{
    heldMessages = &held_->messages;
    qInstallMessageHandler(holdMessage);
}

DisplayOpening::~DisplayOpening()
{
    release();
}

void DisplayOpening::release()
{
    if (!heldMessages) {
        return;
    }
    qInstallMessageHandler(nullptr);
    heldMessages = nullptr;
    for (const HeldMessage& message : held_->messages) {
        const QMessageLogContext context(message.file.c_str(), message.line,
                                         message.function.c_str(), message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    held_->messages.clear();
}

QString standInFace(std::string_view face)
{
    // Metric-compatible faces where they exist, installed with the program.
    if (face == "MS Sans Serif") {
        return QStringLiteral("Liberation Sans");
    }
    if (face == "Times New Roman") {
        return QStringLiteral("Liberation Serif");
    }
    if (face == "Verdana") {
        return QStringLiteral("DejaVu Sans");
    }
    return {};
}

bool standInReplacesFace(std::string_view)
{
    return false;
}

void announce(QWidget& widget, const QString& text)
{
    // Desktops of Qt 6.8's generation (Orca 46 and later) speak AT-SPI's announcement event, which
    // leaves the widget's description alone: a description-change event would stay in their cache
    // as the widget's description, and "where am I" would then read the confirmation instead of
    // the results. Orca 43, beside Qt 6.4, knows no announcement event, and speaks a description
    // change on the focus control without keeping it.
    if (runsOnQtBefore68()) {
        sendDescriptionChange(widget, text);
        return;
    }
    constexpr int polite = 1; // waits for what is being said to end
    sendObjectEvent(widget, QStringLiteral("Announcement"), QString(), polite, text);
}

void announceDescription(QWidget& widget)
{
    // Qt 6.4 reports a description change with the object where AT-SPI expects the new text, and
    // Orca then speaks nothing: the event goes out again as AT-SPI defines it. Qt 6.8 sends it
    // right itself, and a second event could have it said twice.
    if (runsOnQtBefore68()) {
        sendDescriptionChange(widget, widget.accessibleDescription());
    }
}

} // namespace quorvex::platform
