// Drives the Win32 window from outside, as a user's tools would: starts tarvex.exe, finds its
// window and controls, types with real key input, clicks, reads texts and message boxes, and
// sends the notification-area icon's messages. The cases are the window cases both windows are
// tested against (window_cases.h). One line a case: "ok <case>" or "FAIL <case>: <why>"; the
// exit status is 1 when any case failed.
//
//   tarvex-window-driver.exe PROGRAM DPI [behaviour|layout]
//
// Both modes check that the window opens at DPI within its monitor's work area with every
// control in its client area; "behaviour" (the default) then runs every case and ends the
// program with its Exit button, then starts it again for the cases that show message boxes and
// hide the window, and ends it with the close button; "layout" ends it with the close button.
#include "layout_checks.h"
#include "message_boxes.h"
#include "program.h"
#include "report.h"
#include "user_input.h"
#include "window_cases.h"
#include "window_geometry.h"
#include "window_steps.h"

#include "form1_design.h"

#include <array>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>

namespace tarvex::driver {

namespace {

// The message the notification-area icon's mouse events reach the window as, with the mouse
// message as its lParam, and the icon's identifier.
constexpr UINT kIconMessage = 2025;
constexpr WPARAM kIconId = 1;

void checkTabOrder(Report &report, const WindowSteps &steps)
{
    report.run("focus starts on Option1 and Tab visits every stop in turn", [&] {
        // Under Wine the notification-area icon's window, docked in the panel, was seen to take
        // the foreground from the window shown beside it at start, for good.
        steps.activateByClick();
        expect(steps.focusName() == "Option1",
               "the focus starts on " + std::string(steps.focusName()));
        std::string visited;
        for (std::size_t i = 0; i < steps.tabStops().size(); ++i) {
            steps.pressTab();
            visited += " " + std::string(steps.focusName());
        }
        expect(steps.focusName() == "Option1", "Tab went round" + visited);
    });
}

void convert(const Program &program, const WindowSteps &steps, const cases::ConvertCase &c)
{
    program.choose(c.inputOption);
    program.choose(c.outputOption);
    program.setText("Text1", c.input);
    program.setText("Text2", cases::kKept);
    const std::vector<ShownMessageBox> shown = steps.clickAndAnswer("Command1");
    std::string messages;
    for (const ShownMessageBox &box : shown)
        messages += " " + quoted(box.text);
    expect(shown.size() == c.messageCount(), "the messages were" + messages);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const ShownMessageBox &box = shown[i];
        expectText(box.text, c.messages.at(i), "message " + std::to_string(i + 1));
        expect(box.owner == program.window(), "a message box is not owned by the window");
        expectText(box.title, u"", "a message box's title");
        expect(box.buttons == std::vector<std::u16string>{u"确定"},
               "a message box does not have the one button 确定");
        expect(!box.showsIcon, "a message box shows an icon");
    }
    expectText(program.text("Text2"), c.output, "Text2");
}

void type(const Program &program, WindowSteps &steps, const cases::TypingCase &c)
{
    program.choose(c.option);
    program.setText("Text1", u"");
    setClipboardText(cases::kClipboardText);
    steps.focusByClick("Text1");
    typeKeyScript(c.script);
    steps.pressTab();
    expectText(program.text("Text1"), c.expected, "Text1");
}

void textCodes(const Program &program, WindowSteps &steps, const cases::TextCodeCase &c)
{
    program.setText(c.inputBox, u"");
    program.setText(c.outputBox, cases::kKept);
    steps.focusByClick(c.inputBox);
    typeKeyScript(c.input);
    // A posted click overtakes keys still waiting in the input queue.
    steps.pressTab();
    const std::vector<ShownMessageBox> shown = steps.clickAndAnswer(c.button);
    expect(shown.empty(), "a message box showed " + (shown.empty() ? "" : quoted(shown[0].text)));
    expectText(program.text(c.outputBox), c.output, std::string(c.outputBox));
}

void enterPressesNothing(const Program &program, WindowSteps &steps)
{
    program.choose("Option4");
    program.setText("Text1", u"");
    program.setText("Text2", u"");
    for (const std::string_view focus : cases::kEnterPressesNothingIn) {
        steps.focusByClick(focus);
        pressKey(VK_RETURN);
        pressKey(VK_RETURN, true);
        pressKey(VK_ESCAPE);
        steps.pressTab();
    }
    expect(IsWindowVisible(program.window()) != FALSE, "the window went");
    expectText(program.text("Text2"), u"", "Text2");
}

void enterPressesButton(const Program &program, WindowSteps &steps, const cases::ButtonCase &c,
                        bool keypad)
{
    program.choose("Option1");
    program.choose("Option7");
    for (const cases::BoxText &input : cases::kButtonInputs)
        program.setText(input.box, input.text);
    program.setText(c.outputBox, cases::kKept);
    steps.moveFocusTo(c.button);
    pressKey(VK_RETURN, keypad);
    steps.pressTab();
    expectText(program.text(c.outputBox), c.output, std::string(c.outputBox));
}

void tabReachesTheHiddenExitButton(const Program &program, WindowSteps &steps)
{
    steps.focusByTab("Command1");
    steps.pressTab();
    expect(steps.focusName() == "Command2", "Tab from Command1 went elsewhere");
    expect(readWhileStill(program,
                          [&] {
                              return windowRect(program.control("Command2")).top >=
                                     clientAreaOnScreen(program.window()).bottom;
                          }),
           "退出 is not below the client area");
    steps.pressTab();
    expect(steps.focusName() == "Text3", "Tab from Command2 went elsewhere");
}

// A left click on the icon hides the window, a second brings it back at its size and place.
void iconClickHidesAndRestores(const Program &program)
{
    const HWND window = program.window();
    const RECT before = windowRect(window);
    PostMessageW(window, kIconMessage, kIconId, WM_LBUTTONUP);
    program.waitUntil("the window to be hidden and minimised", [&] {
        return IsWindowVisible(window) == FALSE && IsIconic(window) != FALSE;
    });
    PostMessageW(window, kIconMessage, kIconId, WM_LBUTTONUP);
    program.waitUntil("the window to be shown at normal size", [&] {
        return IsWindowVisible(window) != FALSE && IsIconic(window) == FALSE &&
               IsZoomed(window) == FALSE;
    });
    // Its place within the pixel by which the frame reports move it (see windowState).
    const RECT after = windowRect(window);
    expect(after.right - after.left == before.right - before.left &&
               after.bottom - after.top == before.bottom - before.top &&
               std::abs(after.left - before.left) <= 1 && std::abs(after.top - before.top) <= 1,
           "the window came back " + describe(after) + ", was " + describe(before));
}

// A right click on the icon opens its menu; the menu closes as when the user clicks elsewhere,
// and leaves the window as it was.
void iconMenuOpensAndCloses(const Program &program, const WindowSteps &steps)
{
    const HWND window = program.window();
    const std::string before = windowState(window);
    PostMessageW(window, kIconMessage, kIconId, WM_RBUTTONUP);
    program.waitUntil("the icon's menu to open",
                      [&] { return shownPopupMenu(program.threadId()) != nullptr; });
    steps.closeMenu();
    steps.waitUntilPostedMessagesHandled();
    expect(windowState(window) == before,
           "the window is " + windowState(window) + ", was " + before);
}

// Mouse messages of the icon other than the buttons' release do nothing: once the program has
// handled them, the window is as it was and no menu is open.
void iconMessageChangesNothing(const Program &program, const WindowSteps &steps, LPARAM mouse)
{
    const HWND window = program.window();
    const std::string before = windowState(window);
    PostMessageW(window, kIconMessage, kIconId, mouse);
    steps.waitUntilPostedMessagesHandled();
    expect(shownPopupMenu(program.threadId()) == nullptr, "a menu opened");
    expect(windowState(window) == before,
           "the window is " + windowState(window) + ", was " + before);
}

void exitButtonEndsTheProgram(const Program &program, WindowSteps &steps)
{
    steps.focusByTab("Command2");
    pressKey(VK_SPACE);
    const DWORD status = program.exitStatus();
    expect(status == 0, "the program ended with status " + std::to_string(status));
    expect(IsWindow(program.window()) == FALSE, "the window is still there");
}

void closeButtonEndsTheProgram(const Program &program)
{
    PostMessageW(program.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const DWORD status = program.exitStatus();
    expect(status == 0, "the program ended with status " + std::to_string(status));
    expect(IsWindow(program.window()) == FALSE, "the window is still there");
}

// Runs a case; a failed one leaves the window as the next case needs it.
template<typename Check>
void runCase(Report &report, const WindowSteps &steps, const std::string &name, Check &&check)
{
    report.run(name, [&] {
        try {
            check();
        } catch (const std::exception &) {
            steps.recover();
            throw;
        }
    });
}

// The cases typed and clicked with real input come first, in a run of their own: under Wine a
// message box's or a hidden window's focus changes reach the window manager and come back to
// Wine well after Windows' own state has changed, and while they trail in, Wine gives the
// foreground to the desktop for a moment: input sent then is lost. The cases that show message
// boxes and hide the window follow in a second run, which posts its messages.
void runKeyboardAndMouse(Report &report, const Program &program)
{
    WindowSteps steps(program);
    const auto run = [&](const std::string &name, auto &&check) {
        runCase(report, steps, name, check);
    };
    checkControls(report, program);
    checkTabOrder(report, steps);
    run("Tab from 转换 reaches the hidden 退出, then Text3",
        [&] { tabReachesTheHiddenExitButton(program, steps); });
    for (const cases::TypingCase &c : cases::kTypingCases) {
        const std::string name = std::string("typing: ") + c.name;
        if (c.typedInto == cases::TypedInto::QtWindowOnly)
            report.skip(name, "an input method's commit is made only in process");
        else
            run(name, [&] { type(program, steps, c); });
    }
    for (const cases::TextCodeCase &c : cases::kTextCodeCases)
        run(std::string("text codes: ") + c.name, [&] { textCodes(program, steps, c); });
    run("Return, keypad Enter and Escape press nothing",
        [&] { enterPressesNothing(program, steps); });
    for (const bool keypad : {false, true})
        for (const cases::ButtonCase &c : cases::kEnterPressesButtonCases)
            run(std::string(keypad ? "keypad Enter on " : "Return on ") + c.name,
                [&] { enterPressesButton(program, steps, c, keypad); });
    run("退出 with Space ends the program", [&] { exitButtonEndsTheProgram(program, steps); });
}

void runMessages(Report &report, const Program &program)
{
    const WindowSteps steps(program);
    const auto run = [&](const std::string &name, auto &&check) {
        runCase(report, steps, name, check);
    };
    for (const cases::ConvertCase &c : cases::kConvertCases)
        run(std::string("convert: ") + c.name, [&] { convert(program, steps, c); });
    for (const LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK})
        run("icon message " + std::to_string(mouse) + " changes nothing",
            [&] { iconMessageChangesNothing(program, steps, mouse); });
    run("icon message 514 hides the window and brings it back",
        [&] { iconClickHidesAndRestores(program); });
    run("icon message 517 opens the icon's menu", [&] { iconMenuOpensAndCloses(program, steps); });
    run("close button ends the program", [&] { closeButtonEndsTheProgram(program); });
}

} // namespace

} // namespace tarvex::driver

int wmain(int argc, wchar_t **argv)
{
    using namespace tarvex::driver;
    const std::wstring mode = argc > 3 ? argv[3] : L"behaviour";
    if (argc < 3 || (mode != L"behaviour" && mode != L"layout")) {
        const char usage[] = "usage: tarvex-window-driver PROGRAM DPI [behaviour|layout]\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), usage, sizeof usage - 1, &written, nullptr);
        return 2;
    }
    const std::wstring path = argv[1];
    const auto dpi = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10));
    Report report;
    {
        std::optional<Program> program;
        report.run("program starts and shows its window", [&] { program.emplace(path); });
        if (!program)
            return 1;
        checkLayout(report, *program, dpi);
        if (mode == L"behaviour")
            runKeyboardAndMouse(report, *program);
        else
            report.run("close button ends the program",
                       [&] { closeButtonEndsTheProgram(*program); });
    }
    if (mode == L"behaviour") {
        std::optional<Program> program;
        report.run("program starts again", [&] { program.emplace(path); });
        if (program)
            runMessages(report, *program);
    }
    return report.passed() ? 0 : 1;
}
