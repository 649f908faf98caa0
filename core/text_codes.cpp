#include "core/text_codes.h"

#include "core/cp936.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
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

// The value of a hexadecimal digit, or a byte with its top bit set for any other character.
constexpr std::uint8_t digitOrMark(char16_t ch)
{
    const unsigned decimal = ch - unsigned{u'0'};
    const unsigned letter = (ch | 0x20U) - unsigned{u'a'};
    return decimal < 10 ? static_cast<std::uint8_t>(decimal)
                        : (letter < 6 ? static_cast<std::uint8_t>(letter + 10) : 0x80);
}

// The value of every two characters below U+0080 read as two hexadecimal digits, at
// (first << 7 | second), or -1: two reads make a group's value.
constexpr std::array<std::int16_t, 0x4000> kDigitPairValues = [] {
    std::array<std::int16_t, 0x4000> values{};
    for (char16_t first = 0; first < 0x80; ++first)
        for (char16_t second = 0; second < 0x80; ++second) {
            const bool digits = digitOrMark(first) <= 0xF && digitOrMark(second) <= 0xF;
            values[first << 7 | second] =
                digits ? static_cast<std::int16_t>(digitOrMark(first) << 4 | digitOrMark(second))
                       : std::int16_t{-1};
        }
    return values;
}();

// The value of a group of four hexadecimal digits, the usual case, or -1 for any other group.
int fourDigitsValue(const char16_t *group)
{
    if ((group[0] | group[1] | group[2] | group[3]) >= 0x80)
        return -1;
    const int value = kDigitPairValues[group[0] << 7 | group[1]] << 8 |
                      kDigitPairValues[group[2] << 7 | group[3]];
    // A pair's -1 sets every high bit.
    return value < 0 ? -1 : value;
}

#if defined(__SSE2__)
struct TwoGroups
{
    std::array<std::uint16_t, 2> values;
    std::array<bool, 2> whole; // the group is four hexadecimal digits, and values holds it
};

// The values of two groups of four characters at once, with SSE2 (on every x86-64): each
// character's digit value and whether it is a digit, then each group's digits weighted by
// 4096, 256, 16 and 1 and summed.
TwoGroups twoGroupsValues(const char16_t *groups)
{
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i *>(groups));
    const __m128i zero = _mm_setzero_si128();
    const __m128i decimal = _mm_sub_epi16(chars, _mm_set1_epi16(u'0'));
    const __m128i isDecimal = _mm_cmpeq_epi16(_mm_subs_epu16(decimal, _mm_set1_epi16(9)), zero);
    const __m128i letter =
        _mm_sub_epi16(_mm_or_si128(chars, _mm_set1_epi16(0x20)), _mm_set1_epi16(u'a'));
    const __m128i isLetter = _mm_cmpeq_epi16(_mm_subs_epu16(letter, _mm_set1_epi16(5)), zero);
    const __m128i digits =
        _mm_or_si128(_mm_and_si128(isDecimal, decimal),
                     _mm_and_si128(isLetter, _mm_add_epi16(letter, _mm_set1_epi16(10))));
    const auto isDigit =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(isDecimal, isLetter)));
    const __m128i halves =
        _mm_madd_epi16(digits, _mm_set_epi16(1, 16, 256, 4096, 1, 16, 256, 4096));
    const __m128i sums = _mm_add_epi32(halves, _mm_shuffle_epi32(halves, _MM_SHUFFLE(2, 3, 0, 1)));
    return {{static_cast<std::uint16_t>(_mm_cvtsi128_si32(sums)),
             static_cast<std::uint16_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)))},
            {(isDigit & 0xFFU) == 0xFFU, (isDigit >> 8) == 0xFFU}};
}
#endif

std::uint16_t groupValue(std::u16string_view group);

constexpr std::size_t kChunkGroups = 1024;

// The values of `count` groups of the codes from group `first` on.
void readGroupValues(std::u16string_view codes, std::size_t first, std::size_t count,
                     std::uint16_t *values)
{
    std::size_t group = first;
    const std::size_t end = first + count;
#if defined(__SSE2__)
    for (; group + 2 <= end && (group + 2) * kGroupSize <= codes.size(); group += 2) {
        const TwoGroups two = twoGroupsValues(codes.data() + group * kGroupSize);
        for (std::size_t i = 0; i < 2; ++i)
            *values++ = two.whole[i]
                            ? two.values[i]
                            : groupValue(codes.substr((group + i) * kGroupSize, kGroupSize));
    }
#endif
    for (; group < end; ++group) {
        const std::size_t start = group * kGroupSize;
        const std::size_t length = std::min(kGroupSize, codes.size() - start);
        const int digits = length == kGroupSize ? fourDigitsValue(codes.data() + start) : -1;
        *values++ = digits >= 0 ? static_cast<std::uint16_t>(digits)
                                : groupValue(codes.substr(start, length));
    }
}

std::uint16_t groupValue(std::u16string_view group)
{
    std::uint16_t value = 0;
    for (char16_t ch : group) {
        if (ch == u' ' || ch == u'\t' || ch == u'\n')
            continue;
        const std::uint8_t digit = digitOrMark(ch);
        if (digit > 0xF)
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
    // Each group gives at most two characters.
    const std::size_t groups = (codes.size() + kGroupSize - 1) / kGroupSize;
    std::u16string text(groups * 2, u'\0');
    char16_t *out = text.data();
    // A chunk of groups at a time: first all their values, then all their characters, so that
    // the second loop is short and the processor can have many table reads under way at once.
    std::array<std::uint16_t, kChunkGroups> values{};
    for (std::size_t first = 0; first < groups; first += kChunkGroups) {
        const std::size_t count = std::min(kChunkGroups, groups - first);
        readGroupValues(codes, first, count, values.data());
        for (std::size_t i = 0; i < count; ++i)
            out = Cp936::decodeValue(values[i], out);
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

} // namespace tarvex
