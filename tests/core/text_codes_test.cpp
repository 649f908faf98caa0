#include "core/cp936.h"
#include "core/text_codes.h"

#include "repeat.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

struct CodesCase
{
    const char *name;
    std::u16string_view input;
    std::u16string_view expected;
};

TEST(TextToHexCodes, writesEachCharacterCode)
{
    const CodesCase cases[] = {
        {"oneChinese", u"中", u"D6D0"},
        {"twoChinese", u"中文", u"D6D0CEC4"},
        {"hanzi", u"汉字", u"BABAD7D6"},
        {"mixedOneAndTwoBytes", u"A中1", u"41D6D031"},
        {"tabIsOneDigit", u"\t", u"9"},
        {"carriageReturn", u"\r", u"D"},
        {"lineFeed", u"\n", u"A"},
        {"nulIsZero", std::u16string_view(u"\0", 1), u"0"},
        {"blank", u" ", u"20"},
        {"euroIsTheSingleByte80", u"€", u"80"},
        {"ideographicSpace", u"\u3000", u"A1A1"},
        {"hangulNotInCodePage", u"한", u"3F"},
        {"outsideBmpIsTwoQuestionMarks", u"\U0001F600", u"3F3F"},
        {"loneHighSurrogate", u"\xD800", u"3F"},
        {"loneLowSurrogate", u"a\xDC00", u"613F"},
        {"empty", u"", u""},
    };
    for (const CodesCase &c : cases)
        EXPECT_EQ(TextToHexCodes(c.input), c.expected) << c.name;
}

TEST(HexCodesToText, decodesGroupsOfFour)
{
    const CodesCase cases[] = {
        {"twoChinese", u"D6D0CEC4", u"中文"},
        {"lowerCase", u"d6d0cec4", u"中文"},
        {"oneByteGroup", u"0041D6D0", u"A中"},
        {"oneByteCodesShiftTheGroups", u"41D6D031", u"A\uFFFD\uFFFD1"},
        {"blankInsideAGroup", u"D6D0 CEC4", u"中\u000C\uFFFD\u0004"},
        {"shortTrailingGroup", u"D6D0CE", u"中\uFFFD"},
        {"shortTrailingOneByte", u"D6D041", u"中A"},
        {"blanksTabsLineFeedsSkipped", u" 4\t1", u"A"},
        {"lineFeedSkippedInPair", u"D6\nD", u"\r\u006D"},
        {"letterEndsTheNumber", u"4x11", u"\u0004"},
        {"noLeadingDigitIsNul", u"GGGG", std::u16string_view(u"\0", 1)},
        {"leadingCommaIsNul", u",D6D", std::u16string_view(u"\0", 1)},
        {"euro", u"0080", u"€"},
        {"leadByteAloneIsReplaced", u"0081", u"\uFFFD"},
        {"byteFFIsReplaced", u"00FF", u"\uFFFD"},
        {"invalidTrailIsReadAnew", u"D031", u"\uFFFD1"},
        {"leadThenInvalidByte", u"81FF", u"\uFFFD\uFFFD"},
        {"unassignedPair", u"AAA1", u"\uFFFD\uFFFD"},
        {"empty", u"", u""},
    };
    for (const CodesCase &c : cases)
        EXPECT_EQ(HexCodesToText(c.input), c.expected) << c.name;
}

// The reading of groups, fast for four digits, agrees with the general byte decoder on every
// value, whether a group stands alone or among 65,536 others (across every chunk boundary).
TEST(HexCodesToText, everyValueDecodesAsItsBytes)
{
    std::u16string allCodes;
    std::u16string allTexts;
    for (std::uint32_t value = 0; value <= 0xFFFF; ++value) {
        std::u16string group;
        for (int shift = 12; shift >= 0; shift -= 4)
            group.push_back(u"0123456789abcdef"[(value >> shift) & 0xF]);
        std::string bytes;
        if (value > 0xFF)
            bytes.push_back(static_cast<char>(value >> 8));
        bytes.push_back(static_cast<char>(value & 0xFF));
        const std::u16string expected = Cp936::decode(bytes);
        ASSERT_EQ(HexCodesToText(group), expected) << std::hex << value;
        allCodes += group;
        allTexts += expected;
    }
    EXPECT_EQ(HexCodesToText(allCodes), allTexts);
}

TEST(TextCodes, everyTwoByteCharacterComesBackFromItsCodes)
{
    int twoByteCharacters = 0;
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const auto ch = static_cast<char16_t>(unit);
        if (Cp936::code(ch) <= 0xFF)
            continue;
        ++twoByteCharacters;
        const std::u16string text(1, ch);
        ASSERT_EQ(HexCodesToText(TextToHexCodes(text)), text) << std::hex << unit;
    }
    // glibc's CP936 gives 21,791 characters a two-byte code (GBK proper has 21,886).
    EXPECT_GT(twoByteCharacters, 21000);
}

TEST(TextCodes, largestTextsConvertInFullAndLongerOnesToo)
{
    for (std::size_t length : {std::size_t{32766}, std::size_t{40000}}) {
        const std::u16string chinese = repeat(u"中", length);
        const std::u16string codes = TextToHexCodes(chinese);
        ASSERT_EQ(codes, repeat(u"D6D0", length));
        EXPECT_EQ(HexCodesToText(codes), chinese);
    }
    // 32,764 characters of codes: 8,191 groups.
    EXPECT_EQ(HexCodesToText(repeat(u"CEC4", 8191)), repeat(u"文", 8191));
}

} // namespace
} // namespace tarvex
