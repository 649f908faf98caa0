#pragma once

#include <array>
#include <string_view>
#include <vector>

// The script a typing case is written in, read alike by the tests of both windows:
// - a plain character is typed with its key;
// - <BS>, <Del>, <Home>, <End>, <Left>, <Right>, <Esc>, <F2>: that key;
// - <Ctrl+V>: the letter's key with Ctrl held;
// - <中>: a single character beyond the keyboard, as one key press that types it;
// - <IM:中文>: an input method commits the text.
namespace tarvex::cases {

struct Keystroke
{
    enum class Kind { Character, NamedKey, CtrlLetter, ForeignCharacter, InputMethodCommit };
    Kind kind;
    // The character, the key's name, the letter, or the committed text.
    std::u16string_view text;
};

inline constexpr std::array<std::u16string_view, 8> kNamedKeys = {
    u"BS", u"Del", u"Home", u"End", u"Left", u"Right", u"Esc", u"F2"};

// The script's keystrokes, in order. Throws std::invalid_argument on a script that is not
// written as above, so that a mistyped case fails rather than types something else.
[[nodiscard]] std::vector<Keystroke> keystrokes(std::u16string_view script);

} // namespace tarvex::cases
