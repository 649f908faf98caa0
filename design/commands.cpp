#include "design/commands.h"

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

std::u16string visibleText(std::u16string text)
{
    std::ranges::replace(text, u'\0', u'\u2400');
    return text;
}

} // namespace tarvex::design
