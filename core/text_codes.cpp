#include "text_codes.h"

#include "cp936.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace tarvex {

namespace {

constexpr std::size_t kGroupSize = 4;

constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";

// Writes `code` in hexadecimal without leading zeros and returns the end of what it wrote.
char16_t *writeHex(std::uint16_t code, char16_t *out)
{
    if (code > 0xFF) {
        *out++ = kHexDigits[code >> 12];
        *out++ = kHexDigits[(code >> 8) & 0xF];
    }
    if (code > 0xF)
        *out++ = kHexDigits[(code >> 4) & 0xF];
    *out++ = kHexDigits[code & 0xF];
    return out;
}

int hexDigitValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    return -1;
}

std::uint16_t groupValue(std::u16string_view group)
{
    std::uint16_t value = 0;
    for (char16_t ch : group) {
        if (ch == u' ' || ch == u'\t' || ch == u'\n')
            continue;
        const int digit = hexDigitValue(ch);
        if (digit < 0)
            break;
        value = static_cast<std::uint16_t>(value << 4 | digit);
    }
    return value;
}

} // namespace

std::u16string TextToHexCodes(std::u16string_view text)
{
    std::u16string codes(text.size() * 4, u'\0');
    char16_t *out = codes.data();
    const std::span<const std::uint16_t, 0x10000> table = Cp936::codes();
    for (char16_t unit : text)
        out = writeHex(table[unit], out);
    codes.resize(static_cast<std::size_t>(out - codes.data()));
    return codes;
}

std::u16string HexCodesToText(std::u16string_view codes)
{
    std::u16string text;
    text.reserve(codes.size() / 2 + 1);
    for (std::size_t start = 0; start < codes.size(); start += kGroupSize) {
        const std::uint16_t value =
            groupValue(codes.substr(start, std::min(kGroupSize, codes.size() - start)));
        if (value > 0xFF)
            Cp936::decodePair(static_cast<std::uint8_t>(value >> 8),
                              static_cast<std::uint8_t>(value & 0xFF), text);
        else
            Cp936::decodeByte(static_cast<std::uint8_t>(value), text);
    }
    return text;
}

} // namespace tarvex
