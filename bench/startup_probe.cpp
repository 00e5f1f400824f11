// Measures how fast programs start on an X server, from outside the process: from exec to their
// first top-level window being mapped, to the first drawing into it (its first DAMAGE event), and
// to the first frame a user sees whole: the first moment the window's pixels equal those it
// settles on (a grab after each drawing, compared with a grab once no drawing has come for a
// while). The program's resident memory is read at that frame. It also times a click, sent
// through XTEST, to the whole first frame of the window the click opens. Waits on X events, never
// polls.
//
// Usage:
//   startup_probe start RUNS WARMUP PROGRAM FLOOR [SETTING...]
//     SETTING is LABEL or LABEL:VARIABLE=VALUE[,VARIABLE=VALUE...], the environment the two
//     programs run in for that setting ("bare X" when none is given). Each round runs, for each
//     setting in turn, PROGRAM then FLOOR; WARMUP rounds are not recorded. Prints the median,
//     minimum and maximum of each figure and PROGRAM's medians divided by FLOOR's per setting,
//     and how often the first drawing was blank (one colour) or not yet the whole window.
//   startup_probe click RUNS PROGRAM X Y
//     Starts PROGRAM RUNS times; once its first window has painted and settled, clicks at (X, Y)
//     logical pixels from the window's top-left corner and times the click's release to the
//     whole first frame of the next top-level window.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <algorithm>
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
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Setting
{
    std::string label;
    std::vector<std::pair<std::string, std::string>> environment;
};

struct Sample
{
    double mapMilliseconds = 0;
    double paintMilliseconds = 0;   // the first drawing
    double contentMilliseconds = 0; // the first frame equal to the settled window
    long residentKilobytes = 0;     // at that frame
    int drawings = 0;               // grabs up to and including that frame
    bool blankFirst = false;        // the first drawing left the window one colour
    bool watchedLate = false;       // the window was on screen before the probe watched it
    int lateStarts = 0;             // starts run again for that before this one
};

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

Setting parseSetting(const std::string& text)
{
    Setting setting;
    const std::size_t colon = text.find(':');
    setting.label = text.substr(0, colon);
    if (colon == std::string::npos) {
        return setting;
    }
    std::string rest = text.substr(colon + 1);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string assignment = rest.substr(0, comma);
        const std::size_t equals = assignment.find('=');
        if (equals != std::string::npos) {
            setting.environment.emplace_back(assignment.substr(0, equals),
                                             assignment.substr(equals + 1));
        }
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
    }
    return setting;
}

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

// Waits for the next X event until `deadline`; false when none came.
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

// A watched window can be gone, or be an input-only window, by the time its DAMAGE watch is made:
// such errors are expected and harmless, so they are ignored instead of ending the probe.
int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

pid_t launch(const char* program, const Setting& setting)
{
    const pid_t pid = fork();
    if (pid == 0) {
        for (const auto& [name, value] : setting.environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

// The pixels of a window, as a user sees them.
std::vector<char> grab(Display* display, Window window)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) {
        return {};
    }
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) {
        return {};
    }
    std::vector<char> pixels(image->data,
                             image->data + static_cast<std::ptrdiff_t>(image->bytes_per_line) *
                                               image->height);
    XDestroyImage(image);
    return pixels;
}

// With STARTUP_PROBE_FRAMES set to a folder, every grab is written there as a PPM picture
// (RUN-FRAME.ppm, the settled window as RUN-settled.ppm), to see what each drawing showed.
void keepFrame(Display* display, Window window, const std::vector<char>& pixels,
               const std::string& name)
{
    const char* folder = std::getenv("STARTUP_PROBE_FRAMES");
    XWindowAttributes attributes;
    if (!folder || !XGetWindowAttributes(display, window, &attributes) ||
        pixels.size() < static_cast<std::size_t>(attributes.width * attributes.height * 4)) {
        return;
    }
    static int run = 0;
    if (name == "0") {
        ++run;
    }
    std::ofstream file(std::string(folder) + "/" + std::to_string(run) + "-" + name + ".ppm",
                       std::ios::binary);
    file << "P6\n" << attributes.width << ' ' << attributes.height << "\n255\n";
    const std::size_t stride = pixels.size() / static_cast<std::size_t>(attributes.height);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const char* pixel =
                &pixels[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4];
            file.put(pixel[2]).put(pixel[1]).put(pixel[0]);
        }
    }
}

bool uniform(const std::vector<char>& pixels)
{
    for (std::size_t i = 4; i + 3 < pixels.size(); i += 4) {
        if (std::memcmp(&pixels[i], &pixels[0], 3) != 0) {
            return false;
        }
    }
    return true;
}

