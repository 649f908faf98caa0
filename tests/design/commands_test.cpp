#include "design/base_options.h"
#include "design/commands.h"
#include "design/failures.h"
#include "design/texts.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tarvex::design {
namespace {

// Which handler a click reached.
class RecordingHandlers : public CommandHandlers
{
public:
    std::string reached;

private:
    void Command1_Click() override { reached += "Command1_Click"; }
    void Command2_Click() override { reached += "Command2_Click"; }
    void Command3_Click() override { reached += "Command3_Click"; }
    void Command4_Click() override { reached += "Command4_Click"; }
};

struct ButtonCase
{
    ControlId button;
    Command command;
    std::string handler;
};

TEST(Commands, aClickOnEachButtonReachesItsHandlerAndOnAnyOtherControlNone)
{
    const ButtonCase buttons[] = {
        {Command1, Command::Convert, "Command1_Click"},
        {Command2, Command::Exit, "Command2_Click"},
        {Command3, Command::TextToHexCodes, "Command3_Click"},
        {Command4, Command::HexCodesToText, "Command4_Click"},
    };
    for (const Control &control : kControls) {
        std::optional<ButtonCase> expected;
        for (const ButtonCase &button : buttons)
            if (button.button == control.id)
                expected = button;
        RecordingHandlers handlers;
        handlers.click(control.id);
        EXPECT_EQ(commandOf(control.id), expected ? std::optional(expected->command) : std::nullopt)
            << control.name;
        EXPECT_EQ(handlers.reached, expected ? expected->handler : "") << control.name;
    }
}

TEST(Commands, aNulShowsAsItsSymbolInAnOutputBox)
{
    using namespace std::string_literals;
    EXPECT_EQ(visibleText(u"\0A\0\0中"s), u"\u2400A\u2400\u2400中");
    EXPECT_EQ(visibleText(u"中文\u2400"), u"中文\u2400");
    EXPECT_EQ(visibleText(u""), u"");
}

struct FailureCase
{
    const char *name;
    void (*fail)();
    std::u16string_view message;
};

TEST(FailurePolicy, aFailedCommandSaysWhetherMemoryRanOut)
{
    const FailureCase cases[] = {
        {"no memory", [] { throw std::bad_alloc(); }, kCommandFailedNoMemory},
        {"an array too long", [] { throw std::bad_array_new_length(); }, kCommandFailedNoMemory},
        {"a length error", [] { throw std::length_error("basic_string"); }, kCommandFailed},
        {"a system error",
         [] { throw std::system_error(std::make_error_code(std::errc::invalid_argument)); },
         kCommandFailed},
    };
    for (const FailureCase &c : cases) {
        try {
            c.fail();
            ADD_FAILURE() << c.name;
        } catch (const std::exception &failure) {
            EXPECT_EQ(failureMessage(failure), c.message) << c.name;
        }
        // The Load step and the icon's messages are skipped silently on the same failures.
        bool reachedTheEnd = false;
        EXPECT_NO_THROW(skipOnFailure([&] {
            c.fail();
            reachedTheEnd = true;
        })) << c.name;
        EXPECT_FALSE(reachedTheEnd) << c.name;
    }
    bool ran = false;
    skipOnFailure([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(BaseOptions, eachInputOptionChoosesItsBaseAndTheButtonsAreTheDesignsOptions)
{
    const InputBase bases[] = {InputBase::Binary, InputBase::Octal, InputBase::Decimal,
                               InputBase::Hexadecimal};
    for (int number = 1; number <= 8; ++number) {
        const ControlId option = optionControl(static_cast<OptionButton>(number));
        EXPECT_EQ(nameOf(option), "Option" + std::to_string(number));
        if (number <= 4) {
            EXPECT_EQ(chosenInputBase([option](ControlId id) { return id == option; }),
                      bases[number - 1])
                << number;
        }
    }
    EXPECT_EQ(chosenInputBase([](ControlId) { return false; }), InputBase::Hexadecimal);
}

} // namespace
} // namespace tarvex::design
