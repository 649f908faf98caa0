#include "core/decimal_reading.h"
#include "core/overflow_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvex {
namespace {

struct LeadingNumberCase
{
    const char *name;
    std::u16string_view text;
    double expected;
};

class LeadingNumberTest : public testing::TestWithParam<LeadingNumberCase>
{
};

TEST_P(LeadingNumberTest, readsTheNumberAtTheStart)
{
    EXPECT_EQ(leadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LeadingNumberTest,
    testing::Values(
        LeadingNumberCase{"plainInteger", u"10", 10}, //
        LeadingNumberCase{"stopsAtLetter", u"12abc", 12},
        LeadingNumberCase{"fraction", u"2.5", 2.5}, LeadingNumberCase{"leadingPoint", u".5", 0.5},
        LeadingNumberCase{"trailingPoint", u"5.", 5},
        LeadingNumberCase{"secondPointEnds", u"1.2.3", 1.2},
        LeadingNumberCase{"blanksTabsLineFeedsSkippedAnywhere", u" 1 2\t3\n4", 1234},
        LeadingNumberCase{"carriageReturnEnds", u"1\r2", 1},
        LeadingNumberCase{"commaEnds", u"1,5", 1}, LeadingNumberCase{"plusSign", u"+7", 7},
        LeadingNumberCase{"minusSign", u"-7.5", -7.5},
        LeadingNumberCase{"signWithoutDigits", u"-", 0},
        LeadingNumberCase{"pointWithoutDigits", u".", 0}, LeadingNumberCase{"empty", u"", 0},
        LeadingNumberCase{"letterFirst", u"a1", 0}, LeadingNumberCase{"exponent", u"1e3", 1000},
        LeadingNumberCase{"upperExponentWithSign", u"25E-1", 2.5},
        LeadingNumberCase{"exponentWithoutDigitsIgnored", u"3e+", 3},
        LeadingNumberCase{"exponentWithBlanks", u"1 e 2", 100},
        LeadingNumberCase{"fullWidthDigitIsNotADigit", u"\uFF11", 0},
        LeadingNumberCase{"hugeIsInfinite", u"1e999", std::numeric_limits<double>::infinity()},
        LeadingNumberCase{"hugeNegativeIsMinusInfinity", u"-1e999",
                          -std::numeric_limits<double>::infinity()},
        LeadingNumberCase{"tinyIsZero", u"1e-999", 0},
        LeadingNumberCase{"smallestSubnormalIsKept", u"4.9406564584124654e-324",
                          std::numeric_limits<double>::denorm_min()}),
    [](const auto &info) { return std::string(info.param.name); });

struct RoundCase
{
    const char *name;
    double x;
    std::int32_t expected;
};

class RoundToInt32Test : public testing::TestWithParam<RoundCase>
{
};

TEST_P(RoundToInt32Test, roundsHalfToEven)
{
    EXPECT_EQ(roundToInt32(GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundToInt32Test,
                         testing::Values(RoundCase{"twoAndAHalf", 2.5, 2},
                                         RoundCase{"threeAndAHalf", 3.5, 4},
                                         RoundCase{"minusTwoAndAHalf", -2.5, -2},
                                         RoundCase{"justBelowHalf", 2.49, 2},
                                         RoundCase{"largest", 2147483647.4, 2147483647},
                                         RoundCase{"smallest", -2147483648.5, -2147483648}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RoundToInt32, failsOutsideTheRange)
{
    for (double x :
         {2147483647.5, 2147483648.0, -2147483648.6, -3e9, 1e300,
          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW((void)roundToInt32(x), OverflowError) << x;
}

TEST(DecimalInputValue, negativeReadingsAreOutOfRangeButMinusZeroPointFourIsZero)
{
    EXPECT_THROW((void)decimalInputValue(u"-1"), OverflowError);
    EXPECT_THROW((void)decimalInputValue(u"-0.6"), OverflowError);
    EXPECT_EQ(decimalInputValue(u"-0.4"), 0);
    EXPECT_EQ(decimalInputValue(u"2147483647"), 2147483647);
    EXPECT_THROW((void)decimalInputValue(u"2147483648"), OverflowError);
}

} // namespace
} // namespace tarvex
