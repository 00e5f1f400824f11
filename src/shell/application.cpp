#include "application.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace quorvex {

bool displayAvailable()
{
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            return true;
        }
    }
    return false;
}

void configureApplication()
{
    QApplication::setApplicationName(QStringLiteral("Quorvex"));
    QApplication::setApplicationVersion(QStringLiteral("1.00.0020"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The screens are laid out to the pixel: one style and one light palette on every desktop, so
    // that the explicit colours of the screens always sit on the colours they were chosen for.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
}

} // namespace quorvex
