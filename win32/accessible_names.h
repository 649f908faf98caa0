#pragma once

#include "win32/windows_headers.h"

#include <string_view>

namespace tarvex::win32 {

// Gives a control the name a screen reader announces it by. An edit box is otherwise named
// after the label stacked just in front of it, and the design's text boxes have none: each
// stands in or under a group box whose caption names it. Where Windows cannot annotate the
// control (no COM, an old oleacc), the control keeps the name it had.
void setAccessibleName(HWND control, std::u16string_view name);

} // namespace tarvex::win32
