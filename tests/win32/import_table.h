#pragma once

#include <windows.h>

// What the program under test calls in a system DLL, seen in the test program's own import
// table: the window's library is linked into it, so its calls go through that table.
namespace tarvex::window_tests {

// Puts `replacement` in the import table in place of the DLL's function; returns the function
// it replaced, or nullptr when the program does not import it.
[[nodiscard]] void *replaceImport(const char *dll, const char *function, void *replacement);

} // namespace tarvex::window_tests
