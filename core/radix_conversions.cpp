#include "radix_conversions.h"

#include "decimal_reading.h"
#include "overflow_error.h"

#include <array>
#include <cmath>
#include <limits>

namespace tarvex {

namespace {

constexpr std::size_t kMaxInt16 = std::numeric_limits<std::int16_t>::max(); // 32,767

// The binary group of one hexadecimal digit, or "" for any other character. Lower-case a to f
// are read as A to F: users type hexadecimal in either case.
std::u16string_view hexGroup(char16_t digit)
{
    static constexpr std::array<std::u16string_view, 16> groups = {
        u"0000", u"0001", u"0010", u"0011", u"0100", u"0101", u"0110", u"0111",
        u"1000", u"1001", u"1010", u"1011", u"1100", u"1101", u"1110", u"1111"};
    if (digit >= u'0' && digit <= u'9')
        return groups[digit - u'0'];
    if (digit >= u'A' && digit <= u'F')
        return groups[digit - u'A' + 10];
    if (digit >= u'a' && digit <= u'f')
        return groups[digit - u'a' + 10];
    return {};
}

std::u16string_view octalGroup(char16_t digit)
{
    static constexpr std::array<std::u16string_view, 8> groups = {
        u"000", u"001", u"010", u"011", u"100", u"101", u"110", u"111"};
    if (digit >= u'0' && digit <= u'7')
        return groups[digit - u'0'];
    return {};
}

using GroupOf = std::u16string_view (*)(char16_t);

// Replaces each digit of `source` by its group, then drops one leading "0" (only one: the
// first group keeps the rest of its leading zeros).
void expandDigits(const std::u16string &source, std::u16string &result, GroupOf groupOf,
                  std::size_t groupSize)
{
    result.clear();
    const std::size_t length = source.size();
    // The 16-bit position counter cannot even hold the length.
    if (length > kMaxInt16)
        throw OverflowError();

    result.reserve(length * groupSize);
    for (char16_t ch : source)
        result.append(groupOf(ch));
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
    expandDigits(strSource, strResult, hexGroup, 4);
}

void RadixConversions::z8_2()
{
    expandDigits(strSource, strResult, octalGroup, 3);
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
