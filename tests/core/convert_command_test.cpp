#include "core/convert_command.h"
#include "recording_window.h"
#include "window_cases.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

using enum OptionButton;

OptionButton inputButton(int base)
{
    return base == 2 ? Option1 : base == 8 ? Option2 : base == 10 ? Option3 : Option4;
}

OptionButton outputButton(int base)
{
    return base == 2 ? Option5 : base == 8 ? Option6 : base == 10 ? Option7 : Option8;
}

struct ClickCase
{
    const char *name;
    std::u16string text1;
    int inBase;
    int outBase;
    std::u16string text2After;
    std::vector<std::u16string> messages;
    std::u16string strResultBefore = u"";
};

std::ostream &operator<<(std::ostream &out, const ClickCase &c)
{
    return out << c.name;
}

class ConvertClickTest : public testing::TestWithParam<ClickCase>
{
};

TEST_P(ConvertClickTest, showsResultAndMessages)
{
    const ClickCase &c = GetParam();
    RecordingWindow window;
    window.text1Box = c.text1;
    window.text2Box = u"before";
    window.setButtons = {inputButton(c.inBase), outputButton(c.outBase)};
    window.workingStrings.strResult = c.strResultBefore;

    runConvertCommand(window);

    EXPECT_EQ(window.text2Box, c.text2After);
    EXPECT_EQ(window.messages, c.messages);
    EXPECT_EQ(window.text1Box, c.text1);
}

const std::u16string kEmpty{cases::kEmptyInput};
const std::u16string kSame{cases::kSameBase};
const std::u16string kRange{cases::kOutOfRange};

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ConvertClickTest,
    testing::Values(
        ClickCase{"decimalToBinary", u"10", 10, 2, u"1010", {}},
        ClickCase{"decimalReadingStopsAtLetter", u"12abc", 10, 2, u"1100", {}},
        ClickCase{"decimalHalfRoundsDown", u"2.5", 10, 2, u"10", {}},
        ClickCase{"decimalHalfRoundsUp", u"3.5", 10, 2, u"100", {}},
        ClickCase{"binaryToDecimal", u"101", 2, 10, u"5", {}},
        ClickCase{"hexToDecimal", u"A", 16, 10, u"10", {}},
        ClickCase{"hexToBinary", u"1F", 16, 2, u"0011111", {}},
        ClickCase{"hexToOctal", u"FF", 16, 8, u"377", {}},
        ClickCase{"decimalToOctal", u"255", 10, 8, u"377", {}},
        ClickCase{"decimalToHex", u"255", 10, 16, u"FF", {}},
        ClickCase{"octalToBinary", u"17", 8, 2, u"01111", {}},
        ClickCase{"octalToDecimal", u"377", 8, 10, u"255", {}},
        ClickCase{"octalToHex", u"17", 8, 16, u"0F", {}},
        ClickCase{"binaryToHex", u"11111111", 2, 16, u"FF", {}},
        ClickCase{"binaryToOctal", u"11111111", 2, 8, u"377", {}},
        ClickCase{"decimalBlanksSkipped", u"1 2", 10, 2, u"1100", {}},
        ClickCase{"decimalLargest", u"2147483647", 10, 2, u"1111111111111111111111111111111", {}}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Messages, ConvertClickTest,
    testing::Values(ClickCase{"emptyBinaryToDecimalGivesZero", u"", 2, 10, u"0", {kEmpty}},
                    ClickCase{"emptyDecimalToBinaryGivesZero", u"", 10, 2, u"0", {kEmpty}},
                    ClickCase{"emptyAndSameBase", u"", 10, 10, u"before", {kEmpty, kSame}},
                    ClickCase{"sameBaseKeepsOutput", u"101", 2, 2, u"before", {kSame}},
                    ClickCase{"sameHexBase", u"A", 16, 16, u"before", {kSame}},
                    ClickCase{"blanksAreNotEmpty", u" ", 2, 10, u"0", {}}),
    [](const auto &info) { return std::string(info.param.name); });

// A conversion that fails shows no result at all, neither a partial one nor an earlier one.
INSTANTIATE_TEST_SUITE_P(
    OutOfRange, ConvertClickTest,
    testing::Values(
        ClickCase{"decimalToBinaryTooLarge", u"2147483648", 10, 2, u"", {kRange}},
        ClickCase{"decimalToBinaryNegative", u"-1", 10, 2, u"", {kRange}},
        ClickCase{"decimalToHexNegative", u"-5", 10, 16, u"", {kRange}, u"10"},
        ClickCase{
            "decimalToHexTooLargeHidesEarlierResult", u"2147483648", 10, 16, u"", {kRange}, u"10"},
        ClickCase{"binaryToDecimal2To31", std::u16string(32, u'1'), 2, 10, u"", {kRange}},
        ClickCase{"binaryToDecimalTooLong", std::u16string(1025, u'0'), 2, 10, u"", {kRange}},
        ClickCase{"hexToDecimalHidesPartialBinary", u"FFFFFFFF", 16, 10, u"", {kRange}},
        ClickCase{"hexToBinaryTooLong", std::u16string(32768, u'F'), 16, 2, u"", {kRange}},
        ClickCase{"binaryToHexTooLong", std::u16string(32765, u'1'), 2, 16, u"", {kRange}},
        ClickCase{"binaryToOctalTooLong", std::u16string(32767, u'1'), 2, 8, u"", {kRange}},
        ClickCase{"octalToHexTooLong", std::u16string(32767, u'7'), 8, 16, u"", {kRange}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ConvertCommand, loadsStrSourceFromText1Unchanged)
{
    RecordingWindow window;
    window.text1Box = u" ab ";
    window.setButtons = {Option4, Option7};
    runConvertCommand(window);
    EXPECT_EQ(window.workingStrings.strSource, u" ab ");
    EXPECT_EQ(window.text2Box, u"171");
}

TEST(ConvertCommand, eachChosenPairConvertsInTableOrder)
{
    // Only a stand-in can have several buttons of a group set; the command then runs every
    // chosen row in order, and the last one written stays in Text2.
    RecordingWindow window;
    window.text1Box = u"11";
    window.setButtons = {Option1, Option2, Option7, Option8};
    runConvertCommand(window);
    EXPECT_EQ(window.text2Box, u"3"); // octal 11 -> 9 first, binary 11 -> 3 last
    EXPECT_TRUE(window.messages.empty());
}

} // namespace
} // namespace tarvex
