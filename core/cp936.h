#pragma once

#include "core/cp936_tables.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarvex {

// Code page 936 (the Windows form of GBK), always, whatever the locale: Windows' own mapping,
// carried in tables written at build time, one table read per character.
class Cp936
{
public:
    // The code of a UTF-16 code unit: b for a one-byte encoding, b1 * 256 + b2 for two bytes.
    // A unit that the code page cannot represent, a lone surrogate included, has the code of
    // the question mark, 0x3F.
    [[nodiscard]] static std::uint16_t code(char16_t unit) { return cp936_tables::kCodes[unit]; }

    // The codes of all 65,536 code units, indexed by the unit.
    [[nodiscard]] static std::span<const std::uint16_t, 0x10000> codes()
    {
        return cp936_tables::kCodes;
    }

    // The text of a run of code page 936 bytes. A byte that does not begin a character, or a
    // lead byte whose second byte does not complete one, gives U+FFFD, and the second byte is
    // then read anew on its own.
    [[nodiscard]] static std::u16string decode(std::string_view bytes);

    // Writes the characters that a value stands for, read as decode() reads its bytes: the one
    // byte of a value up to 0xFF, otherwise the high byte, then the low byte. One or two
    // characters; returns the end of what it wrote. Inline: it runs once per code when a long
    // text of codes is read.
    static char16_t *decodeValue(std::uint16_t value, char16_t *out)
    {
        // A two-byte character, the usual case, in one table read.
        constexpr unsigned kFirstPair = cp936_tables::kFirstLeadByte << 8;
        if (value >= kFirstPair) {
            const char16_t pair = cp936_tables::kPairs[value - kFirstPair];
            if (pair != cp936_tables::kNoCharacter) {
                *out++ = pair;
                return out;
            }
        }
        return decodeOtherValue(value, out);
    }

private:
    // One byte, or two that are not a character together.
    static char16_t *decodeOtherValue(std::uint16_t value, char16_t *out);
};

} // namespace tarvex
