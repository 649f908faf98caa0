#include "win32/message_loop.h"

namespace tarvex::win32 {

int runMessageLoop(const Form1 &form)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form.handleDialogKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace tarvex::win32
