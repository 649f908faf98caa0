#pragma once

#include "message_boxes.h"
#include "program.h"

#include <string_view>
#include <vector>

namespace tarvex::driver {

// The steps a user takes on the window, each returning once the program has handled it: a
// click, the focus moved by Tab, a key pressed, a button pressed and its message boxes answered.
//
// That every key and click before has been handled is shown by a key behind them that moves
// the focus on to the next tab stop: the program handles its input in order, so once the focus
// has moved, all before it was handled too.
class WindowSteps
{
public:
    explicit WindowSteps(const Program &program) : m_program(program) {}

    // The tab stops in order: the chosen radio button of each group, then the boxes and buttons.
    [[nodiscard]] std::vector<std::string_view> tabStops() const;
    // The control that has the focus, by its name in the design; fails if no control has it.
    [[nodiscard]] std::string_view focusName() const;

    // Makes the window the one in front, which the keyboard's input goes to, as a user does, with a
    // click on its client area where no control lies, clicking again while it does not come in
    // front; returns once a control has the focus.
    void activateByClick() const;
    // A click with the mouse on the control, which then has the focus.
    void focusByClick(std::string_view name);
    // Tab pressed until the control has the focus.
    void focusByTab(std::string_view name) const;
    // The focus moved on to the control the way Tab moves it, by Tab posted to the window,
    // which does not depend on which window is in front.
    void moveFocusTo(std::string_view name) const;
    // Tab pressed once: returns once the focus has moved on to the next stop. A message box
    // shown instead fails the step, after its OK is pressed.
    void pressTab() const;

    // Moves the focus to the push button, posts a click to it, answers every message box its
    // command shows, and returns them once the command has ended.
    [[nodiscard]] std::vector<ShownMessageBox> clickAndAnswer(std::string_view button) const;

    // Closes the pop-up menu as a click elsewhere does, and waits until it is gone.
    void closeMenu() const;
    // Posts a message behind those posted before and waits until the program has handled it.
    // Unlike Tab, this works wherever the focus is and whichever window is in front.
    void waitUntilPostedMessagesHandled() const;

    // Closes what a failed step may have left open, message boxes and menus, so that the next
    // case starts from the window alone.
    void recover() const;

private:
    [[nodiscard]] std::string_view nextTabStop(std::string_view after) const;
    // Posts Tab to the window as the key that follows everything sent before it.
    void postTab() const;
    // Fails, after pressing its OK, if a message box is shown.
    void failOnMessageBox() const;
    [[nodiscard]] bool isControl(HWND window) const;
    [[nodiscard]] bool aControlHasTheFocus() const;

    const Program &m_program;
    // Clicks go to alternate points, so that two in a row never make a double click.
    bool m_clickLeft = true;
};

} // namespace tarvex::driver
