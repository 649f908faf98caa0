#include "core/overflow_error.h"
#include "core/radix_conversions.h"

#include "repeat.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

using Method = void (*)(RadixConversions &);
const Method z16_2 = [](RadixConversions &c) { c.z16_2(); };
const Method z8_2 = [](RadixConversions &c) { c.z8_2(); };
const Method z2_16 = [](RadixConversions &c) { c.z2_16(); };
const Method z2_8 = [](RadixConversions &c) { c.z2_8(); };
const Method z8_16 = [](RadixConversions &c) { c.z8_16(); };
const Method z16_8 = [](RadixConversions &c) { c.z16_8(); };
const Method z16_10 = [](RadixConversions &c) { c.z16_10(); };
const Method z8_10 = [](RadixConversions &c) { c.z8_10(); };

// A method run on strSource, with strResult and strBinary holding "old" before the call.
struct MethodCase
{
    std::string name;
    Method method;
    std::u16string source;
    bool overflows;
    std::u16string resultAfter;
    std::u16string sourceAfter; // as before the call when the method leaves it unchanged
    std::u16string binaryAfter = u"old";
};

std::ostream &operator<<(std::ostream &out, const MethodCase &c)
{
    return out << c.name;
}

class WorkingStringMethodTest : public testing::TestWithParam<MethodCase>
{
};

TEST_P(WorkingStringMethodTest, leavesTheWorkingStringsAsExpected)
{
    const MethodCase &c = GetParam();
    RadixConversions conversions;
    conversions.strSource = c.source;
    conversions.strResult = u"old";
    conversions.strBinary = u"old";
    if (c.overflows)
        EXPECT_THROW(c.method(conversions), OverflowError);
    else
        EXPECT_NO_THROW(c.method(conversions));
    EXPECT_EQ(conversions.strResult, c.resultAfter);
    EXPECT_EQ(conversions.strSource, c.sourceAfter);
    EXPECT_EQ(conversions.strBinary, c.binaryAfter);
}

MethodCase ok(std::string name, Method method, std::u16string source, std::u16string result,
              std::optional<std::u16string> sourceAfter = std::nullopt)
{
    std::u16string after = sourceAfter.value_or(source);
    return {std::move(name), method, std::move(source), false, std::move(result), std::move(after)};
}

INSTANTIATE_TEST_SUITE_P(
    Expansion, WorkingStringMethodTest,
    testing::Values(ok("hexF", z16_2, u"F", u"1111"), ok("hex1KeepsTwoZeros", z16_2, u"1", u"001"),
                    ok("hex80", z16_2, u"80", u"10000000"), ok("hex1F", z16_2, u"1F", u"0011111"),
                    ok("hex123", z16_2, u"123", u"00100100011"), ok("hex0", z16_2, u"0", u"000"),
                    ok("hex00", z16_2, u"00", u"0000000"),
                    ok("hexLowerCaseReadAsUpper", z16_2, u"ff", u"11111111"),
                    ok("hexMixedCase", z16_2, u"aB", u"10101011"),
                    ok("hexPrefixPassedOver", z16_2, u"0xFF", u"00011111111"),
                    ok("hexBlankPassedOver", z16_2, u"A B", u"10101011"),
                    ok("hexBeyondFPassedOver", z16_2, u"GgZ", u""),
                    ok("octal7", z8_2, u"7", u"111"), ok("octal17", z8_2, u"17", u"01111"),
                    ok("octal0", z8_2, u"0", u"00"), ok("octal9PassedOver", z8_2, u"19", u"01"),
                    ok("octalLettersPassedOver", z8_2, u"a", u""), ok("empty", z16_2, u"", u"")),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Contraction, WorkingStringMethodTest,
    testing::Values(ok("hex1", z2_16, u"1", u"1", u"0001"),
                    ok("hex101", z2_16, u"101", u"5", u"0101"),
                    ok("hexFF", z2_16, u"11111111", u"FF"),
                    ok("hex100", z2_16, u"100000000", u"100", u"000100000000"),
                    ok("hexLeadingZeroDigitKept", z2_16, u"00001111", u"0F"),
                    ok("hexNonBinaryDigit", z2_16, u"2", u"", u"0002"),
                    ok("hexWindowWithBlankGivesNothing", z2_16, u"10 1", u""),
                    ok("hexLaterWindowsKeepPositions", z2_16, u"1x111111", u"F"),
                    ok("hexEmpty", z2_16, u"", u""), ok("octal1", z2_8, u"1", u"1", u"001"),
                    ok("octal377", z2_8, u"11111111", u"377", u"011111111"),
                    ok("octal400", z2_8, u"100000000", u"400"),
                    ok("octal07", z2_8, u"000111", u"07")),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ThroughBinary, WorkingStringMethodTest,
    testing::Values(ok("octal17ToHex", z8_16, u"17", u"0F", u"00001111"),
                    ok("octal777ToHex", z8_16, u"777", u"1FF", u"000111111111"),
                    ok("octal4ToHex", z8_16, u"4", u"4", u"0100"),
                    ok("hexFFToOctal", z16_8, u"FF", u"377", u"011111111"),
                    ok("hexAToOctal", z16_8, u"A", u"12", u"001010"),
                    ok("hex100ToOctal", z16_8, u"100", u"0400", u"000100000000")),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    ToDecimal, WorkingStringMethodTest,
    testing::Values(MethodCase{"hexFF", z16_10, u"FF", false, u"255", u"FF", u"11111111"},
                    MethodCase{"hex1F", z16_10, u"1F", false, u"31", u"1F", u"0011111"},
                    MethodCase{"hexLargest", z16_10, u"7FFFFFFF", false, u"2147483647", u"7FFFFFFF",
                               repeat(u"1", 31)},
                    MethodCase{"hexLowerCase", z16_10, u"ff", false, u"255", u"ff", u"11111111"},
                    MethodCase{"hexNoDigitsIsZero", z16_10, u"xyz", false, u"0", u"xyz", u""},
                    MethodCase{"hex0", z16_10, u"0", false, u"0", u"0", u"000"},
                    MethodCase{"octal17", z8_10, u"17", false, u"15", u"17", u"01111"},
                    MethodCase{"octalLargest", z8_10, u"17777777777", false, u"2147483647",
                               u"17777777777", u"0" + repeat(u"1", 31)},
                    MethodCase{"octal8IsZero", z8_10, u"8", false, u"0", u"8", u""}),
    [](const auto &info) { return info.param.name; });

