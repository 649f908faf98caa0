#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

// Real input, as the user's keyboard gives it: what SendInput sends to the window in front,
// reaching it in the order sent.
namespace tarvex::window_tests {

// A key pressed and released; `extended` for the keys of the extended keyboard (keypad Enter
// is Return with it), `shifted` with Shift held.
[[nodiscard]] std::vector<INPUT> keyPress(WORD virtualKey, bool extended = false,
                                          bool shifted = false);

// A key script (key_script.h) typed: characters with the keys that type them (Shift held where
// the keyboard needs it), and those beyond the keyboard as the Unicode keystrokes an input
// tool sends. Throws std::invalid_argument for an input method's commit, which no keystroke
// makes.
[[nodiscard]] std::vector<INPUT> keyScript(std::u16string_view script);

// Sends the input; throws std::runtime_error when Windows takes less than all of it.
void sendInput(std::vector<INPUT> inputs);

// Puts the text on the clipboard, as copying it elsewhere would; throws std::runtime_error
// when the clipboard does not take it.
void setClipboardText(std::u16string_view text);

} // namespace tarvex::window_tests
