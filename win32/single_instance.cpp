#include "win32/single_instance.h"

#include "design/form1_design.h"
#include "win32/startup_steps.h"
#include "win32/text.h"
#include "win32/window_identity.h"

namespace tarvex::win32 {

namespace {

constexpr const wchar_t *kShowRequest = L"Tarvex.ShowWindow";

// How often a second start looks for the running one's window.
constexpr DWORD kPollMilliseconds = 50;

} // namespace

SingleInstance::SingleInstance()
{
    m_owned = claim();
}

// Owns the mutex from the start, so that a later start can tell by waiting on it when this
// program has ended. ERROR_ACCESS_DENIED: the mutex is there, made by a Tarvex with rights
// this one lacks.
bool SingleInstance::claim()
{
    TARVEX_STARTUP_STEP("single-instance mutex and message registration");
    m_mutex.reset(CreateMutexW(nullptr, TRUE, kSessionMutexName));
    const DWORD error = GetLastError();
    if (m_mutex == nullptr)
        return error != ERROR_ACCESS_DENIED;
    return error != ERROR_ALREADY_EXISTS;
}

// A mutex whose owner ended passes to the one waiting on it (abandoned, as Windows says). One
// that may not be opened is made again, and is this start's once the running Tarvex is gone.
bool SingleInstance::runningHasEnded()
{
    if (m_mutex == nullptr) {
        Sleep(kPollMilliseconds);
        return claim();
    }
    const DWORD waited = WaitForSingleObject(m_mutex.get(), kPollMilliseconds);
    return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

SingleInstance::Start SingleInstance::settle()
{
    if (m_owned)
        return Start::RunsHere;
    const UINT request = showRequestMessage();
    if (request == 0)
        return Start::Unanswered;
    const std::wstring title = wideString(design::kWindowCaption);
    const DWORD start = GetTickCount();
    do {
        if (const HWND window = FindWindowW(kWindowClassName, title.c_str())) {
            // The program the user just started may bring a window to the front; the running
            // one may only if it is given that right.
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            AllowSetForegroundWindow(process);
            if (PostMessageW(window, request, 0, 0) != FALSE)
                return Start::ShownElsewhere;
            // The window went between finding it and asking it (the running Tarvex is ending),
            // or its queue is full: the mutex tells which.
        }
        if (runningHasEnded()) {
            m_owned = true;
            return Start::RunsHere;
        }
    } while (GetTickCount() - start < kPatienceMilliseconds);
    return Start::Unanswered;
}

void SingleInstance::leave()
{
    if (m_owned)
        ReleaseMutex(m_mutex.get());
    m_owned = false;
    m_mutex.reset();
}

UINT showRequestMessage()
{
    TARVEX_STARTUP_STEP("single-instance mutex and message registration");
    return RegisterWindowMessageW(kShowRequest);
}

} // namespace tarvex::win32
