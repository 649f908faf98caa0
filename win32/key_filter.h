#pragma once

#include "design/key_decision.h"
#include "win32/windows_headers.h"

#include <functional>

namespace tarvex::win32 {

// Keeps an edit box to the digits of the chosen input base, as design::filteredKeyCode decides:
// it sees each character typed into the box (WM_CHAR, Ctrl+C, Ctrl+V and Ctrl+X among them,
// which the edit box copies, pastes and cuts on; Ctrl+A, on which it selects all, as its key
// goes down) and what an input method hands it, before the box does. Keys that type nothing
// (arrows, Delete, Shift+Insert) and text pasted through the box's menu are left alone. Under
// binary, octal and decimal the box takes no input method.
class KeyFilter
{
public:
    KeyFilter(HWND box, std::function<design::InputBase()> currentBase);
    ~KeyFilter();
    KeyFilter(const KeyFilter &) = delete;
    KeyFilter &operator=(const KeyFilter &) = delete;

    // Gives the box its input method, or takes it away; to be called when the input base changes.
    void followInputBase();

private:
    static LRESULT CALLBACK boxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);
    [[nodiscard]] LRESULT filter(UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] LRESULT filterComposition(WPARAM wParam, LPARAM lParam);

    HWND m_box;
    std::function<design::InputBase()> m_currentBase;
};

} // namespace tarvex::win32
