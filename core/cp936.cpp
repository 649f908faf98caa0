#include "cp936.h"

#include "iconv_converter.h"

#include <cstddef>
#include <span>

namespace tarvex {

namespace {

constexpr std::uint16_t kQuestionMark = 0x3F;
constexpr char16_t kReplacement = u'\uFFFD';
// Never a decoding result, so it marks "no character" in the decode tables.
constexpr char16_t kNoCharacter = u'\uFFFF';

bool isSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

} // namespace

struct Cp936::EncodeTable
{
    std::vector<std::uint16_t> codes = std::vector<std::uint16_t>(0x10000, kQuestionMark);

    EncodeTable()
    {
        IconvConverter toCp936("CP936", "UTF-16LE");
        for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
            if (isSurrogate(static_cast<char16_t>(unit)))
                continue;
            const std::array<std::byte, 2> utf16le = {std::byte(unit & 0xFF), std::byte(unit >> 8)};
            const auto bytes = toCp936.convert(utf16le);
            if (!bytes)
                continue;
            if (bytes->size() == 1)
                codes[unit] = static_cast<std::uint8_t>((*bytes)[0]);
            else if (bytes->size() == 2)
                codes[unit] =
                    static_cast<std::uint16_t>(static_cast<std::uint8_t>((*bytes)[0]) << 8 |
                                               static_cast<std::uint8_t>((*bytes)[1]));
        }
    }
};

struct Cp936::DecodeTable
{
    std::array<char16_t, 0x100> singles{};
    std::vector<char16_t> pairs = std::vector<char16_t>(0x10000, kNoCharacter);

    DecodeTable()
    {
        IconvConverter fromCp936("UTF-16LE", "CP936");
        const auto decodeOne = [&](std::span<const std::byte> bytes) {
            const auto utf16le = fromCp936.convert(bytes);
            if (!utf16le || utf16le->size() != 2)
                return kNoCharacter;
            return static_cast<char16_t>(static_cast<std::uint8_t>((*utf16le)[0]) |
                                         static_cast<std::uint8_t>((*utf16le)[1]) << 8);
        };
        for (unsigned byte = 0; byte <= 0xFF; ++byte) {
            const std::array<std::byte, 1> one = {std::byte(byte)};
            singles[byte] = decodeOne(one);
        }
        for (unsigned hi = 0; hi <= 0xFF; ++hi) {
            // Only a byte that is not a character on its own can lead a pair.
            if (singles[hi] != kNoCharacter)
                continue;
            for (unsigned lo = 0; lo <= 0xFF; ++lo) {
                const std::array<std::byte, 2> two = {std::byte(hi), std::byte(lo)};
                pairs[hi << 8 | lo] = decodeOne(two);
            }
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

std::u16string Cp936::decode(std::string_view bytes)
{
    const DecodeTable &table = decodeTable();
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (table.singles[byte] != kNoCharacter) {
            text.push_back(table.singles[byte]);
            continue;
        }
        const char16_t pair = i + 1 < bytes.size()
                                  ? table.pairs[static_cast<std::size_t>(byte) << 8 |
                                                static_cast<std::uint8_t>(bytes[i + 1])]
                                  : kNoCharacter;
        if (pair != kNoCharacter) {
            text.push_back(pair);
            ++i;
        } else {
            text.push_back(kReplacement);
        }
    }
    return text;
}

void Cp936::decodeByte(std::uint8_t byte, std::u16string &out)
{
    const char16_t ch = decodeTable().singles[byte];
    out.push_back(ch == kNoCharacter ? kReplacement : ch);
}

void Cp936::decodePair(std::uint8_t hi, std::uint8_t lo, std::u16string &out)
{
    const DecodeTable &table = decodeTable();
    if (table.singles[hi] != kNoCharacter) {
        out.push_back(table.singles[hi]);
        decodeByte(lo, out);
        return;
    }
    const char16_t ch = table.pairs[static_cast<std::size_t>(hi) << 8 | lo];
    if (ch != kNoCharacter) {
        out.push_back(ch);
        return;
    }
    out.push_back(kReplacement);
    decodeByte(lo, out);
}

} // namespace tarvex
