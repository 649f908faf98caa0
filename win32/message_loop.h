#pragma once

#include "win32/form1.h"

namespace tarvex::win32 {

// Runs the thread's messages until the window's end asks the loop to end, keys meant for the
// window's controls going first to its dialog keys; returns the status the window's end gave.
[[nodiscard]] int runMessageLoop(const Form1 &form);

} // namespace tarvex::win32
