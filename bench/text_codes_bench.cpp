// Median times of the text-code conversions on the largest texts of the window's boxes.
#include "core/text_codes.h"

#include <benchmark/benchmark.h>

namespace tarvex {
namespace {

void TextToHexCodes_32766_chinese(benchmark::State &state)
{
    std::u16string text;
    for (std::size_t i = 0; i < 32766; ++i)
        text.push_back(static_cast<char16_t>(u'一' + i % 20000));
    for (auto _ : state)
        benchmark::DoNotOptimize(TextToHexCodes(text));
}
BENCHMARK(TextToHexCodes_32766_chinese);

void HexCodesToText_32764_chars(benchmark::State &state)
{
    std::u16string chinese;
    for (std::size_t i = 0; i < 8191; ++i)
        chinese.push_back(static_cast<char16_t>(u'一' + i % 20000));
    const std::u16string codes = TextToHexCodes(chinese);
    for (auto _ : state)
        benchmark::DoNotOptimize(HexCodesToText(codes));
}
BENCHMARK(HexCodesToText_32764_chars);

} // namespace
} // namespace tarvex
