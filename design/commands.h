#pragma once

#include "design/form1_design.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

// What the window's push buttons do, the same in both windows: each window carries a click
// from a control to its command, and the command to the handler the design names.
namespace tarvex::design {

// 转换, 退出, 转换到十六进制 and 转换到中文.
enum class Command { Convert, Exit, TextToHexCodes, HexCodesToText };

// The command a click on the control gives; none for a control that is not a push button.
[[nodiscard]] constexpr std::optional<Command> commandOf(ControlId id)
{
    switch (id) {
    case ControlId::Command1:
        return Command::Convert;
    case ControlId::Command2:
        return Command::Exit;
    case ControlId::Command3:
        return Command::TextToHexCodes;
    case ControlId::Command4:
        return Command::HexCodesToText;
    default:
        return std::nullopt;
    }
}

static_assert(std::ranges::all_of(kControls, [](const Control &control) {
    return commandOf(control.id).has_value() == (control.kind == ControlKind::PushButton);
}));

// The handlers the design names for the push buttons, which each window writes for its own
// toolkit. A click reaches them the same way in both: from the control to its command, and from
// the command to its handler.
class CommandHandlers
{
public:
    virtual ~CommandHandlers() = default;

    // Carries out the command of a click on the control; nothing for a control without one.
    void click(ControlId id);

protected:
    CommandHandlers() = default;
    CommandHandlers(const CommandHandlers &) = default;
    CommandHandlers &operator=(const CommandHandlers &) = default;

    virtual void Command1_Click() = 0;
    virtual void Command2_Click() = 0;
    virtual void Command3_Click() = 0;
    virtual void Command4_Click() = 0;
};

// The window's text boxes and its message box, as the two text-code commands use them.
class TextCodeWindow
{
public:
    virtual ~TextCodeWindow() = default;

    [[nodiscard]] virtual std::u16string text(ControlId box) const = 0;
    virtual void setText(ControlId box, const std::u16string &text) = 0;
    // Shows a modal message and returns once the user has closed it.
    virtual void showMessage(std::u16string_view message) = 0;

protected:
    TextCodeWindow() = default;
    TextCodeWindow(const TextCodeWindow &) = default;
    TextCodeWindow &operator=(const TextCodeWindow &) = default;
};

// 转换到十六进制: Text4 gets the code page 936 codes of the text in Text3, in hexadecimal. Run
// guarded: a failure leaves Text4 as it was and is told in the window's message box.
void runTextToHexCodesCommand(TextCodeWindow &window);

// 转换到中文: Text6 gets the text whose codes Text5 holds, as an output box shows it. Run
// guarded, as the other.
void runHexCodesToTextCommand(TextCodeWindow &window);

// A text as an output box shows it: every U+0000 (转换到中文 makes one of a group of codes
// without a leading digit) as the symbol for NUL, U+2400. A Win32 edit box ends its text at a
// U+0000 and would hide the rest of the result; the Qt window shows the same.
[[nodiscard]] std::u16string visibleText(std::u16string text);

} // namespace tarvex::design
