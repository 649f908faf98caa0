#pragma once

// Which characters typed into the number box each input base lets through: the decision that
// the key filters of both windows make, each on its own toolkit's key events.
namespace tarvex::design {

enum class InputBase { Binary, Octal, Decimal, Hexadecimal };

// The code of a typed character as the filter leaves it: unchanged when the input base allows
// it, 0 (nothing typed) when it does not. Binary allows 0 and 1, octal 0 to 7, decimal 0 to 9,
// each with Backspace (8); hexadecimal allows everything.
[[nodiscard]] int filteredKeyCode(int code, InputBase base);

// Whether the number box takes an input method under the base. Under binary, octal and
// decimal everything an input method composes would be thrown away, and a pinyin input method
// would show its composition and candidates in a box that takes none of them.
[[nodiscard]] constexpr bool takesInputMethod(InputBase base)
{
    return base == InputBase::Hexadecimal;
}

} // namespace tarvex::design