// A failing method stops where the counter or value overflows and leaves what it wrote so far.
INSTANTIATE_TEST_SUITE_P(
    Failures, WorkingStringMethodTest,
    testing::Values(MethodCase{"expansionOf32768CharsFailsBeforeTheScan", z16_2,
                               repeat(u"F", 32768), true, u"", repeat(u"F", 32768)},
                    MethodCase{"expansionOf32767CharsFailsAfterTheScanUntrimmed", z16_2,
                               repeat(u"1", 32767), true, repeat(u"0001", 32767),
                               repeat(u"1", 32767)},
                    MethodCase{"octalExpansionOf32767Chars", z8_2, repeat(u"1", 32767), true,
                               repeat(u"001", 32767), repeat(u"1", 32767)},
                    MethodCase{"trimOfMoreThan32768CharsFails", z16_2, repeat(u"1", 8193), true,
                               repeat(u"0001", 8193), repeat(u"1", 8193)},
                    MethodCase{"trimOfExactly32768CharsSucceeds", z16_2, repeat(u"1", 8192), false,
                               u"001" + repeat(u"0001", 8191), repeat(u"1", 8192)},
                    MethodCase{"longExpansionStartingWith1NeedsNoTrim", z16_2, repeat(u"F", 32766),
                               false, repeat(u"1111", 32766), repeat(u"F", 32766)},
                    MethodCase{"hexContractionPadsThenFails", z2_16, repeat(u"1", 32765), true, u"",
                               u"000" + repeat(u"1", 32765)},
                    MethodCase{"hexContractionOfLargestAccepted", z2_16, repeat(u"1", 32764), false,
                               repeat(u"F", 8191), repeat(u"1", 32764)},
                    MethodCase{"octalContractionPadsThenFails", z2_8, repeat(u"1", 32767), true,
                               u"", u"00" + repeat(u"1", 32767)},
                    MethodCase{"octalToHexStopsAfterFailedExpansion", z8_16, repeat(u"7", 32767),
                               true, repeat(u"111", 32767), repeat(u"7", 32767)},
                    MethodCase{"hexToDecimalBeyond31BitsLeavesBinaryInBoth", z16_10, u"80000000",
                               true, u"1" + repeat(u"0", 31), u"80000000", u"1" + repeat(u"0", 31)},
                    MethodCase{"hexToDecimalFFFFFFFF", z16_10, u"FFFFFFFF", true, repeat(u"1", 32),
                               u"FFFFFFFF", repeat(u"1", 32)},
                    MethodCase{"octalToDecimalBeyond31Bits", z8_10, u"20000000000", true,
                               u"1" + repeat(u"0", 31), u"20000000000", u"1" + repeat(u"0", 31)},
                    MethodCase{"hexToDecimalFailedExpansionSkipsTheRest", z16_10,
                               repeat(u"A", 32768), true, u"", repeat(u"A", 32768), u"old"}),
    [](const auto &info) { return info.param.name; });

TEST(ContractionTwice, secondCallGivesTheSameResult)
{
    RadixConversions conversions;
    conversions.strSource = u"101";
    conversions.z2_16();
    const std::u16string first = conversions.strResult;
    conversions.z2_16();
    EXPECT_EQ(conversions.strResult, first);
    EXPECT_EQ(conversions.strSource, u"0101");
}

