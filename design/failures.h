#pragma once

#include <exception>
#include <string_view>
#include <utility>

// What the program does when something fails, the same in both windows.
namespace tarvex::design {

// What a window command that could not be carried out tells the user: that memory ran out (a
// huge text, above all), or else that the conversion failed.
[[nodiscard]] std::u16string_view failureMessage(const std::exception &failure);

// Runs one command of a window. Nothing the core throws (an allocation failure on a huge text,
// above all) may pass through the toolkit's code that called the window (Qt's event loop does
// not support exceptions, nor does Windows' own code): the command is abandoned, the box it
// would have written keeps its text, the user is told through `showMessage`, the window's
// message box, and the program runs on.
template<typename Command, typename ShowMessage>
void runGuarded(Command &&command, ShowMessage &&showMessage)
{
    try {
        std::forward<Command>(command)();
    } catch (const std::exception &failure) {
        std::forward<ShowMessage>(showMessage)(failureMessage(failure));
    }
}

// Runs a step that the program carries on without, and drops its failure without a word: the
// Load step, after which the window is shown without an icon, and the handling of one of the
// icon's messages, after which the message still goes on to the window.
template<typename Step> void skipOnFailure(Step &&step)
{
    try {
        std::forward<Step>(step)();
    } catch (const std::exception &) {
        // Nothing to tell: the step is one the program works without.
    }
}

} // namespace tarvex::design
