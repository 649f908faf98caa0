#include "window_steps.h"

#include "form1_design.h"
#include "user_input.h"
#include "window_cases.h"

#include <algorithm>
#include <array>
#include <chrono>

namespace tarvex::driver {

namespace {

// How long a click on the window is given to bring it in front before the next.
constexpr std::chrono::seconds kClickAnswer{3};

constexpr std::array<std::string_view, 4> kInputBases = {"Option1", "Option2", "Option3",
                                                         "Option4"};
constexpr std::array<std::string_view, 4> kOutputBases = {"Option5", "Option6", "Option7",
                                                          "Option8"};

} // namespace

std::vector<std::string_view> WindowSteps::tabStops() const
{
    std::vector<std::string_view> stops;
    for (const auto &group : {kInputBases, kOutputBases})
        for (const std::string_view option : group)
            if (m_program.isChecked(option))
                stops.push_back(option);
    stops.insert(stops.end(), cases::kTabStopsAfterTheBases.begin(),
                 cases::kTabStopsAfterTheBases.end());
    return stops;
}

std::string_view WindowSteps::nextTabStop(std::string_view after) const
{
    const std::vector<std::string_view> stops = tabStops();
    const auto at = std::ranges::find(stops, after);
    if (at == stops.end())
        throw Failure(std::string(after) + " is no tab stop");
    return std::next(at) == stops.end() ? stops.front() : *std::next(at);
}

std::string_view WindowSteps::focusName() const
{
    const HWND focus = m_program.focus();
    for (const design::Control &control : design::kControls)
        if (m_program.control(control.name) == focus)
            return control.name;
    throw Failure("the focus is on " + m_program.nameOf(focus) + ", no control of the window");
}

void WindowSteps::activateByClick() const
{
    const HWND window = m_program.window();
    const auto inFront = [&] { return GetForegroundWindow() == window && aControlHasTheFocus(); };
    // The design leaves a strip free of controls along the client area's right and bottom edges,
    // so that a click there does nothing but bring the window in front, and a second click is
    // as harmless as the first: one lost while Wine moves its foreground is made again.
    m_program.waitUntil("the window to be in front with a control focused after a click", [&] {
        if (inFront())
            return true;
        RECT client{};
        GetClientRect(window, &client);
        POINT corner{client.right - 1, client.bottom - 1};
        ClientToScreen(window, &corner);
        clickAt(corner);
        return holdsWithin(kClickAnswer, inFront);
    });
}

// A control, not a message box: GetParent gives a box's owner.
bool WindowSteps::isControl(HWND window) const
{
    return window != nullptr && GetAncestor(window, GA_PARENT) == m_program.window();
}

bool WindowSteps::aControlHasTheFocus() const
{
    return isControl(m_program.focus());
}

void WindowSteps::focusByClick(std::string_view name)
{
    const HWND control = m_program.control(name);
    RECT rect{};
    GetWindowRect(control, &rect);
    const int third = (rect.right - rect.left) / 3;
    clickAt({m_clickLeft ? rect.left + third : rect.right - third, (rect.top + rect.bottom) / 2});
    m_clickLeft = !m_clickLeft;
    m_program.waitUntil("a click to give " + std::string(name) + " the focus",
                        [&] { return m_program.focus() == control; });
}

void WindowSteps::pressTab() const
{
    activateByClick();
    const std::string_view next = nextTabStop(focusName());
    const HWND expected = m_program.control(next);
    pressKey(VK_TAB);
    m_program.waitUntil("Tab to move the focus on to " + std::string(next), [&] {
        failOnMessageBox();
        return m_program.focus() == expected;
    });
}

void WindowSteps::focusByTab(std::string_view name) const
{
    const std::size_t stops = tabStops().size();
    for (std::size_t pressed = 0; pressed < stops && focusName() != name; ++pressed)
        pressTab();
    if (focusName() != name)
        throw Failure("Tab never reached " + std::string(name));
}

void WindowSteps::moveFocusTo(std::string_view name) const
{
    const HWND target = m_program.control(name);
    const std::size_t stops = tabStops().size();
    for (std::size_t posted = 0; posted <= stops && m_program.focus() != target; ++posted) {
        const HWND before = m_program.focus();
        postTab();
        m_program.waitUntil("Tab to move the focus from " + m_program.nameOf(before),
                            [&] { return m_program.focus() != before; });
    }
    if (m_program.focus() != target)
        throw Failure("Tab never reached " + std::string(name));
}

void WindowSteps::postTab() const
{
    PostMessageW(m_program.window(), WM_KEYDOWN, VK_TAB, 1);
}

void WindowSteps::failOnMessageBox() const
{
    const HWND box = shownMessageBox(m_program.threadId());
    if (box == nullptr)
        return;
    const ShownMessageBox shown = readMessageBox(box);
    pressOk(box);
    throw Failure("a message box showed " + quoted(shown.text));
}

// While the command runs, the Tab posted behind the click waits; a message box's own loop
// takes it and passes it to the window, which does nothing with it there. So Tab is posted
// again behind every OK, once the window has given the focus back to the button, and the focus
// moving on from the button shows that the command has ended, with every message box it showed
// answered.
std::vector<ShownMessageBox> WindowSteps::clickAndAnswer(std::string_view button) const
{
    moveFocusTo(button);
    const HWND clicked = m_program.control(button);
    std::vector<ShownMessageBox> shown;
    PostMessageW(clicked, BM_CLICK, 0, 0);
    postTab();
    m_program.waitUntil("the command of " + std::string(button) + " to end", [&] {
        if (const HWND box = shownMessageBox(m_program.threadId()); box != nullptr) {
            shown.push_back(readMessageBox(box));
            pressOk(box);
            // Under Wine the window is activated again, and its focus put back, in several
            // steps after the box has gone; a Tab handled between them finds no focus.
            bool anotherBox = false;
            m_program.waitUntil("the focus back in the window after OK", [&] {
                anotherBox = shownMessageBox(m_program.threadId()) != nullptr;
                return anotherBox || aControlHasTheFocus();
            });
            if (!anotherBox)
                postTab();
            return false;
        }
        // The focus is read once: it may move between two looks.
        const HWND focus = m_program.focus();
        return isControl(focus) && focus != clicked;
    });
    return shown;
}

void WindowSteps::closeMenu() const
{
    m_program.send(m_program.window(), WM_CANCELMODE, 0, 0);
    m_program.waitUntil("the menu to close", [this] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(m_program.threadId(), &info);
        return shownPopupMenu(m_program.threadId()) == nullptr &&
               (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) == 0;
    });
}

// The selection of an output box tells the posted message from any other: the box holds a text
// of its own, whose selection moves on by one character with every call.
void WindowSteps::waitUntilPostedMessagesHandled() const
{
    constexpr std::u16string_view kMarks = u"posted";
    const HWND box = m_program.control("Text4");
    if (m_program.text(box) != kMarks)
        m_program.setText("Text4", kMarks);
    DWORD start = 0;
    m_program.send(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const DWORD mark = start % (kMarks.size() - 1) + 1;
    PostMessageW(box, EM_SETSEL, mark, mark + 1);
    m_program.waitUntil("the program to handle the messages posted to it", [&] {
        DWORD selected = 0;
        m_program.send(box, EM_GETSEL, reinterpret_cast<WPARAM>(&selected), 0);
        return selected == mark;
    });
}

void WindowSteps::recover() const
{
    if (!m_program.isRunning())
        return;
    while (const HWND box = shownMessageBox(m_program.threadId()))
        pressOk(box);
    if (shownPopupMenu(m_program.threadId()) != nullptr)
        closeMenu();
}

} // namespace tarvex::driver
