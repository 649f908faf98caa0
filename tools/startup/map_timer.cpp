// Starts a program on the current X display and reports how long it took until its first
// top-level window was mapped, and its peak resident memory shortly after.
//   tarvex-map-timer SETTLE_MS PROGRAM [ARGS...]
// prints "<milliseconds to map> <peak RSS in KiB>" and ends the program. It waits on X events
// rather than polling, so the time has no polling granularity.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

long windowPid(Display *display, Window window)
{
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return -1;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (count == 1 && format == 32)
            pid = *reinterpret_cast<long *>(data);
        XFree(data);
    }
    return pid;
}

long peakRssKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fputs("usage: tarvex-map-timer SETTLE_MS PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    const int settleMs = std::atoi(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("tarvex-map-timer: cannot open the display\n", stderr);
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    double mappedMs = -1;
    while (mappedMs < 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && windowPid(display, event.xmap.window) == child)
            mappedMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rss = peakRssKiB(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.1f %ld\n", mappedMs, rss);
    return 0;
}
