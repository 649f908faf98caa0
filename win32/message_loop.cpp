#include "win32/message_loop.h"

#include "win32/startup_steps.h"

namespace tarvex::win32 {

int runMessageLoop(const Form1 &form)
{
    MSG message{};
    for (;;) {
        TARVEX_STARTUP_REPORT_WHEN_IDLE();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            break;
        TARVEX_STARTUP_STEP("messages until the thread first waits");
        if (form.handleDialogKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace tarvex::win32
