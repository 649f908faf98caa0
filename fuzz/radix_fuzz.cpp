// Drives the decimal reading, every radix conversion method on random working strings, and the
// Convert command on random window states. Besides the sanitizers' findings it checks that a
// conversion of plain digits either gives their exact value or says it is out of range.
#include "core/convert_command.h"
#include "core/decimal_reading.h"
#include "core/overflow_error.h"
#include "core/radix_conversions.h"
#include "fuzz_input.h"
#include "recording_window.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace tarvex {
namespace {

using enum OptionButton;

constexpr std::array<unsigned, 4> kBases = {2, 8, 10, 16};
// Values through decimal are 32-bit signed; values from 2^31 on are out of range there.
constexpr std::uint64_t kTooLarge = std::uint64_t{1} << 31;
// Where the oracle stops following a value of digit-group conversions, which have no limit.
constexpr std::uint64_t kCap = std::uint64_t{1} << 62;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The oracle's own reading of a digit, independent of the conversions' tables: its place in
// the digits of the base, either case for the letters.
int digitIn(char16_t ch, unsigned base)
{
    static constexpr std::u16string_view upper = u"0123456789ABCDEF";
    static constexpr std::u16string_view lower = u"0123456789abcdef";
    std::size_t place = upper.substr(0, base).find(ch);
    if (place == std::u16string_view::npos)
        place = lower.substr(0, base).find(ch);
    return place == std::u16string_view::npos ? -1 : static_cast<int>(place);
}

// value * base + digit, held at kCap once it gets there.
std::uint64_t appendDigit(std::uint64_t value, unsigned base, int digit)
{
    return value >= kCap / base ? kCap : value * base + static_cast<unsigned>(digit);
}

// The value of a text made only of digits of `base`, capped at kCap; nullopt when the text
// holds anything else.
std::optional<std::uint64_t> plainValue(std::u16string_view text, unsigned base)
{
    std::uint64_t value = 0;
    for (char16_t ch : text) {
        const int digit = digitIn(ch, base);
        if (digit < 0)
            return std::nullopt;
        value = appendDigit(value, base, digit);
    }
    return value;
}

void checkResultAlphabet(const std::u16string &result, unsigned base)
{
    for (char16_t ch : result)
        require(digitIn(ch, base) >= 0 && !(ch >= u'a' && ch <= u'f'));
}

void fuzzMethod(fuzzing::FuzzInput &input)
{
    RadixConversions c;
    const std::uint8_t method = input.byte() % 12;
    c.strSource = input.text(40000);
    c.strResult = input.text(8);
    c.strBinary = input.text(8);
    const std::u16string arg = input.text(2000);
    const std::u16string sourceBefore = c.strSource;
    try {
        switch (method) {
        case 0:
            c.z16_2();
            checkResultAlphabet(c.strResult, 2);
            break;
        case 1:
            c.z8_2();
            checkResultAlphabet(c.strResult, 2);
            break;
        case 2:
            c.z2_16();
            checkResultAlphabet(c.strResult, 16);
            break;
        case 3:
            c.z2_8();
            checkResultAlphabet(c.strResult, 8);
            break;
        case 4:
            c.z8_16();
            checkResultAlphabet(c.strResult, 16);
            break;
        case 5:
            c.z16_8();
            checkResultAlphabet(c.strResult, 8);
            break;
        case 6:
        case 7: {
            const unsigned base = method == 6 ? 16 : 8;
            method == 6 ? c.z16_10() : c.z8_10();
            std::uint64_t expected = 0;
            for (char16_t ch : sourceBefore)
                if (const int digit = digitIn(ch, base); digit >= 0)
                    expected = appendDigit(expected, base, digit);
            require(expected < kTooLarge);
            require(plainValue(c.strResult, 10) == expected);
            break;
        }
        case 8:
            c.z10_16(arg);
            checkResultAlphabet(c.strResult, 16);
            break;
        case 9:
            c.z10_8(arg);
            checkResultAlphabet(c.strResult, 8);
            break;
        case 10: {
            const auto varNum = static_cast<std::int32_t>(input.byte() << 24 | input.byte() << 16 |
                                                          input.byte() << 8 | input.byte());
            const std::u16string binary = RadixConversions::z10_2(varNum);
            require(varNum < 0 ? binary.empty() : plainValue(binary, 2) == std::uint64_t(varNum));
            break;
        }
        default:
            checkResultAlphabet(RadixConversions::z2_10(arg), 10);
            break;
        }
    } catch (const OverflowError &) {
    }
}

void fuzzConvert(fuzzing::FuzzInput &input)
{
    RecordingWindow window;
    const std::uint8_t buttons = input.byte();
    for (int i = 0; i < 8; ++i)
        if ((buttons >> i & 1) != 0)
            window.setButtons.insert(static_cast<OptionButton>(i + 1));
    window.text1Box = input.text(40000);
    window.text2Box = input.text(4);
    window.workingStrings.strResult = input.text(4);

    runConvertCommand(window);
    require(window.messages.size() <= 1 + 4 + 12);

    // With one base of each group chosen and a text of plain digits, the output is the exact
    // value in the output base, or, through decimal, nothing at all with the out-of-range
    // message for a value of 2^31 or more.
    if (std::popcount(buttons & 0x0Fu) != 1 || std::popcount(buttons & 0xF0u) != 1)
        return;
    const unsigned inBase = kBases[std::countr_zero(buttons & 0x0Fu)];
    const unsigned outBase = kBases[std::countr_zero(buttons & 0xF0u) - 4];
    const std::u16string &text = window.text1Box;
    const auto value = plainValue(text, inBase);
    if (inBase == outBase || text.empty() || text.size() > 200 || !value || *value >= kCap)
        return;
    if (*value >= kTooLarge && (inBase == 10 || outBase == 10)) {
        require(window.text2Box.empty());
        require(window.messages == std::vector<std::u16string>{std::u16string(kMessageOutOfRange)});
    } else {
        require(window.messages.empty());
        require(plainValue(window.text2Box, outBase) == value);
    }
}

} // namespace
} // namespace tarvex

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tarvex::fuzzing::FuzzInput input(data, size);
    switch (input.byte() % 3) {
    case 0: {
        const double value = tarvex::leadingNumber(input.text(2000));
        tarvex::require(!std::isnan(value));
        break;
    }
    case 1:
        tarvex::fuzzMethod(input);
        break;
    default:
        tarvex::fuzzConvert(input);
        break;
    }
    return 0;
}
