#pragma once

#include "win32/single_instance.h"
#include "win32/windows_headers.h"

namespace tarvex::win32 {

// The program once this start is the session's Tarvex: makes the window, whose Load step puts
// the icon in the notification area, shows it and runs it until it is gone; returns the
// program's status. Where Windows refuses the window, the session is let go before the user is
// told 无法创建窗口 (status 1), so that a start meanwhile takes over at once rather than wait
// behind the box.
[[nodiscard]] int runTarvex(HINSTANCE instance, int showCommand, SingleInstance &session);

} // namespace tarvex::win32
