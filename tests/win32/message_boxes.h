#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The program's message boxes and pop-up menus as another program sees them: top-level windows
// of the program's thread, of the classes Windows gives dialogs (#32770) and menus (#32768).
namespace tarvex::driver {

struct ShownMessageBox
{
    HWND owner;
    std::u16string title;
    std::u16string text;
    std::vector<std::u16string> buttons;
    // Wine's boxes always carry an icon label, empty when the box shows no icon: what counts is
    // whether the label holds an icon.
    bool showsIcon;
};

// The message box of the thread that is on the screen, or nullptr.
[[nodiscard]] HWND shownMessageBox(DWORD threadId);
// The pop-up menu of the thread that is on the screen, or nullptr.
[[nodiscard]] HWND shownPopupMenu(DWORD threadId);

[[nodiscard]] ShownMessageBox readMessageBox(HWND box);

// Clicks the box's OK button, as a message posted behind whatever the program has yet to
// handle; returns once the box has gone.
void pressOk(HWND box);

} // namespace tarvex::driver
