// Median times of the radix conversions on the largest input each one accepts, and of one
// Convert click on the largest accepted input of every pair of bases.
#include "core/convert_command.h"
#include "core/radix_conversions.h"
#include "recording_window.h"

#include <benchmark/benchmark.h>

namespace tarvex {
namespace {

std::u16string digits(std::size_t count, char16_t digit)
{
    return std::u16string(count, digit);
}

void benchMethod(benchmark::State &state, void (RadixConversions::*method)(),
                 const std::u16string &source)
{
    RadixConversions conversions;
    for (auto _ : state) {
        conversions.strSource = source;
        (conversions.*method)();
        benchmark::DoNotOptimize(conversions.strResult.data());
    }
}

BENCHMARK_CAPTURE(benchMethod, z16_2_32766_digits, &RadixConversions::z16_2, digits(32766, u'F'));
BENCHMARK_CAPTURE(benchMethod, z2_16_32764_digits, &RadixConversions::z2_16, digits(32764, u'1'));
BENCHMARK_CAPTURE(benchMethod, z2_8_32766_digits, &RadixConversions::z2_8, digits(32766, u'1'));

void z2_10_1024_chars(benchmark::State &state)
{
    const std::u16string binary = digits(993, u'0') + digits(31, u'1');
    for (auto _ : state)
        benchmark::DoNotOptimize(RadixConversions::z2_10(binary));
}
BENCHMARK(z2_10_1024_chars);

void convertClick(benchmark::State &state, int inBase, int outBase, std::u16string text1)
{
    using enum OptionButton;
    const auto input = [](int base) {
        return base == 2 ? Option1 : base == 8 ? Option2 : base == 10 ? Option3 : Option4;
    };
    const auto output = [](int base) {
        return base == 2 ? Option5 : base == 8 ? Option6 : base == 10 ? Option7 : Option8;
    };
    RecordingWindow window;
    window.text1Box = std::move(text1);
    window.setButtons = {input(inBase), output(outBase)};
    for (auto _ : state) {
        runConvertCommand(window);
        benchmark::DoNotOptimize(window.text2Box.data());
    }
    if (!window.messages.empty())
        state.SkipWithError("the input was not accepted");
}

// The longest text whose leading number, 2147483647, is accepted: leading zeros are read over.
const std::u16string kLargestDecimal = digits(32757, u'0') + u"2147483647";

BENCHMARK_CAPTURE(convertClick, hex_to_binary, 16, 2, digits(32766, u'F'));
BENCHMARK_CAPTURE(convertClick, hex_to_octal, 16, 8, digits(8191, u'F'));
BENCHMARK_CAPTURE(convertClick, hex_to_decimal, 16, 10, digits(248, u'0') + u"7FFFFFFF");
BENCHMARK_CAPTURE(convertClick, decimal_to_binary, 10, 2, kLargestDecimal);
BENCHMARK_CAPTURE(convertClick, decimal_to_octal, 10, 8, kLargestDecimal);
BENCHMARK_CAPTURE(convertClick, decimal_to_hex, 10, 16, kLargestDecimal);
BENCHMARK_CAPTURE(convertClick, octal_to_binary, 8, 2, digits(32766, u'7'));
BENCHMARK_CAPTURE(convertClick, octal_to_decimal, 8, 10, digits(330, u'0') + u"17777777777");
BENCHMARK_CAPTURE(convertClick, octal_to_hex, 8, 16, digits(10921, u'7'));
BENCHMARK_CAPTURE(convertClick, binary_to_hex, 2, 16, digits(32764, u'1'));
BENCHMARK_CAPTURE(convertClick, binary_to_decimal, 2, 10, digits(993, u'0') + digits(31, u'1'));
BENCHMARK_CAPTURE(convertClick, binary_to_octal, 2, 8, digits(32766, u'1'));

} // namespace
} // namespace tarvex
