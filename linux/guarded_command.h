#pragma once

#include <exception>
#include <utility>

class QWidget;

namespace tarvex {

// Tells the user, in the program's message box, that a command could not be carried out.
void reportFailedCommand(QWidget *window, const std::exception &failure);

// Runs one command of the window. Nothing the core throws (an allocation failure on a huge
// text, above all) may pass through Qt's event loop, which does not support exceptions: the
// command is abandoned, the box it would have written keeps its text, the user is told, and
// the program runs on.
template<typename Command> void runGuarded(QWidget *window, Command &&command)
{
    try {
        std::forward<Command>(command)();
    } catch (const std::exception &failure) {
        reportFailedCommand(window, failure);
    }
}

} // namespace tarvex
