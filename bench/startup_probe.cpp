// Measures how fast programs start on an X server: from exec to their first top-level window
// being mapped, and to the first frame drawn into it (the first Damage event on that window),
// with the program's resident memory at that moment. Waits on X events, never polls.
//
// Usage: startup_probe RUNS WARMUP PROGRAM [PROGRAM...]
// Runs the programs in turn (A B A B ...), WARMUP rounds unrecorded, then RUNS rounds, and prints
// the median, minimum and maximum of each figure for each program, and the first program's
// medians divided by the last program's: Quorvex's over the floor's, the figures to track.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample
{
    double mapMilliseconds = 0;
    double paintMilliseconds = 0;
    long residentKilobytes = 0;
};

long residentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

double milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Waits for the next X event for at most `timeout`; false when none came.
bool nextEvent(Display* display, XEvent& event, Clock::time_point deadline)
{
    while (!XPending(display)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        poll(&descriptor, 1, static_cast<int>(left.count()));
    }
    XNextEvent(display, &event);
    return true;
}

Sample measure(Display* display, int damageEventBase, const char* program)
{
    const Window root = DefaultRootWindow(display);
    XSync(display, True);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }

    Sample sample;
    std::map<Window, Damage> damages;
    Window mapped = 0;
    const Clock::time_point deadline = start + std::chrono::seconds(20);
    XEvent event;
    while (sample.paintMilliseconds == 0 && nextEvent(display, event, deadline)) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == root &&
            !event.xcreatewindow.override_redirect) {
            // Watch every new top-level window from its creation, so that no drawing is missed.
            damages[event.xcreatewindow.window] =
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            XFlush(display);
        } else if (event.type == MapNotify && event.xmap.event == root && mapped == 0 &&
                   damages.contains(event.xmap.window)) {
            mapped = event.xmap.window;
            sample.mapMilliseconds = milliseconds(Clock::now() - start);
        } else if (event.type == damageEventBase + XDamageNotify) {
            const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
            if (mapped != 0 && damage->drawable == mapped) {
                sample.paintMilliseconds = milliseconds(Clock::now() - start);
                sample.residentKilobytes = residentKilobytes(pid);
            }
        }
    }
    for (const auto& [window, damage] : damages) {
        XDamageDestroy(display, damage);
    }
    XSync(display, True);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    if (sample.paintMilliseconds == 0) {
        std::fprintf(stderr, "%s showed no window\n", program);
        std::exit(1);
    }
    return sample;
}

struct Summary
{
    double median;
    double minimum;
    double maximum;
};

Summary summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fputs("usage: startup_probe RUNS WARMUP PROGRAM [PROGRAM...]\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int warmUp = std::atoi(argv[2]);
    const std::vector<const char*> programs(argv + 3, argv + argc);

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("cannot open the X display\n", stderr);
        return 1;
    }
    int damageEventBase = 0;
    int damageErrorBase = 0;
    if (!XDamageQueryExtension(display, &damageEventBase, &damageErrorBase)) {
        std::fputs("the X server has no DAMAGE extension\n", stderr);
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    std::vector<std::vector<Sample>> samples(programs.size());
    for (int round = 0; round < warmUp + runs; ++round) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const Sample sample = measure(display, damageEventBase, programs[p]);
            if (round >= warmUp) {
                samples[p].push_back(sample);
            }
        }
    }

    std::vector<Summary> maps;
    std::vector<Summary> paints;
    std::vector<Summary> memories;
    std::printf("%-40s %28s %28s %24s\n", "program (median, min, max)", "mapped ms",
                "first frame ms", "RSS MB");
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> map;
        std::vector<double> paint;
        std::vector<double> memory;
        for (const Sample& sample : samples[p]) {
            map.push_back(sample.mapMilliseconds);
            paint.push_back(sample.paintMilliseconds);
            memory.push_back(sample.residentKilobytes / 1024.0);
        }
        maps.push_back(summarise(map));
        paints.push_back(summarise(paint));
        memories.push_back(summarise(memory));
        std::printf("%-40s %8.1f %8.1f %8.1f   %8.1f %8.1f %8.1f   %6.1f %6.1f %6.1f\n",
                    programs[p], maps[p].median, maps[p].minimum, maps[p].maximum, paints[p].median,
                    paints[p].minimum, paints[p].maximum, memories[p].median, memories[p].minimum,
                    memories[p].maximum);
    }
    if (programs.size() >= 2) {
        const std::size_t floor = programs.size() - 1;
        std::printf("\n%d runs after %d warm-up rounds, interleaved\n", runs, warmUp);
        std::printf("ratio to the floor (medians): mapped %.2f, first frame %.2f, RSS %.2f\n",
                    maps[0].median / maps[floor].median, paints[0].median / paints[floor].median,
                    memories[0].median / memories[floor].median);
    }
    XCloseDisplay(display);
    return 0;
}
