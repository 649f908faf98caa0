// A Tarvex slow to make its window, as after a cold start or an antivirus scan of the exe: it
// claims the session as the program does, says so on its standard output, makes its window only
// after the milliseconds given, and then runs as the program does until the window is closed.
// With `denied`, its mutex grants nothing to other programs, as an elevated Tarvex's mutex
// grants nothing to a start with a user's ordinary rights.
//
//   tarvex-slow-first-start.exe MILLISECONDS [denied]
#include "win32/dpi.h"
#include "win32/form1.h"
#include "win32/handles.h"
#include "win32/message_loop.h"
#include "win32/single_instance.h"
#include "win32/window_identity.h"

#include <commctrl.h>
#include <sddl.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <optional>
#include <string_view>

namespace {

// The session's mutex, owned, with an empty access list: no one else may open it.
tarvex::win32::OwnedHandle mutexDeniedToOthers()
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &descriptor,
                                                             nullptr) == FALSE)
        return nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    tarvex::win32::OwnedHandle mutex(
        CreateMutexW(&attributes, TRUE, tarvex::win32::kSessionMutexName));
    const bool claimed = mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
    LocalFree(descriptor);
    return claimed ? std::move(mutex) : nullptr;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const bool denied = argc == 3 && std::wstring_view(argv[2]) == L"denied";
    if (argc != 2 && !denied) {
        std::fputs("usage: tarvex-slow-first-start MILLISECONDS [denied]\n", stderr);
        return 2;
    }
    const auto delay = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10));
    std::optional<tarvex::win32::SingleInstance> session;
    tarvex::win32::OwnedHandle deniedMutex;
    if (denied) {
        deniedMutex = mutexDeniedToOthers();
        if (deniedMutex == nullptr) {
            std::fputs("could not claim the session\n", stderr);
            return 1;
        }
    } else if (session.emplace().settle() != tarvex::win32::SingleInstance::Start::RunsHere) {
        std::fputs("another Tarvex holds the session\n", stderr);
        return 1;
    }
    std::puts("holding the session");
    std::fflush(stdout);
    // The slowness of the start this stands for: nothing here waits for an event.
    Sleep(delay);
    tarvex::win32::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        tarvex::win32::Form1 form(GetModuleHandleW(nullptr));
        form.show(SW_SHOWNORMAL);
        std::puts("window shown");
        std::fflush(stdout);
        return tarvex::win32::runMessageLoop(form);
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "no window: %s\n", failure.what());
        return 1;
    }
}
