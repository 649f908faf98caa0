#pragma once

#include <array>
#include <cstdint>

// Code page 936 as Windows has it: the C library's CP936 converter of the build machine, plus
// the 2,149 private-use characters Windows gives to codes that GBK leaves without one, and the
// one character (U+F8F5) that it writes as the single byte FF. The build writes the tables
// (tools/cp936_tables), so that the program needs no converter at run time and builds no table.
namespace tarvex::cp936_tables {

// Marks "no character": never a decoding result.
inline constexpr char16_t kNoCharacter = u'\uFFFF';
// Bytes from here on may lead a pair; below it every byte is a character on its own.
inline constexpr unsigned kFirstLeadByte = 0x80;

// The code of every UTF-16 code unit: b for one byte, b1 * 256 + b2 for two; 0x3F where the
// code page has no character for it (lone surrogates included). Only U+F8F5's code, FF, decodes
// to no character.
extern const std::array<std::uint16_t, 0x10000> kCodes;

// The character of every single byte, or kNoCharacter for a byte that is none on its own.
extern const std::array<char16_t, 0x100> kSingles;

// The character of every pair whose first byte is at least kFirstLeadByte and is not a
// character on its own, at ((first - kFirstLeadByte) << 8 | second); kNoCharacter elsewhere.
extern const std::array<char16_t, 0x8000> kPairs;

} // namespace tarvex::cp936_tables
