#pragma once

// The rows the desktop's and the browser's tests share (tests/data/calculations.json, built into
// each test program that reads it): what the calculators show for what a user types, what Ctrl+C
// copies, and each screen's tab order. Screens are named as in their descriptions.

#include "screen_table.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace quorvex::testing {

inline const QJsonObject& sharedRows()
{
    static const QJsonObject rows = [] {
        QFile file(QStringLiteral(":/calculations.json"));
        const bool opened = file.open(QIODevice::ReadOnly);
        Q_ASSERT(opened);
        return QJsonDocument::fromJson(file.readAll()).object();
    }();
    return rows;
}

inline ScreenId screenNamed(const QString& name)
{
    for (const ScreenId id : kScreenTable) {
        if (QString::fromUtf8(id->name.data(), static_cast<qsizetype>(id->name.size())) == name) {
            return id;
        }
    }
    return nullptr;
}

inline QStringList textsOf(const QJsonValue& array)
{
    QStringList texts;
    for (const QJsonValue& value : array.toArray()) {
        texts << value.toString();
    }
    return texts;
}

// The controls Tab visits from the first focus, round to it again.
inline QStringList tabCycle(const char* screen)
{
    return textsOf(sharedRows()[QStringLiteral("tabCycles")][QLatin1String(screen)]);
}

} // namespace quorvex::testing
