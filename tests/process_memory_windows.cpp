#include "process_memory.h"

#include <windows.h>
#include <psapi.h>

namespace quorvex::testing {

long residentKilobytes()
{
    HeapCompact(GetProcessHeap(), 0);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return -1;
    }
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

} // namespace quorvex::testing
