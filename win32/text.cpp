#include "win32/text.h"

namespace tarvex::win32 {

std::u16string windowText(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    if (length > 0) {
        const int copied =
            GetWindowTextW(window, reinterpret_cast<wchar_t *>(text.data()), length + 1);
        text.resize(static_cast<std::size_t>(copied));
    }
    return text;
}

} // namespace tarvex::win32
