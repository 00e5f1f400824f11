#include "application.h"

#include "accessible_controls.h"
#include "artwork.h"
#include "version.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmapCache>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quorvex {

struct DisplayOpening::HeldMessage
{
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

namespace {

constexpr const char* kDisplayVariables[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};

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
std::vector<DisplayOpening::HeldMessage>* heldMessages = nullptr;

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

} // namespace

bool displayAvailable()
{
    for (const char* variable : kDisplayVariables) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            return true;
        }
    }
    return false;
}

void ignoreDesktopSettings()
{
    QGuiApplication::setDesktopSettingsAware(false);
}

void reachScreenReadersStartedLater()
{
    // The variable Qt's bridge reads for this; a value the user set stands.
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) {
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    }
}

void configureApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(kDisplayVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    QApplication::setQuitOnLastWindowClosed(false);
    QAccessible::installFactory(accessibleControl);
    // The style caches its pictures of each button under that button's own palette, so every
    // opening of a screen would add new ones until the cache's default 10 MB were full. The
    // screens are few and small and paint as fast without it: no cache keeps the memory flat.
    QPixmapCache::setCacheLimit(0);
    // The screens are laid out to the pixel: one style and one light palette on every desktop, so
    // that the explicit colours of the screens always sit on the colours they were chosen for.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
}

void setApplicationIcon()
{
    QApplication::setWindowIcon(applicationIcon());
}

DisplayOpening::DisplayOpening()
{
    heldMessages = &held_;
    qInstallMessageHandler(holdMessage);
}

DisplayOpening::~DisplayOpening()
{
    release();
}

void DisplayOpening::release()
{
    if (released_) {
        return;
    }
    released_ = true;
    qInstallMessageHandler(nullptr);
    heldMessages = nullptr;
    for (const HeldMessage& message : held_) {
        const QMessageLogContext context(message.file.c_str(), message.line,
                                         message.function.c_str(), message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    held_.clear();
}

} // namespace quorvex
