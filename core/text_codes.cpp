#include "text_codes.h"

#include "cp936.h"

#include <algorithm>
#include <cstdint>

namespace tarvex {

namespace {

constexpr std::size_t kGroupSize = 4;

void appendHex(std::uint16_t code, std::u16string &out)
{
    static constexpr std::u16string_view digits = u"0123456789ABCDEF";
    int shift = code > 0xFF ? 12 : code > 0xF ? 4 : 0;
    for (; shift >= 0; shift -= 4)
        out.push_back(digits[(code >> shift) & 0xF]);
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
    std::u16string codes;
    codes.reserve(text.size() * 4);
    for (char16_t unit : text)
        appendHex(Cp936::code(unit), codes);
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