// Follows the X events from `start` on until a new top-level window has been mapped, drawn and
// has settled, and fills in the times. Returns that window, or 0 at the deadline.
class WindowWatch
{
public:
    WindowWatch(Display* display, int damageEventBase)
        : display_(display), damageEventBase_(damageEventBase)
    {
    }
    ~WindowWatch()
    {
        for (const auto& [window, damage] : damages_) {
            XDamageDestroy(display_, damage);
        }
        XSync(display_, True);
    }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    Window waitForContent(Clock::time_point start, pid_t pid, Sample& sample)
    {
        const Window root = DefaultRootWindow(display_);
        const Clock::time_point deadline = start + std::chrono::seconds(20);
        // A window has settled once no drawing has come for this long.
        const auto quiet = std::chrono::milliseconds(500);
        Window mapped = 0;
        struct Frame
        {
            double milliseconds;
            long residentKilobytes;
            std::vector<char> pixels;
        };
        std::vector<Frame> frames;
        XEvent event;
        while (nextEvent(display_, event,
                         frames.empty() ? deadline : std::min(deadline, Clock::now() + quiet))) {
            if (event.type == CreateNotify && event.xcreatewindow.parent == root &&
                !event.xcreatewindow.override_redirect) {
                // Watch every new top-level window from its creation, so no drawing is missed.
                const Window window = event.xcreatewindow.window;
                damages_[window] = XDamageCreate(display_, window, XDamageReportNonEmpty);
                // A watch made once the window is already on screen starts with all of it
                // damaged, though nothing was drawn (the probe fell behind on a busy machine):
                // that run cannot tell the first drawing, and is run again.
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display_, window, &attributes) &&
                    attributes.map_state != IsUnmapped) {
                    sample.watchedLate = true;
                }
            } else if (event.type == MapNotify && event.xmap.event == root && mapped == 0 &&
                       damages_.contains(event.xmap.window)) {
                mapped = event.xmap.window;
                sample.mapMilliseconds = milliseconds(Clock::now() - start);
            } else if (event.type == damageEventBase_ + XDamageNotify) {
                const auto* damage = reinterpret_cast<XDamageNotifyEvent*>(&event);
                if (mapped != 0 && damage->drawable == mapped) {
                    // The drawing is taken in, so that the next one is reported, and grabbed
                    // with whatever else has landed by now: the frame is from the last
                    // drawing before the grab.
                    const double now = milliseconds(Clock::now() - start);
                    const long resident = residentKilobytes(pid);
                    XDamageSubtract(display_, damage->damage, None, None);
                    frames.push_back({now, resident, grab(display_, mapped)});
                }
            }
        }
        if (frames.empty()) {
            return 0;
        }
        const std::vector<char> settled = grab(display_, mapped);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            keepFrame(display_, mapped, frames[i].pixels, std::to_string(i));
        }
        keepFrame(display_, mapped, settled, "settled");
        sample.paintMilliseconds = frames.front().milliseconds;
        sample.blankFirst = uniform(frames.front().pixels);
        for (const Frame& frame : frames) {
            ++sample.drawings;
            if (frame.pixels == settled) {
                sample.contentMilliseconds = frame.milliseconds;
                sample.residentKilobytes = frame.residentKilobytes;
                return mapped;
            }
        }
        // It changed after the last drawing reported: the settled grab is the frame.
        sample.contentMilliseconds = frames.back().milliseconds;
        sample.residentKilobytes = frames.back().residentKilobytes;
        return mapped;
    }

private:
    Display* display_;
    int damageEventBase_;
    std::map<Window, Damage> damages_;
};

// Starts `program` and waits for its first window's first frame; ends the probe if none comes.
// Returns that window, with the times in `sample`.
Window startProgram(Display* display, int damageEventBase, const char* program,
                    const Setting& setting, pid_t& pid, Sample& sample)
{
    XSync(display, True);
    const Clock::time_point start = Clock::now();
    pid = launch(program, setting);
    Window window = 0;
    {
        WindowWatch watch(display, damageEventBase);
        window = watch.waitForContent(start, pid, sample);
    }
    if (window == 0) {
        stop(pid);
        std::fprintf(stderr, "%s (%s) showed no window\n", program, setting.label.c_str());
        std::exit(1);
    }
    return window;
}

Sample measureStart(Display* display, int damageEventBase, const char* program,
                    const Setting& setting)
{
    for (int attempt = 0;; ++attempt) {
        pid_t pid = 0;
        Sample sample;
        startProgram(display, damageEventBase, program, setting, pid, sample);
        stop(pid);
        if (!sample.watchedLate || attempt == 9) {
            sample.lateStarts = attempt;
            return sample;
        }
    }
}

// Lets a started program finish what it does after its first frame, so that the click lands in
// an idle event loop, as a user's would.
void settle(Display* display)
{
    XSync(display, False);
    usleep(300 * 1000);
    XSync(display, True);
}

double measureClick(Display* display, int damageEventBase, const char* program, int x, int y)
{
    pid_t pid = 0;
    Sample menu;
    const Window window =
        startProgram(display, damageEventBase, program, Setting{"bare X", {}}, pid, menu);
    settle(display);

    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    Sample opened;
    double clickMilliseconds = 0;
    {
        WindowWatch watch(display, damageEventBase);
        // The button acts on its release: the time runs from there.
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        const Clock::time_point released = Clock::now();
        if (watch.waitForContent(released, pid, opened) != 0) {
            clickMilliseconds = opened.contentMilliseconds;
        }
    }
    stop(pid);
    if (clickMilliseconds == 0) {
        std::fprintf(stderr, "the click at (%d, %d) opened no window\n", x, y);
        std::exit(1);
    }
    return clickMilliseconds;
}

