#pragma once

#include <windows.h>

#include <string_view>

// Real input through SendInput, as the user's keyboard and mouse give it: it goes to the
// window in front, and reaches the program in the order it was sent.
namespace tarvex::driver {

// Presses and releases the key; `extended` for the keys of the extended keyboard (keypad Enter
// is Return with it).
void pressKey(WORD virtualKey, bool extended = false);

// Types a key script (key_script.h): characters with the keys that type them (Shift held where
// the keyboard needs it), and those beyond the keyboard as the Unicode keystrokes an input
// tool sends. Throws Failure for an input method's commit, which no keystroke makes.
void typeKeyScript(std::u16string_view script);

// A left click at the point of the screen. Two clicks in a row at the same point would be a
// double click: the caller picks another point for the next click.
void clickAt(POINT point);

// Puts the text on the clipboard, as copying it elsewhere would.
void setClipboardText(std::u16string_view text);

} // namespace tarvex::driver
