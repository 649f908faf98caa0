#include "core/cp936.h"

namespace tarvex {

using cp936_tables::kFirstLeadByte;
using cp936_tables::kNoCharacter;
using cp936_tables::kPairs;
using cp936_tables::kSingles;

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

// The character of a pair led by a byte that is no character on its own (every such byte is
// at least kFirstLeadByte, which the table generator checks), or kNoCharacter.
char16_t pairCharacter(std::uint8_t first, std::uint8_t second)
{
    return kPairs[static_cast<unsigned>(first - kFirstLeadByte) << 8 | second];
}

char16_t *writeSingle(std::uint8_t byte, char16_t *out)
{
    const char16_t ch = kSingles[byte];
    *out++ = ch == kNoCharacter ? kReplacement : ch;
    return out;
}

} // namespace

std::u16string Cp936::decode(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (const char16_t single = kSingles[byte]; single != kNoCharacter) {
            text.push_back(single);
            continue;
        }
        const char16_t pair = i + 1 < bytes.size()
                                  ? pairCharacter(byte, static_cast<std::uint8_t>(bytes[i + 1]))
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

char16_t *Cp936::decodeOtherValue(std::uint16_t value, char16_t *out)
{
    if (value <= 0xFF)
        return writeSingle(static_cast<std::uint8_t>(value), out);
    const auto high = static_cast<std::uint8_t>(value >> 8);
    const char16_t single = kSingles[high];
    if (single == kNoCharacter) {
        const char16_t pair = pairCharacter(high, static_cast<std::uint8_t>(value));
        if (pair != kNoCharacter) {
            *out++ = pair;
            return out;
        }
        *out++ = kReplacement;
    } else {
        *out++ = single;
    }
    // The low byte is read anew on its own.
    return writeSingle(static_cast<std::uint8_t>(value), out);
}

} // namespace tarvex
