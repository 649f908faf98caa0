#pragma once

#include "win32/handles.h"
#include "win32/windows_headers.h"

namespace tarvex::win32 {

// One Tarvex per user session. The first program holds a named mutex in the session's own
// namespace for as long as it runs (Windows lets it go when the program ends, however it
// ends); a second start finds the running window and asks it, with a message registered for
// the purpose, to show itself as its menu's 显示 does.
class SingleInstance
{
public:
    // Claims the session; says whether another Tarvex holds it already.
    SingleInstance();

    [[nodiscard]] bool anotherIsRunning() const { return m_anotherIsRunning; }

    // Asks the running Tarvex to show its window: true once it has been asked. False when its
    // window did not appear within a few seconds (it may be ending), so that this start can run
    // on its own.
    [[nodiscard]] static bool askRunningToShow();

private:
    OwnedHandle m_mutex;
    bool m_anotherIsRunning = false;
};

// The message that asks the window to show itself.
[[nodiscard]] UINT showRequestMessage();

} // namespace tarvex::win32
