#pragma once

#include "win32/windows_headers.h"

#include <string_view>

namespace tarvex::win32 {

// Gives controls the names a screen reader announces them by. An edit box is otherwise named
// after the label stacked just in front of it, and the design's text boxes have none: each
// stands in or under a group box whose caption names it. The COM library that annotates them
// is loaded, and the thread's apartment entered, only when this is made: the window's first
// frame need not wait for them. The apartment is left when this goes. Where Windows cannot
// annotate a control (no COM, an old oleacc), the control keeps the name it had.
class AccessibleNames
{
public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames &) = delete;
    AccessibleNames &operator=(const AccessibleNames &) = delete;

    void set(HWND control, std::u16string_view name) const;

private:
    HMODULE m_ole32;
    bool m_entered = false;
};

} // namespace tarvex::win32
