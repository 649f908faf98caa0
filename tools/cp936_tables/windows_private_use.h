#pragma once

#include <cstdint>
#include <vector>

namespace tarvex {

// Code page 936 as Windows has it gives a private-use character to 2,149 two-byte codes that
// GBK, and so the C library's CP936 converter, leaves without one: the three user-defined areas,
// where Chinese Windows keeps the characters its users make with the private character editor
// (typically rare characters of people's names), then the codes GBK leaves unassigned. Without
// them a name written with such a character would get other codes here than every Windows
// program saves, and codes copied from such a file would decode to replacement characters.

// The codes, in the order in which Windows gives them the characters from U+E000 on.
[[nodiscard]] std::vector<std::uint16_t> windowsPrivateUseCodes();

inline constexpr char16_t kFirstWindowsPrivateUse = u'\uE000';

// One character Windows writes as a single byte that decodes to no character: only encoding
// sees it.
inline constexpr char16_t kWindowsOneWayCharacter = u'\uF8F5';
inline constexpr std::uint16_t kWindowsOneWayCode = 0xFF;

} // namespace tarvex
