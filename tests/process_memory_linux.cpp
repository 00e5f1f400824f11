#include "process_memory.h"

#include <QByteArray>
#include <QFile>

#include <malloc.h>

namespace quorvex::testing {

long residentKilobytes()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

} // namespace quorvex::testing
