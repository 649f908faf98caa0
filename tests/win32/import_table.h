#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

// What the program under test calls in a system DLL, seen in the test program's own import
// table: the window's library is linked into it, so its calls go through that table, and so do
// the functions it looks up at run time (GetProcAddress).
namespace tarvex::window_tests {

// Puts `replacement` in the import table in place of the DLL's function; returns the function
// it replaced, or nullptr when the program does not import it.
[[nodiscard]] void *replaceImport(const char *dll, const char *function, void *replacement);

// What a lookup of a function by name hands out, given what Windows hands out (nullptr where
// it lacks the function): a recorder that passes the calls on, a stand-in, or nullptr as a
// Windows without it.
using LookUpAnswer = std::function<FARPROC(FARPROC found)>;

// From now on lookups of the function are answered so; an empty answer leaves them to Windows.
void answerLookUps(std::string_view function, LookUpAnswer answer);

// Puts in place the GetProcAddress that answers lookups, before anything is looked up: the
// window's library keeps some of what it looks up. False where the program does not import it.
[[nodiscard]] bool answerLookUpsFromNowOn();

// A function as GetProcAddress hands it out, and back.
template<typename Function> FARPROC asLookedUp(Function function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void *>(function));
}
template<typename Function> Function asCalled(FARPROC found)
{
    return reinterpret_cast<Function>(reinterpret_cast<void *>(found));
}

} // namespace tarvex::window_tests
