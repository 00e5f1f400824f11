#pragma once

// How the screens' own widget kinds present themselves to assistive technology (AT-SPI on Linux),
// where Qt's defaults would mislead a screen reader: a screen window as a frame named by its
// caption, a picture box as a picture, and a text box whose text reads back exactly as it is
// selected.

#include <QAccessible>

class QWidget;

namespace quorvex {

// Installed once with QAccessible::installFactory; returns null for every other object, which
// Qt's own interfaces then describe.
QAccessibleInterface* accessibleControl(const QString& className, QObject* object);

// Tells assistive technology that the widget's accessible description changed, with its new
// text, so that a screen reader on the widget speaks it. Qt 6.4 reports such a change with the
// object where AT-SPI expects the new text, and Orca then speaks nothing; this sends the event as
// AT-SPI defines it, on Qt's own accessibility connection. Without a screen reader's bus it does
// nothing.
void announceDescription(QWidget& widget);

} // namespace quorvex
