#pragma once

// How much memory this test process holds, the one figure the soak test reads from the system:
// each platform has its own file (process_memory_linux.cpp, process_memory_windows.cpp).

namespace quorvex::testing {

// Resident memory of this process in kilobytes, or -1 where it cannot be read. Free heap pages go
// back to the system first, so that the figure is the memory the program holds, not where the
// allocator last put a window's freed image.
long residentKilobytes();

} // namespace quorvex::testing
