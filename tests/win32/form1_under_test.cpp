#include "form1_under_test.h"

#include "user_input.h"
#include "window_text.h"

#include <array>
#include <stdexcept>

namespace tarvex::window_tests {

namespace {

// The key each press ends with: the loop here takes it out, the window never sees it, and once
// it has come through, so has every key sent before it.
constexpr WORD kMarkerKey = VK_F24;

bool isMarker(const MSG &message)
{
    return (message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
           message.wParam == kMarkerKey;
}

} // namespace

void dropQuitRequests()
{
    MSG quit{};
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE) {
    }
}

HWND controlOf(HWND window, design::ControlId id)
{
    return GetDlgItem(window, win32::kFirstControlId + static_cast<int>(design::indexOf(id)));
}

Form1UnderTest::Form1UnderTest(Showing showing)
    : m_form(std::make_unique<win32::Form1>(GetModuleHandleW(nullptr))), m_window(m_form->handle())
{
    switch (showing) {
    case Showing::AsTheProgramDoes:
        m_form->show(SW_SHOWNORMAL);
        break;
    case Showing::WithoutItsIcon:
        ShowWindow(m_window, SW_SHOWNORMAL);
        break;
    case Showing::Drawn:
        ShowWindow(m_window, SW_SHOWNOACTIVATE);
        break;
    }
}

Form1UnderTest::~Form1UnderTest()
{
    m_form.reset();
    dropQuitRequests();
}

std::string Form1UnderTest::nameOf(HWND window) const
{
    if (window == nullptr)
        return "nothing";
    if (window == m_window)
        return "the window itself";
    for (const design::Control &control : design::kControls)
        if (controlOf(m_window, control.id) == window)
            return std::string(control.name);
    std::array<wchar_t, 64> className{};
    GetClassNameW(window, className.data(), static_cast<int>(className.size()));
    return "a window of class " + utf8(reinterpret_cast<const char16_t *>(className.data()));
}

std::u16string Form1UnderTest::text(design::ControlId name) const
{
    return textOf(control(name));
}

void Form1UnderTest::setText(design::ControlId name, std::u16string_view text) const
{
    const std::u16string zeroTerminated(text);
    SetWindowTextW(control(name), reinterpret_cast<const wchar_t *>(zeroTerminated.c_str()));
}

bool Form1UnderTest::isChecked(design::ControlId name) const
{
    return SendMessageW(control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form1UnderTest::choose(design::ControlId option) const
{
    SendMessageW(control(option), BM_CLICK, 0, 0);
}

void Form1UnderTest::click(design::ControlId button) const
{
    SendMessageW(control(button), BM_CLICK, 0, 0);
}

::testing::AssertionResult Form1UnderTest::bringInFront()
{
    return pumpUntil("the window to come in front", [&] {
        if (GetForegroundWindow() == m_window)
            return true;
        SetForegroundWindow(m_window);
        return false;
    });
}

::testing::AssertionResult Form1UnderTest::focus(design::ControlId name)
{
    if (auto inFront = bringInFront(); !inFront)
        return inFront;
    const HWND target = control(name);
    return pumpUntil("the focus on " + std::string(design::nameOf(name)), [&] {
        if (GetFocus() != target)
            SetFocus(target);
        return GetFocus() == target;
    });
}

::testing::AssertionResult Form1UnderTest::press(std::vector<INPUT> keys)
{
    if (auto inFront = bringInFront(); !inFront)
        return inFront;
    const std::vector<INPUT> marker = keyPress(kMarkerKey);
    keys.insert(keys.end(), marker.begin(), marker.end());
    const std::size_t awaited = m_markers + 1;
    sendInput(std::move(keys));
    bool leftFront = false;
    auto handled = pumpUntil("the window to handle the keys pressed", [&] {
        leftFront = leftFront || GetForegroundWindow() != m_window;
        return m_markers >= awaited;
    });
    if (!handled && leftFront)
        handled << "; the window left the front while they were on their way";
    return handled;
}

void Form1UnderTest::handleWaitingMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            m_quit = message.wParam;
        } else if (isMarker(message)) {
            m_markers += message.message == WM_KEYUP ? 1 : 0;
        } else if (!m_form->handleDialogKey(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// Returns when a message comes, or after a moment, for conditions no message tells of.
void Form1UnderTest::waitForMessage()
{
    MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

} // namespace tarvex::window_tests
