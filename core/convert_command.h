#pragma once

#include "core/radix_conversions.h"

#include <string>
#include <string_view>

namespace tarvex {

// The eight base buttons: Option1..Option4 choose the input base, Option5..Option8 the output
// base, each group in the order binary, octal, decimal, hexadecimal.
enum class OptionButton {
    Option1 = 1,
    Option2,
    Option3,
    Option4,
    Option5,
    Option6,
    Option7,
    Option8
};

inline constexpr std::u16string_view kMessageEmptyInput = u"输入源数据";
inline constexpr std::u16string_view kMessageSameBase = u"请选不同的进制";
inline constexpr std::u16string_view kMessageOutOfRange = u"数值超出范围";

// What the Convert command needs from the window, and nothing more, so that the command runs
// the same against the real window and against a stand-in.
class ConvertWindow
{
public:
    virtual ~ConvertWindow() = default;

    [[nodiscard]] virtual std::u16string text1() const = 0;
    virtual void setText2(const std::u16string &text) = 0;
    [[nodiscard]] virtual bool isOptionSet(OptionButton button) const = 0;
    // Shows a modal message and returns once the user has closed it.
    virtual void showMessage(std::u16string_view message) = 0;
    [[nodiscard]] virtual RadixConversions &conversions() = 0;

protected:
    ConvertWindow() = default;
    ConvertWindow(const ConvertWindow &) = default;
    ConvertWindow &operator=(const ConvertWindow &) = default;
};

// One click of the Convert button: loads strSource from Text1, warns about an empty input and
// about equal bases, then runs the conversion of every chosen (input, output) pair and shows
// its result in Text2. A conversion that fails empties Text2 and says the value is out of
// range; nothing leaves the command.
void runConvertCommand(ConvertWindow &window);

} // namespace tarvex
