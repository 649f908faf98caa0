// Starts a program on the current X display and reports how long it took until its main window
// was mapped and until the program first drew into it, and its peak resident memory shortly
// after.
//   tarvex-map-timer SETTLE_MS PROGRAM [ARGS...]
// prints "<ms to map> <ms to first frame> <peak RSS in KiB>" and ends the program. It waits on
// X events rather than polling, so the times have no polling granularity. The main window is
// the program's first top-level window that the program maps itself (not a tool-tip or a
// balloon); the display must have no window manager, which would map it inside a frame of its
// own.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

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

// The program's windows come and go while they are watched; requests on a window that is gone
// fail harmlessly.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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
    int damageEvent = 0;
    int damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fputs("tarvex-map-timer: the display has no DAMAGE extension\n", stderr);
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }

    // Every top-level window is watched for drawing from its creation, before the program can
    // draw into it; which one is the main window is known only once it is mapped.
    std::map<Window, Damage> watched;
    Window mainWindow = None;
    double mappedMs = -1;
    double drawnMs = -1;
    while (drawnMs < 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
            watched[event.xcreatewindow.window] =
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && mainWindow == None && !event.xmap.override_redirect &&
                   watched.contains(event.xmap.window) &&
                   windowPid(display, event.xmap.window) == child) {
            mappedMs = millisecondsSince(start);
            mainWindow = event.xmap.window;
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
            XDamageSubtract(display, damage.damage, None, None);
            if (damage.drawable == mainWindow)
                drawnMs = millisecondsSince(start);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long rss = peakRssKiB(child);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.1f %.1f %ld\n", mappedMs, drawnMs, rss);
    return 0;
}
