#pragma once

// How the screens' own widget kinds present themselves to assistive technology, where Qt's
// defaults would mislead a screen reader: a screen window as a frame named by its caption, a
// picture box as a picture, and a text box whose text reads back exactly as it is selected.

#include <QAccessible>

namespace quorvex {

// Installed once with QAccessible::installFactory; returns null for every other object, which
// Qt's own interfaces then describe.
QAccessibleInterface* accessibleControl(const QString& className, QObject* object);

} // namespace quorvex
