#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// Code page 936 (the Windows form of GBK), always, whatever the locale: lookup tables built
// once from the C library's CP936 converter, so that converting a text costs one table read
// per character instead of one converter call.
class Cp936
{
public:
    // The code of a UTF-16 code unit: b for a one-byte encoding, b1 * 256 + b2 for two bytes.
    // A unit that the code page cannot represent, a lone surrogate included, has the code of
    // the question mark, 0x3F.
    [[nodiscard]] static std::uint16_t code(char16_t unit) { return codes()[unit]; }

    // The codes of all 65,536 code units, indexed by the unit.
    [[nodiscard]] static std::span<const std::uint16_t, 0x10000> codes();

    // The text of code page 936 bytes, each byte that does not form a character as U+FFFD.
    [[nodiscard]] static std::u16string decode(std::string_view bytes);

    // Appends the characters that the one byte, or the two bytes hi lo, stand for. A byte that
    // does not begin a character, or a lead byte whose second byte does not complete one, gives
    // U+FFFD, and the second byte is then read anew on its own.
    static void decodeByte(std::uint8_t byte, std::u16string &out);
    static void decodePair(std::uint8_t hi, std::uint8_t lo, std::u16string &out);

private:
    struct EncodeTable;
    struct DecodeTable;
    static const EncodeTable &encodeTable();
    static const DecodeTable &decodeTable();
};

} // namespace tarvex
