// Finds a top-level window of a running program by its title, as Windows knows it, for the
// Windows end-to-end test: waits until such a window exists and prints its client area's size, or
// with --gone, waits until none is left.
// Usage: window_probe.exe [--gone] TITLE [SECONDS]   (exit status 1 when the wait runs out)

#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <shellapi.h>

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const bool gone = count > 1 && std::wcscmp(arguments[1], L"--gone") == 0;
    const int first = gone ? 2 : 1;
    if (count <= first) {
        std::fputs("usage: window_probe.exe [--gone] TITLE [SECONDS]\n", stderr);
        return 2;
    }
    const int seconds = count > first + 1 ? _wtoi(arguments[first + 1]) : 10;
    HWND window = nullptr;
    for (int tries = 0; tries <= seconds * 10; ++tries) {
        window = FindWindowW(nullptr, arguments[first]);
        if ((window != nullptr) != gone) {
            break;
        }
        Sleep(100);
    }
    int status = 1;
    if (gone && !window) {
        std::printf("gone\n");
        status = 0;
    } else if (!gone && window) {
        RECT client{};
        GetClientRect(window, &client);
        std::printf("client %ldx%ld\n", client.right - client.left, client.bottom - client.top);
        status = 0;
    } else {
        std::printf(gone ? "still there\n" : "no window\n");
    }
    LocalFree(arguments);
    return status;
}
