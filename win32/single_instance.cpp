#include "win32/single_instance.h"

#include "form1_design.h"
#include "win32/text.h"
#include "win32/window_identity.h"

namespace tarvex::win32 {

namespace {

constexpr const wchar_t *kMutexName = L"Local\\Tarvex.Form1";
constexpr const wchar_t *kShowRequest = L"Tarvex.ShowWindow";

// How long a second start waits for the first one's window, which a first start that is itself
// still starting has not made yet.
constexpr DWORD kPatienceMilliseconds = 5000;
constexpr DWORD kPollMilliseconds = 20;

} // namespace

SingleInstance::SingleInstance() : m_mutex(CreateMutexW(nullptr, FALSE, kMutexName))
{
    m_anotherIsRunning = m_mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool SingleInstance::askRunningToShow()
{
    const std::wstring title = wideString(design::kWindowCaption);
    const DWORD start = GetTickCount();
    do {
        if (const HWND window = FindWindowW(kWindowClassName, title.c_str())) {
            // The program the user just started may bring a window to the front; the running
            // one may only if it is given that right.
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            AllowSetForegroundWindow(process);
            return PostMessageW(window, showRequestMessage(), 0, 0) != FALSE;
        }
        Sleep(kPollMilliseconds);
    } while (GetTickCount() - start < kPatienceMilliseconds);
    return false;
}

UINT showRequestMessage()
{
    static const UINT message = RegisterWindowMessageW(kShowRequest);
    return message;
}

} // namespace tarvex::win32
