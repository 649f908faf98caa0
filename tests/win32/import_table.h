#pragma once

#include <windows.h>

namespace tarvex::window_tests {

// Puts `replacement` in this program's import table in place of the DLL's function, so that
// the window's code, linked into this program, calls it; returns the function it replaced, or
// nullptr when the program does not import it.
[[nodiscard]] void *replaceImport(const char *dll, const char *function, void *replacement);

} // namespace tarvex::window_tests
