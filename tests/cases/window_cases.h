#pragma once

#include "design/form1_design.h"

#include <array>
#include <cstddef>
#include <string_view>

// The window's cases, free of any toolkit: the tests of the Qt window and of the Win32 window
// both walk them, each window made in the test's own process. Texts are UTF-16, as both windows
// hold them; controls are the design's identities.
namespace tarvex::cases {

using design::ControlId;
using enum design::ControlId;

// What an output box holds before a command that should leave it alone.
inline constexpr std::u16string_view kKept = u"kept";

inline constexpr std::u16string_view kEmptyInput = u"输入源数据";
inline constexpr std::u16string_view kSameBase = u"请选不同的进制";
inline constexpr std::u16string_view kOutOfRange = u"数值超出范围";

// A click on 转换 with the input and the two bases chosen: what Text2 shows afterwards (kKept
// when it keeps its text), and the message boxes shown on the way, in order.
struct ConvertCase
{
    const char *name;
    std::u16string_view input;
    ControlId inputOption;
    ControlId outputOption;
    std::u16string_view output;
    std::array<std::u16string_view, 2> messages{};

    [[nodiscard]] constexpr std::size_t messageCount() const
    {
        return messages[0].empty() ? 0 : messages[1].empty() ? 1 : 2;
    }
};

// Each of the sixteen pairs of bases once: the twelve conversions, then the four pairs of equal
// bases; then the empty input and a value out of range.
inline constexpr auto kConvertCases = std::to_array<ConvertCase>({
    {"hex to binary", u"1F", Option4, Option5, u"0011111"},
    {"hex to octal", u"FF", Option4, Option6, u"377"},
    {"hex to decimal", u"1F", Option4, Option7, u"31"},
    {"lower-case hex", u"ff", Option4, Option7, u"255"},
    {"decimal to binary", u"10", Option3, Option5, u"1010"},
    {"decimal zero", u"0", Option3, Option6, u"0"},
    {"decimal to hex", u"255", Option3, Option8, u"FF"},
    {"octal to binary", u"17", Option2, Option5, u"01111"},
    {"octal to decimal", u"377", Option2, Option7, u"255"},
    {"octal to hex", u"17", Option2, Option8, u"0F"},
    {"binary to hex", u"11111111", Option1, Option8, u"FF"},
    {"binary to decimal", u"101", Option1, Option7, u"5"},
    {"binary to octal", u"11111111", Option1, Option6, u"377"},
    {"same base keeps output", u"101", Option1, Option5, kKept, {kSameBase}},
    {"same octal base keeps output", u"17", Option2, Option6, kKept, {kSameBase}},
    {"empty and same base", u"", Option3, Option7, kKept, {kEmptyInput, kSameBase}},
    {"same hex base keeps output", u"FF", Option4, Option8, kKept, {kSameBase}},
    {"empty input", u"", Option1, Option7, u"0", {kEmptyInput}},
    {"out of range empties output", u"FFFFFFFF", Option4, Option7, u"", {kOutOfRange}},
});

// Which windows a typing case reaches. An input method's commit is an event that the Qt test
// hands the box in process. A Wine program gets a commit only from an X input method, which the
// test desktop has none of, and no other process can commit into the window's input context.
enum class TypedInto { BothWindows, QtWindowOnly };

// Keys typed into Text1 under an input base (key_script.h tells how a script reads), and what
// Text1 holds afterwards. The clipboard holds "1" while they are typed.
struct TypingCase
{
    const char *name;
    ControlId option;
    std::u16string_view script;
    std::u16string_view expected;
    TypedInto typedInto = TypedInto::BothWindows;
};

inline constexpr std::u16string_view kClipboardText = u"1";

inline constexpr auto kTypingCases = std::to_array<TypingCase>({
    {"binary digits and Backspace", Option1, u"101<BS>", u"10"},
    {"binary discards other characters", Option1, u"12aA .-+", u"1"},
    {"binary discards Ctrl+V", Option1, u"0<Ctrl+V>", u"0"},
    {"binary discards Escape and F-keys type nothing", Option1, u"1<Esc><F2>1", u"11"},
    {"navigation and Delete still work", Option1, u"101<Home><Del><End>0", u"010"},
    {"arrows still work", Option1, u"11<Left>0<Right>1", u"1011"},
    {"Ctrl+A is discarded, so no select-all", Option1, u"11<Ctrl+A>0", u"110"},
    {"octal", Option2, u"0123456789", u"01234567"},
    {"decimal", Option3, u"0123456789.+-e x", u"0123456789"},
    {"decimal discards a Chinese key press", Option3, u"1<中>2", u"12"},
    {"decimal discards an input-method commit of Chinese", Option3, u"1<IM:中文>", u"1",
     TypedInto::QtWindowOnly},
    {"decimal keeps the digits of a mixed commit", Option3, u"<IM:1a2>", u"12",
     TypedInto::QtWindowOnly},
    {"hex lets everything through", Option4, u"aF-. xZ", u"aF-. xZ"},
    {"hex keeps a Chinese commit", Option4, u"<IM:中文>", u"中文", TypedInto::QtWindowOnly},
    {"hex keeps a Chinese key press", Option4, u"<中>", u"中"},
    {"hex passes Ctrl+V", Option4, u"A<Ctrl+V>", u"A1"},
});

// A text-code button: the text typed into its input box, and what its output box (holding
// kKept before) shows after the click.
struct TextCodeCase
{
    const char *name;
    ControlId inputBox;
    ControlId button;
    ControlId outputBox;
    std::u16string_view input;
    std::u16string_view output;
};

// A text longer than a screen reader is told whole (design::kAnnouncedCharacters), and its codes.
inline constexpr std::size_t kLongTextCharacters = 120;
inline constexpr auto kLongText = [] {
    std::array<char16_t, kLongTextCharacters> text{};
    text.fill(u'中');
    return text;
}();
inline constexpr auto kLongTextCodes = [] {
    std::array<char16_t, 4 * kLongTextCharacters> codes{};
    for (std::size_t i = 0; i < codes.size(); i += 4) {
        codes[i] = u'D';
        codes[i + 1] = u'6';
        codes[i + 2] = u'D';
        codes[i + 3] = u'0';
    }
    return codes;
}();

inline constexpr auto kTextCodeCases = std::to_array<TextCodeCase>({
    {"text to codes", Text3, Command3, Text4, u"中文", u"D6D0CEC4"},
    {"codes to text", Text5, Command4, Text6, u"d6d0cec4", u"中文"},
    {"no text gives no codes", Text3, Command3, Text4, u"", u""},
    {"no codes give no text", Text5, Command4, Text6, u"", u""},
    {"a group without a leading digit shows as the symbol for NUL", Text5, Command4, Text6,
     u"0041GGGG0042", u"A\u2400B"},
    {"a long text gives codes longer than is told whole",
     Text3,
     Command3,
     Text4,
     {kLongText.data(), kLongText.size()},
     {kLongTextCodes.data(), kLongTextCodes.size()}},
});

// Return or keypad Enter on a push button that has the focus presses it. The boxes hold these
// texts, with binary to decimal chosen.
struct BoxText
{
    ControlId box;
    std::u16string_view text;
};
inline constexpr auto kButtonInputs = std::to_array<BoxText>({
    {Text1, u"101"},
    {Text3, u"A"},
    {Text5, u"0041"},
});

struct ButtonCase
{
    const char *name;
    ControlId button;
    ControlId outputBox;
    std::u16string_view output;
};

inline constexpr auto kEnterPressesButtonCases = std::to_array<ButtonCase>({
    {"转换 converts", Command1, Text2, u"5"},
    {"转换到十六进制 converts", Command3, Text4, u"41"},
    {"转换到中文 converts", Command4, Text6, u"A"},
});

// Where Return, keypad Enter and Escape press nothing, with hexadecimal input chosen (the key
// filter lets Enter through) and Text1 empty (a click on 转换 would show a message).
inline constexpr auto kEnterPressesNothingIn =
    std::to_array<ControlId>({Text1, Text2, Text3, Option1, Option7});

// The tab stops after the chosen radio button of each base group, in order: the hidden 退出
// comes after 转换.
inline constexpr auto kTabStopsAfterTheBases = std::to_array<ControlId>(
    {Text1, Text2, Command1, Command2, Text3, Command3, Text4, Text5, Command4, Text6});

} // namespace tarvex::cases
