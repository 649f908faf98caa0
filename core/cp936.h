#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// Code page 936 (the Windows form of GBK), always, whatever the locale, from the C library's
// CP936 converter. Long texts go through lookup tables built from the converter on first use,
// one table read per character instead of one converter call; short texts (a few dozen
// characters, as at start-up) go straight through the converter, so that they do not pay the
// few milliseconds that building a table takes.
class Cp936
{
public:
    // The code of a UTF-16 code unit: b for a one-byte encoding, b1 * 256 + b2 for two bytes.
    // A unit that the code page cannot represent, a lone surrogate included, has the code of
    // the question mark, 0x3F.
    [[nodiscard]] static std::uint16_t code(char16_t unit) { return codes()[unit]; }

    // The codes of all 65,536 code units, indexed by the unit (the table).
    [[nodiscard]] static std::span<const std::uint16_t, 0x10000> codes();

    // The codes of each unit of a short text, straight from the converter.
    [[nodiscard]] static std::vector<std::uint16_t> codesOf(std::u16string_view text);

    // The text of a short run of code page 936 bytes, straight from the converter. A byte that
    // does not begin a character, or a lead byte whose second byte does not complete one,
    // gives U+FFFD, and the second byte is then read anew on its own.
    [[nodiscard]] static std::u16string decode(std::string_view bytes);

    // Appends the characters that the one byte, or the two bytes hi lo, stand for, read as
    // decode() reads them (through the tables).
    static void decodeByte(std::uint8_t byte, std::u16string &out);
    static void decodePair(std::uint8_t hi, std::uint8_t lo, std::u16string &out);

private:
    struct EncodeTable;
    struct DecodeTable;
    static const EncodeTable &encodeTable();
    static const DecodeTable &decodeTable();
};

} // namespace tarvex
