#include "core/cp936.h"
#include "core/text_codes.h"

#include "repeat.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

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
        {"firstUserDefinedCharacter", u"\uE000", u"AAA1"},
        {"lastUserDefinedCharacter", u"\uE4C5", u"FEFE"},
        {"userDefinedCharacterWithLowTrailByte", u"\uE4C6", u"A140"},
        {"characterOfACodeGbkLeavesUnassigned", u"\uE766", u"A2AB"},
        {"oneWayCharacterIsTheSingleByteFF", u"\uF8F5", u"FF"},
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
        {"byteFFIsReplaced", u"00FF", u"\uFFFD"},
        {"invalidTrailIsReadAnew", u"D031", u"\uFFFD1"},
        {"leadThenInvalidByte", u"81FF", u"\uFFFD\uFFFD"},
        {"userDefinedArea", u"AAA1FEFEA140", u"\uE000\uE4C5\uE4C6"},
        {"codeGbkLeavesUnassigned", u"A2AB", u"\uE766"},
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
    // glibc's CP936 gives 21,791 characters a two-byte code, Windows 2,149 private-use ones more.
    EXPECT_EQ(twoByteCharacters, 23940);
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

#ifdef _WIN32
// Windows' own converter is the reference for every single byte, every pair from 8140 to FEFE
// and every code unit but the surrogates; best fit stays off, as Windows would otherwise write
// look-alikes (32 for ²) where the code page has no character.
TEST(Cp936, agreesWithWindowsConverterOnEveryCode)
{
    int differences = 0;
    testing::Message first;
    const auto compare = [&](const char *what, unsigned value, unsigned windows, unsigned ours) {
        if (windows != ours && ++differences <= 8)
            first << what << ' ' << std::hex << value << ": Windows " << windows << ", here "
                  << ours << '\n';
    };
    for (unsigned value = 0; value <= 0xFEFE; value = value == 0xFF ? 0x8140 : value + 1) {
        std::string bytes;
        if (value > 0xFF)
            bytes.push_back(static_cast<char>(value >> 8));
        bytes.push_back(static_cast<char>(value & 0xFF));
        wchar_t windows[2];
        const int units = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data(),
                                              static_cast<int>(bytes.size()), windows, 2);
        const std::u16string ours = Cp936::decode(bytes);
        compare("decoding", value, units == 1 ? windows[0] : u'\uFFFD',
                ours.size() == 1 ? ours[0] : u'\uFFFD');
    }
    for (unsigned unit = 0; unit <= 0xFFFF; unit = unit == 0xD7FF ? 0xE000 : unit + 1) {
        const auto wide = static_cast<wchar_t>(unit);
        unsigned char b[2];
        BOOL usedDefault = FALSE;
        const int length =
            WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, &wide, 1, reinterpret_cast<char *>(b), 2,
                                nullptr, &usedDefault);
        const unsigned windows = usedDefault || length < 1 ? 0x3F
                                 : length == 1             ? b[0]
                                                           : b[0] << 8 | b[1];
        compare("encoding", unit, windows, Cp936::code(static_cast<char16_t>(unit)));
    }
    EXPECT_EQ(differences, 0) << first;
}
#endif

} // namespace
} // namespace tarvex
