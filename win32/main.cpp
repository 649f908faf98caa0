#include "win32/dpi.h"
#include "win32/form1.h"
#include "win32/message_loop.h"
#include "win32/single_instance.h"

#include <commctrl.h>

#include <exception>

namespace {

constexpr const wchar_t *kCannotStart = L"无法创建窗口";

} // namespace

// Starting the program makes the window, whose Load step puts the icon in the notification
// area, and shows it; the program ends when the window is gone. Started again while it runs,
// it shows the running window instead and ends with status 0; with status 1 when the running
// one never answered.
int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPWSTR /*lpCmdLine*/,
                    int nShowCmd)
{
    using Start = tarvex::win32::SingleInstance::Start;
    tarvex::win32::SingleInstance session;
    if (const Start start = session.settle(); start != Start::RunsHere)
        return start == Start::ShownElsewhere ? 0 : 1;
    tarvex::win32::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    try {
        tarvex::win32::Form1 form(hInstance);
        form.show(nShowCmd);
        return tarvex::win32::runMessageLoop(form);
    } catch (const std::exception &) {
        // Windows refused the window (out of window handles or memory): say so rather than
        // vanish without a word. The window that was made is gone, and its going asked the
        // message loop to end: the box's own loop would take that request and close at once.
        MSG quit{};
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        MessageBoxW(nullptr, kCannotStart, L"", MB_OK | MB_ICONERROR);
        return 1;
    }
}
