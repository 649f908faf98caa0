#include "win32/program.h"

#include "win32/form1.h"
#include "win32/message_loop.h"

#include <exception>

namespace tarvex::win32 {

namespace {

constexpr const wchar_t *kCannotStart = L"无法创建窗口";

} // namespace

int runTarvex(HINSTANCE instance, int showCommand, SingleInstance &session)
{
    try {
        Form1 form(instance);
        form.show(showCommand);
        return runMessageLoop(form);
    } catch (const std::exception &) {
        // Windows refused the window (out of window handles or memory): say so rather than
        // vanish without a word. The window that was made is gone, and its going asked the
        // message loop to end: the box's own loop would take that request and close at once.
        session.leave();
        MSG quit{};
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        MessageBoxW(nullptr, kCannotStart, L"", MB_OK | MB_ICONERROR);
        return 1;
    }
}

} // namespace tarvex::win32
