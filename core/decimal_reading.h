#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

// Reads the number at the start of a text, the way the decimal input box is read: blanks, tabs
// and line feeds are dropped wherever they stand, then the longest prefix of the form
// [+|-] digits-with-at-most-one-period [E|e [+|-] digits] gives the value. The period is the
// decimal point whatever the locale. A prefix without a digit reads as 0; a value beyond the
// range of a double reads as an infinity of its sign.
[[nodiscard]] double leadingNumber(std::u16string_view text);

// The signed 32-bit integer nearest to x, ties to even. Throws OverflowError when that integer
// (or x itself, when it is not a number) lies outside the 32-bit range.
[[nodiscard]] std::int32_t roundToInt32(double x);

// The non-negative 32-bit value that a decimal input text stands for: leadingNumber, rounded
// by roundToInt32. A reading that rounds to a negative integer has no digits in any base, so it
// is out of range like one that is too large: throws OverflowError.
[[nodiscard]] std::int32_t decimalInputValue(std::u16string_view text);

// A non-negative value written in the digits 0 to 9, without sign or leading zeros.
[[nodiscard]] std::u16string decimalText(std::int32_t value);

} // namespace tarvex
