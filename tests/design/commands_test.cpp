#include "design/base_options.h"
#include "design/commands.h"
#include "design/failures.h"
#include "design/texts.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
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
        // A window command is abandoned there, and the user is told once.
        std::u16string told;
        bool finished = false;
        runGuarded(
            [&] {
                c.fail();
                finished = true;
            },
            [&](std::u16string_view message) { told += message; });
        EXPECT_FALSE(finished) << c.name;
        EXPECT_EQ(told, c.message) << c.name;
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

struct BaseCaption
{
    std::u16string_view caption;
    InputBase base;
};

// The Convert command's OptionN is the design's OptionN: the input bases in Frame1 and the
// output bases in Frame2, each group saying binary, octal, decimal and hexadecimal in turn; an
// input button set makes the number box follow the base it says.
TEST(BaseOptions, eachButtonSaysItsBaseAndAnInputButtonChoosesIt)
{
    const BaseCaption bases[] = {{u"二进制", InputBase::Binary},
                                 {u"八进制", InputBase::Octal},
                                 {u"十进制", InputBase::Decimal},
                                 {u"十六进制", InputBase::Hexadecimal}};
    for (int number = 1; number <= 8; ++number) {
        const Control &option = controlOf(optionControl(static_cast<OptionButton>(number)));
        const BaseCaption &expected = bases[(number - 1) % 4];
        EXPECT_EQ(option.name, "Option" + std::to_string(number));
        EXPECT_EQ(option.kind, ControlKind::RadioButton) << number;
        EXPECT_EQ(option.container, number <= 4 ? Frame1 : Frame2) << number;
        EXPECT_TRUE(option.caption == expected.caption) << number;
        if (number <= 4) {
            EXPECT_EQ(chosenInputBase([&option](ControlId id) { return id == option.id; }),
                      expected.base)
                << number;
        }
    }
    EXPECT_EQ(chosenInputBase([](ControlId) { return false; }), InputBase::Hexadecimal);
}

} // namespace
} // namespace tarvex::design
