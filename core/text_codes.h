#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// The code page 936 codes of every character of `text`, in order, each in upper-case
// hexadecimal without leading zeros (one or two digits for a one-byte code, four for a
// two-byte code), with nothing between them. Characters the code page lacks give 3F.
[[nodiscard]] std::u16string TextToHexCodes(std::u16string_view text);

// The text whose codes `codes` holds as consecutive groups of four characters (the last group
// may be shorter). In each group blanks, tabs and line feeds are skipped and the hexadecimal
// digits up to the first other character give its value; a group with no leading digit is 0.
// A value up to FF is one byte, a larger one the two bytes high, low; the bytes are decoded
// as code page 936. A value of 0 gives U+0000.
[[nodiscard]] std::u16string HexCodesToText(std::u16string_view codes);

} // namespace tarvex
