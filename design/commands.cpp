#include "design/commands.h"

#include "core/text_codes.h"
#include "design/failures.h"

#include <utility>

namespace tarvex::design {

void CommandHandlers::click(ControlId id)
{
    const std::optional<Command> command = commandOf(id);
    if (!command.has_value())
        return;
    switch (*command) {
    case Command::Convert:
        Command1_Click();
        break;
    case Command::Exit:
        Command2_Click();
        break;
    case Command::TextToHexCodes:
        Command3_Click();
        break;
    case Command::HexCodesToText:
        Command4_Click();
        break;
    }
}

namespace {

template<typename Command> void runGuardedIn(TextCodeWindow &window, Command &&command)
{
    runGuarded(std::forward<Command>(command),
               [&window](std::u16string_view message) { window.showMessage(message); });
}

} // namespace

void runTextToHexCodesCommand(TextCodeWindow &window)
{
    runGuardedIn(window, [&window] {
        window.setText(ControlId::Text4, TextToHexCodes(window.text(ControlId::Text3)));
    });
}

void runHexCodesToTextCommand(TextCodeWindow &window)
{
    runGuardedIn(window, [&window] {
        window.setText(ControlId::Text6,
                       visibleText(HexCodesToText(window.text(ControlId::Text5))));
    });
}

std::u16string visibleText(std::u16string text)
{
    std::ranges::replace(text, u'\0', u'\u2400');
    return text;
}

} // namespace tarvex::design
