#include "cp936.h"

#include "iconv_converter.h"

#include <array>
#include <cstddef>

namespace tarvex {

namespace {

constexpr std::uint16_t kQuestionMark = 0x3F;
constexpr char16_t kReplacement = u'\uFFFD';
// Never a decoding result, so it marks "no character" in the decode tables.
constexpr char16_t kNoCharacter = u'\uFFFF';

IconvConverter toCp936()
{
    return {"CP936", "UTF-16LE"};
}

IconvConverter fromCp936()
{
    return {"UTF-16LE", "CP936"};
}

std::uint16_t encodeUnit(IconvConverter &converter, char16_t unit)
{
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return kQuestionMark;
    const std::array<std::byte, 2> utf16le = {std::byte(unit & 0xFF), std::byte(unit >> 8)};
    const auto bytes = converter.convert(utf16le);
    if (!bytes || bytes->empty() || bytes->size() > 2)
        return kQuestionMark;
    std::uint16_t code = 0;
    for (char byte : *bytes)
        code = static_cast<std::uint16_t>(code << 8 | static_cast<std::uint8_t>(byte));
    return code;
}

// The one character that `bytes` (one or two of them) stand for, or kNoCharacter.
char16_t decodeBytes(IconvConverter &converter, std::span<const std::byte> bytes)
{
    const auto utf16le = converter.convert(bytes);
    if (!utf16le || utf16le->size() != 2)
        return kNoCharacter;
    return static_cast<char16_t>(static_cast<std::uint8_t>((*utf16le)[0]) |
                                 static_cast<std::uint8_t>((*utf16le)[1]) << 8);
}

char16_t decodeSingle(IconvConverter &converter, std::uint8_t byte)
{
    const std::array<std::byte, 1> one = {std::byte(byte)};
    return decodeBytes(converter, one);
}

char16_t decodeTwo(IconvConverter &converter, std::uint8_t hi, std::uint8_t lo)
{
    const std::array<std::byte, 2> two = {std::byte(hi), std::byte(lo)};
    return decodeBytes(converter, two);
}

// Reads `bytes` as code page 936, given how to read one byte and how to read two.
template<typename Single, typename Pair>
std::u16string decodeWith(std::string_view bytes, Single single, Pair pair)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (const char16_t ch = single(byte); ch != kNoCharacter) {
            text.push_back(ch);
            continue;
        }
        const char16_t ch = i + 1 < bytes.size()
                                ? pair(byte, static_cast<std::uint8_t>(bytes[i + 1]))
                                : kNoCharacter;
        text.push_back(ch != kNoCharacter ? ch : kReplacement);
        if (ch != kNoCharacter)
            ++i;
    }
    return text;
}

} // namespace

struct Cp936::EncodeTable
{
    std::vector<std::uint16_t> codes = std::vector<std::uint16_t>(0x10000);

    EncodeTable()
    {
        IconvConverter converter = toCp936();
        for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit)
            codes[unit] = encodeUnit(converter, static_cast<char16_t>(unit));
    }
};

struct Cp936::DecodeTable
{
    std::array<char16_t, 0x100> singles{};
    std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, kNoCharacter);

    DecodeTable()
    {
        IconvConverter converter = fromCp936();
        for (unsigned byte = 0; byte <= 0xFF; ++byte)
            singles[byte] = decodeSingle(converter, static_cast<std::uint8_t>(byte));
        for (unsigned hi = 0; hi <= 0xFF; ++hi) {
            // Only a byte that is not a character on its own can lead a pair.
            if (singles[hi] != kNoCharacter)
                continue;
            for (unsigned lo = 0; lo <= 0xFF; ++lo)
                pairs[hi << 8 | lo] = decodeTwo(converter, static_cast<std::uint8_t>(hi),
                                                static_cast<std::uint8_t>(lo));
        }
    }
};

const Cp936::EncodeTable &Cp936::encodeTable()
{
    static const EncodeTable table;
    return table;
}

const Cp936::DecodeTable &Cp936::decodeTable()
{
    static const DecodeTable table;
    return table;
}

std::span<const std::uint16_t, 0x10000> Cp936::codes()
{
    return std::span<const std::uint16_t, 0x10000>(encodeTable().codes.data(), 0x10000);
}

std::vector<std::uint16_t> Cp936::codesOf(std::u16string_view text)
{
    IconvConverter converter = toCp936();
    std::vector<std::uint16_t> result;
    result.reserve(text.size());
    for (char16_t unit : text)
        result.push_back(encodeUnit(converter, unit));
    return result;
}

std::u16string Cp936::decode(std::string_view bytes)
{
    IconvConverter converter = fromCp936();
    return decodeWith(
        bytes, [&](std::uint8_t byte) { return decodeSingle(converter, byte); },
        [&](std::uint8_t hi, std::uint8_t lo) { return decodeTwo(converter, hi, lo); });
}

void Cp936::decodeByte(std::uint8_t byte, std::u16string &out)
{
    const char16_t ch = decodeTable().singles[byte];
    out.push_back(ch == kNoCharacter ? kReplacement : ch);
}

void Cp936::decodePair(std::uint8_t hi, std::uint8_t lo, std::u16string &out)
{
    const DecodeTable &table = decodeTable();
    out += decodeWith(
        std::string{static_cast<char>(hi), static_cast<char>(lo)},
        [&](std::uint8_t byte) { return table.singles[byte]; },
        [&](std::uint8_t first, std::uint8_t second) {
            return table.pairs[static_cast<std::size_t>(first) << 8 | second];
        });
}

} // namespace tarvex
