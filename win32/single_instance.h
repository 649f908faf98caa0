#pragma once

#include "win32/handles.h"
#include "win32/windows_headers.h"

namespace tarvex::win32 {

// One Tarvex per user session, whatever its rights. The first program owns a named mutex in the
// session's own namespace for as long as it runs (Windows lets it go when the program ends,
// however it ends); a second start finds the running window and asks it, with a message
// registered for the purpose, to show itself as its menu's 显示 does. A mutex the second start
// may not open (the first runs elevated) is as much a running Tarvex as one it may.
class SingleInstance
{
public:
    // Claims the session, or finds it claimed.
    SingleInstance();

    enum class Start {
        // This start is the session's Tarvex: no other runs, or the one that did has ended.
        RunsHere,
        // The running Tarvex was asked to show its window.
        ShownElsewhere,
        // The running Tarvex made no window within kPatienceMilliseconds, or refused the
        // request.
        Unanswered,
    };

    // Decides this start. While the running Tarvex has no window yet (a cold disk, an
    // antivirus scan of the exe), it is waited for, without a window or an icon of this one's;
    // a window that goes before the request reaches it is the running one ending, and this
    // start takes over once it has.
    [[nodiscard]] Start settle();

    // Lets the session go while this program still runs: a start that cannot make its window
    // leaves the session to the next start before it tells the user so.
    void leave();

    // How long a running Tarvex may take to make its window.
    static constexpr DWORD kPatienceMilliseconds = 120'000;

private:
    [[nodiscard]] bool claim();
    [[nodiscard]] bool runningHasEnded();

    OwnedHandle m_mutex;
    bool m_owned = false;
};

// The message that asks the window to show itself; 0 where Windows could not register it
// (its table of names is full), which is no message at all: 0 is WM_NULL, which every window
// is sent.
[[nodiscard]] UINT showRequestMessage();

} // namespace tarvex::win32
