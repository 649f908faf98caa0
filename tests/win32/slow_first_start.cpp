// A Tarvex slow to make its window, as after a cold start or an antivirus scan of the exe: it
// claims the session as the program does, says so on its standard output, makes its window only
// after the milliseconds given, and then runs as the program does until the window is closed.
//
//   tarvex-slow-first-start.exe MILLISECONDS
#include "win32/dpi.h"
#include "win32/form1.h"
#include "win32/single_instance.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <exception>

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2) {
        std::fputs("usage: tarvex-slow-first-start MILLISECONDS\n", stderr);
        return 2;
    }
    const auto delay = static_cast<DWORD>(std::wcstoul(argv[1], nullptr, 10));
    tarvex::win32::SingleInstance session;
    if (session.settle() != tarvex::win32::SingleInstance::Start::RunsHere) {
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
        MSG message{};
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (form.handleDialogKey(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    } catch (const std::exception &failure) {
        std::fprintf(stderr, "no window: %s\n", failure.what());
        return 1;
    }
    return 0;
}