struct Z10_2Case
{
    std::int32_t varNum;
    std::u16string_view expected;
};

TEST(Z10_2, writesTheBinaryDigits)
{
    const Z10_2Case cases[] = {{10, u"1010"},
                               {1, u"1"},
                               {255, u"11111111"},
                               {256, u"100000000"},
                               {1000, u"1111101000"},
                               {2147483647, u"1111111111111111111111111111111"},
                               {0, u"0"},
                               {-5, u""},
                               {-2147483647 - 1, u""}};
    for (const Z10_2Case &c : cases)
        EXPECT_EQ(RadixConversions::z10_2(c.varNum), c.expected) << c.varNum;
}

struct Z2_10Case
{
    const char *name;
    std::u16string varString;
    std::optional<std::u16string_view> expected; // nullopt: the overflow error
};

TEST(Z2_10, sumsDigitValuesTimesPositionWeights)
{
    const Z2_10Case cases[] = {
        {"plain", u"1010", u"10"},
        {"leadingZeros", u"000101", u"5"},
        {"zero", u"0", u"0"},
        {"emptyIsZero", u"", u"0"},
        {"digitTwoCountsTwo", u"2", u"2"},
        {"digitTwoWeighted", u"12", u"4"},
        {"letterCountsZeroButShifts", u"1x1", u"5"},
        {"blankCountsZeroButShifts", u"1 1", u"5"},
        {"largest", repeat(u"1", 31), u"2147483647"},
        {"twoToThe31Overflows", u"1" + repeat(u"0", 31), std::nullopt},
        {"nineAtBit28Overflows", u"9" + repeat(u"0", 28), std::nullopt},
        {"thousandZerosThenOne", repeat(u"0", 1000) + u"1", u"1"},
        {"1024Zeros", repeat(u"0", 1024), u"0"},
        {"1025ZerosExceedADouble", repeat(u"0", 1025), std::nullopt},
    };
    for (const Z2_10Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.expected)
            EXPECT_EQ(RadixConversions::z2_10(c.varString), *c.expected);
        else
            EXPECT_THROW((void)RadixConversions::z2_10(c.varString), OverflowError);
    }
}

struct FromDecimalCase
{
    const char *name;
    bool toHex;
    std::u16string_view text1;
    std::optional<std::u16string> sourceAfter; // nullopt: the overflow error, strings untouched
    std::u16string_view resultAfter = u"";
};

TEST(FromDecimal, readsText1AndContractsItsBinaryDigits)
{
    const FromDecimalCase cases[] = {
        {"hex255", true, u"255", u"11111111", u"FF"},
        {"hex16", true, u"16", u"00010000", u"10"},
        {"hex1000", true, u"1000", u"001111101000", u"3E8"},
        {"hexReadingStopsAtLetter", true, u"12abc", u"1100", u"C"},
        {"hexHalfRoundsToEvenDown", true, u"2.5", u"0010", u"2"},
        {"hexHalfRoundsToEvenUp", true, u"3.5", u"0100", u"4"},
        {"hexLargest", true, u"2147483647", u"0" + repeat(u"1", 31), u"7FFFFFFF"},
        {"hexZeroIsZero", true, u"0", u"0000", u"0"},
        {"hexMinusZeroPointFourIsZero", true, u"-0.4", u"0000", u"0"},
        {"hexTooLarge", true, u"2147483648", std::nullopt},
        {"hexNegative", true, u"-5", std::nullopt},
        {"octal8", false, u"8", u"001000", u"10"},
        {"octal100", false, u"100", u"001100100", u"144"},
        {"octalLargest", false, u"2147483647", u"00" + repeat(u"1", 31), u"17777777777"},
        {"octalZero", false, u"", u"000", u"0"},
        {"octalNegative", false, u"-1", std::nullopt},
    };
    for (const FromDecimalCase &c : cases) {
        SCOPED_TRACE(c.name);
        RadixConversions conversions;
        conversions.strSource = u"src";
        conversions.strResult = u"res";
        conversions.strBinary = u"bin";
        const auto run = [&] {
            c.toHex ? conversions.z10_16(c.text1) : conversions.z10_8(c.text1);
        };
        if (c.sourceAfter) {
            EXPECT_NO_THROW(run());
            EXPECT_EQ(conversions.strSource, *c.sourceAfter);
            EXPECT_EQ(conversions.strResult, c.resultAfter);
        } else {
            EXPECT_THROW(run(), OverflowError);
            EXPECT_EQ(conversions.strSource, u"src");
            EXPECT_EQ(conversions.strResult, u"res");
        }
        EXPECT_EQ(conversions.strBinary, u"bin");
    }
}

} // namespace
} // namespace tarvex
