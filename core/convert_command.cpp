#include "core/convert_command.h"

#include "core/decimal_reading.h"
#include "core/overflow_error.h"

#include <array>

namespace tarvex {

namespace {

using enum OptionButton;

struct BasePair
{
    OptionButton input;
    OptionButton output;
};

// The pairs that warn instead of converting, in the order they are checked.
constexpr std::array<BasePair, 4> kSameBasePairs = {
    {{Option1, Option5}, {Option2, Option6}, {Option3, Option7}, {Option4, Option8}}};

// Runs one conversion and returns the text to show in Text2; throws OverflowError when the
// conversion fails.
using Conversion = std::u16string (*)(ConvertWindow &);

struct ConversionRow
{
    BasePair bases;
    Conversion conversion;
};

template<void (RadixConversions::*method)()> std::u16string runAndShowResult(ConvertWindow &window)
{
    RadixConversions &conversions = window.conversions();
    (conversions.*method)();
    return conversions.strResult;
}

template<void (RadixConversions::*method)(std::u16string_view)>
std::u16string runOnText1AndShowResult(ConvertWindow &window)
{
    RadixConversions &conversions = window.conversions();
    (conversions.*method)(window.text1());
    return conversions.strResult;
}

// The twelve conversions, in the order they are checked.
constexpr std::array<ConversionRow, 12> kConversionRows = {{
    {{Option4, Option5}, runAndShowResult<&RadixConversions::z16_2>},
    {{Option4, Option6}, runAndShowResult<&RadixConversions::z16_8>},
    {{Option4, Option7}, runAndShowResult<&RadixConversions::z16_10>},
    {{Option3, Option5},
     [](ConvertWindow &window) {
         return RadixConversions::z10_2(decimalInputValue(window.text1()));
     }},
    {{Option3, Option6}, runOnText1AndShowResult<&RadixConversions::z10_8>},
    {{Option3, Option8}, runOnText1AndShowResult<&RadixConversions::z10_16>},
    {{Option2, Option5}, runAndShowResult<&RadixConversions::z8_2>},
    {{Option2, Option7}, runAndShowResult<&RadixConversions::z8_10>},
    {{Option2, Option8}, runAndShowResult<&RadixConversions::z8_16>},
    {{Option1, Option8}, runAndShowResult<&RadixConversions::z2_16>},
    {{Option1, Option7},
     [](ConvertWindow &window) { return RadixConversions::z2_10(window.text1()); }},
    {{Option1, Option6}, runAndShowResult<&RadixConversions::z2_8>},
}};

bool isChosen(const ConvertWindow &window, BasePair pair)
{
    return window.isOptionSet(pair.input) && window.isOptionSet(pair.output);
}

} // namespace

void runConvertCommand(ConvertWindow &window)
{
    const std::u16string text = window.text1();
    window.conversions().strSource = text;

    if (text.empty())
        window.showMessage(kMessageEmptyInput);

    for (const BasePair &pair : kSameBasePairs)
        if (isChosen(window, pair))
            window.showMessage(kMessageSameBase);

    for (const ConversionRow &row : kConversionRows) {
        if (!isChosen(window, row.bases))
            continue;
        std::u16string shown;
        try {
            shown = row.conversion(window);
        } catch (const OverflowError &) {
            // A failed conversion has no result: a partial or earlier one must not stand in
            // the output box as if it were the answer.
            window.setText2({});
            window.showMessage(kMessageOutOfRange);
            continue;
        }
        window.setText2(shown);
    }
}

} // namespace tarvex
