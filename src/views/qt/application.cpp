#include "application.h"

#include "accessible_controls.h"
#include "artwork.h"
#include "version.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleFactory>

namespace quorvex {

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

} // namespace quorvex
