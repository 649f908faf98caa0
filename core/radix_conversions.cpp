#include "core/radix_conversions.h"

#include "core/decimal_reading.h"
#include "core/overflow_error.h"

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace tarvex {

namespace {

constexpr std::size_t kMaxInt16 = std::numeric_limits<std::int16_t>::max(); // 32,767

// The value of a digit of the given base, or -1 for any other character. Lower-case a to f are
// read as A to F: users type hexadecimal in either case.
template<unsigned base> int digitValue(char16_t ch)
{
    int value = -1;
    if (ch >= u'0' && ch <= u'9')
        value = ch - u'0';
    else if (ch >= u'A' && ch <= u'F')
        value = ch - u'A' + 10;
    else if (ch >= u'a' && ch <= u'f')
        value = ch - u'a' + 10;
    return value < static_cast<int>(base) ? value : -1;
}

// Replaces each digit of `source` by its group of binary digits, then drops one leading "0"
// (only one: the first group keeps the rest of its leading zeros).
template<unsigned base, std::size_t groupSize>
void expandDigits(const std::u16string &source, std::u16string &result)
{
    result.clear();
    const std::size_t length = source.size();
    // The 16-bit position counter cannot even hold the length.
    if (length > kMaxInt16)
        throw OverflowError();

    static constexpr auto groups = [] {
        std::array<std::array<char16_t, groupSize>, base> table{};
        for (std::size_t value = 0; value < base; ++value)
            for (std::size_t bit = 0; bit < groupSize; ++bit)
                table[value][groupSize - 1 - bit] = (value >> bit & 1) != 0 ? u'1' : u'0';
        return table;
    }();
    result.resize(length * groupSize);
    char16_t *out = result.data();
    for (char16_t ch : source) {
        const int value = digitValue<base>(ch);
        if (value < 0)
            continue;
        std::memcpy(out, groups[static_cast<std::size_t>(value)].data(), sizeof groups[0]);
        out += groupSize;
    }
    result.resize(static_cast<std::size_t>(out - result.data()));
    // The counter steps past the last position, 32,768, when the length is 32,767.
    if (length == kMaxInt16)
        throw OverflowError();

    if (!result.empty() && result.front() == u'0') {
        // The count of characters kept is a 16-bit value too.
        if (result.size() - 1 > kMaxInt16)
            throw OverflowError();
        result.erase(0, 1);
    }
}

// Pads `source` in place on the left with zeros to a multiple of the group size, then replaces
// each whole window of that size by its digit. A window holding anything but 0 and 1 gives
// nothing, and the windows after it keep their positions.
void contractGroups(std::u16string &source, std::u16string &result, std::size_t groupSize)
{
    static constexpr std::u16string_view digits = u"0123456789ABCDEF";
    result.clear();
    if (const std::size_t remainder = source.size() % groupSize; remainder != 0)
        source.insert(0, groupSize - remainder, u'0');
    if (source.size() > kMaxInt16)
        throw OverflowError();

    result.reserve(source.size() / groupSize);
    for (std::size_t start = 0; start < source.size(); start += groupSize) {
        unsigned value = 0;
        bool isGroup = true;
        for (std::size_t i = start; i < start + groupSize; ++i) {
            const char16_t ch = source[i];
            isGroup = isGroup && (ch == u'0' || ch == u'1');
            value = value * 2 + (ch == u'1' ? 1U : 0U);
        }
        if (isGroup)
            result.push_back(digits[value]);
    }
}

// What leadingNumber gives for a text of the one character `ch`: its digit value, or 0 for
// anything that is not a decimal digit (a lone blank, sign, point or letter holds no digit).
int singleCharacterNumber(char16_t ch)
{
    return ch >= u'0' && ch <= u'9' ? ch - u'0' : 0;
}

} // namespace

void RadixConversions::z16_2()
{
    expandDigits<16, 4>(strSource, strResult);
}

void RadixConversions::z8_2()
{
    expandDigits<8, 3>(strSource, strResult);
}

void RadixConversions::z2_16()
{
    contractGroups(strSource, strResult, 4);
}

void RadixConversions::z2_8()
{
    contractGroups(strSource, strResult, 3);
}

void RadixConversions::z8_16()
{
    z8_2();
    strSource = strResult;
    z2_16();
}

void RadixConversions::z16_8()
{
    z16_2();
    strSource = strResult;
    z2_8();
}

std::u16string RadixConversions::z10_2(std::int32_t varNum)
{
    // Zero has the one digit 0. Negative numbers have no binary digits here: callers that read
    // user input reject them before they get this far.
    if (varNum == 0)
        return u"0";
    std::u16string digits;
    for (std::int32_t n = varNum; n > 0; n /= 2)
        digits.push_back(n % 2 == 0 ? u'0' : u'1');
    return {digits.rbegin(), digits.rend()};
}

std::u16string RadixConversions::z2_10(std::u16string_view varString)
{
    // Every character takes one binary position and adds its digit value (0 for anything that
    // is not a decimal digit) times the weight of that position; the sum is kept as a 32-bit
    // value, and the weight is a double, which holds powers of two up to 2^1023 only.
    constexpr std::size_t kLargestDoubleExponent = 1023;
    const std::size_t length = varString.size();
    std::int32_t sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const std::size_t exponent = length - 1 - i;
        if (exponent > kLargestDoubleExponent)
            throw OverflowError();
        const double weight = std::ldexp(1.0, static_cast<int>(exponent));
        sum = roundToInt32(singleCharacterNumber(varString[i]) * weight + sum);
    }
    return decimalText(sum);
}

void RadixConversions::z16_10()
{
    z16_2();
    strBinary = strResult;
    strResult = z2_10(strBinary);
}

void RadixConversions::z8_10()
{
    z8_2();
    strBinary = strResult;
    strResult = z2_10(strBinary);
}

void RadixConversions::z10_16(std::u16string_view text1)
{
    strSource = z10_2(decimalInputValue(text1));
    z2_16();
}

void RadixConversions::z10_8(std::u16string_view text1)
{
    strSource = z10_2(decimalInputValue(text1));
    z2_8();
}

} // namespace tarvex