int runStart(Display* display, int damageEventBase, int runs, int warmUp, const char* program,
             const char* floor, std::vector<Setting> settings)
{
    if (settings.empty()) {
        settings.push_back({"bare X", {}});
    }
    const std::vector<const char*> programs{program, floor};
    // samples[setting][program]
    std::vector<std::vector<std::vector<Sample>>> samples(
        settings.size(), std::vector<std::vector<Sample>>(programs.size()));
    for (int round = 0; round < warmUp + runs; ++round) {
        for (std::size_t s = 0; s < settings.size(); ++s) {
            for (std::size_t p = 0; p < programs.size(); ++p) {
                const Sample sample =
                    measureStart(display, damageEventBase, programs[p], settings[s]);
                if (round >= warmUp) {
                    samples[s][p].push_back(sample);
                }
            }
        }
    }

    std::printf("%d runs after %d warm-up rounds, interleaved; median, min, max\n\n", runs, warmUp);
    std::printf("%-22s %-32s %26s %26s %20s %20s %s\n", "setting", "program", "whole frame ms",
                "first drawing ms", "mapped ms", "RSS MB", "blank/partial first (late watches)");
    std::vector<std::string> ratios;
    for (std::size_t s = 0; s < settings.size(); ++s) {
        std::vector<Summary> wholes;
        std::vector<Summary> paints;
        std::vector<Summary> maps;
        std::vector<Summary> memories;
        for (std::size_t p = 0; p < programs.size(); ++p) {
            std::vector<double> whole;
            std::vector<double> paint;
            std::vector<double> map;
            std::vector<double> memory;
            int blank = 0;
            int partial = 0;
            int late = 0;
            for (const Sample& sample : samples[s][p]) {
                whole.push_back(sample.contentMilliseconds);
                paint.push_back(sample.paintMilliseconds);
                map.push_back(sample.mapMilliseconds);
                memory.push_back(sample.residentKilobytes / 1024.0);
                blank += sample.blankFirst ? 1 : 0;
                partial += sample.drawings > 1 ? 1 : 0;
                late += sample.lateStarts;
            }
            wholes.push_back(summarise(whole));
            paints.push_back(summarise(paint));
            maps.push_back(summarise(map));
            memories.push_back(summarise(memory));
            std::printf("%-22s %-32s %8.1f %8.1f %8.1f %8.1f %8.1f %8.1f %6.1f %6.1f %6.1f "
                        "%6.1f %6.1f %6.1f %d/%d of %zu (%d late)\n",
                        settings[s].label.c_str(), programs[p], wholes[p].median, wholes[p].minimum,
                        wholes[p].maximum, paints[p].median, paints[p].minimum, paints[p].maximum,
                        maps[p].median, maps[p].minimum, maps[p].maximum, memories[p].median,
                        memories[p].minimum, memories[p].maximum, blank, partial, whole.size(),
                        late);
        }
        char line[240];
        std::snprintf(line, sizeof line,
                      "%-22s whole frame %.2f, first drawing %.2f, mapped %.2f, RSS %.2f",
                      settings[s].label.c_str(), wholes[0].median / wholes[1].median,
                      paints[0].median / paints[1].median, maps[0].median / maps[1].median,
                      memories[0].median / memories[1].median);
        ratios.emplace_back(line);
    }
    std::printf("\nratio of the medians, program over floor in the same setting:\n");
    for (const std::string& line : ratios) {
        std::printf("  %s\n", line.c_str());
    }
    return 0;
}

int runClick(Display* display, int damageEventBase, int runs, const char* program, int x, int y)
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        std::fputs("the X server has no XTEST extension\n", stderr);
        return 1;
    }
    std::vector<double> clicks;
    for (int run = 0; run < runs; ++run) {
        clicks.push_back(measureClick(display, damageEventBase, program, x, y));
    }
    const Summary click = summarise(clicks);
    std::printf("click at (%d, %d) to the first frame of the window it opens, %d runs: "
                "median %.1f ms, min %.1f, max %.1f\n",
                x, y, runs, click.median, click.minimum, click.maximum);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "start" && argc >= 6) || (mode == "click" && argc == 6))) {
        std::fputs("usage: startup_probe start RUNS WARMUP PROGRAM FLOOR [SETTING...]\n"
                   "       startup_probe click RUNS PROGRAM X Y\n",
                   stderr);
        return 2;
    }
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
    XSetErrorHandler(ignoreError);

    int status = 0;
    if (mode == "start") {
        std::vector<Setting> settings;
        for (int i = 6; i < argc; ++i) {
            settings.push_back(parseSetting(argv[i]));
        }
        status = runStart(display, damageEventBase, std::atoi(argv[2]), std::atoi(argv[3]), argv[4],
                          argv[5], std::move(settings));
    } else {
        status = runClick(display, damageEventBase, std::atoi(argv[2]), argv[3], std::atoi(argv[4]),
                          std::atoi(argv[5]));
    }
    XCloseDisplay(display);
    return status;
}
