#pragma once

#include "design/form1_design.h"
#include "modal_answerer.h"
#include "win32/form1.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::window_tests {

// The DPI this run of the tests was started for (--dpi=N, 96 when not given).
[[nodiscard]] UINT dpiOfTheRun();

// Takes the requests to end the message loop that a window destroyed has left behind: they would
// end the message boxes of later tests.
void dropQuitRequests();

// The window's control of that identity in the design: the window numbers its controls
// kFirstControlId plus their row in the design's table.
[[nodiscard]] HWND controlOf(HWND window, design::ControlId id);

// The Win32 window made in the test's own process and shown, and the program's message loop
// run here, each key handed to the window's dialog keys first as the program's loop does,
// until what a test awaits holds. A message box or menu shown meanwhile is answered by the
// ModalAnswerer.
class Form1UnderTest
{
public:
    enum class Showing {
        // With its Load step, which puts the icon in the notification area and the icon's hook
        // in place, as the program shows it.
        AsTheProgramDoes,
        // Without the Load step, and so without the icon, in front.
        WithoutItsIcon,
        // Without the Load step and without taking the focus: only what the window draws.
        Drawn,
    };

    explicit Form1UnderTest(Showing showing = Showing::AsTheProgramDoes);
    // Destroys the window, if it is still there, and takes the WM_QUIT it leaves behind.
    ~Form1UnderTest();
    Form1UnderTest(const Form1UnderTest &) = delete;
    Form1UnderTest &operator=(const Form1UnderTest &) = delete;

    // The window as it was made: still its handle once it is destroyed, for IsWindow.
    [[nodiscard]] HWND window() const { return m_window; }
    [[nodiscard]] HWND control(design::ControlId id) const { return controlOf(m_window, id); }
    // The control's name in the design, or what else the window is, for the report.
    [[nodiscard]] std::string nameOf(HWND window) const;
    [[nodiscard]] std::string focusName() const { return nameOf(GetFocus()); }

    [[nodiscard]] std::u16string text(design::ControlId id) const;
    void setText(design::ControlId id, std::u16string_view text) const;
    [[nodiscard]] bool isChecked(design::ControlId id) const;
    // A click on a radio button.
    void choose(design::ControlId option) const;
    // A click on a push button: returns once its command, message boxes answered, has ended.
    void click(design::ControlId button) const;

    // Brings the window in front, where the keyboard's input goes.
    [[nodiscard]] ::testing::AssertionResult bringInFront();
    // Brings the window in front and gives the control the focus.
    [[nodiscard]] ::testing::AssertionResult focus(design::ControlId id);
    // Sends the keys with the window in front, and returns once the window has handled them.
    [[nodiscard]] ::testing::AssertionResult press(std::vector<INPUT> keys);

    // Handles the thread's messages as the program's loop does until `holds`; fails, saying
    // what was awaited, once the bound has passed, which only a broken window reaches.
    template<typename Condition>
    [[nodiscard]] ::testing::AssertionResult pumpUntil(std::string_view what, Condition &&holds)
    {
        const auto deadline = std::chrono::steady_clock::now() + kBound;
        for (;;) {
            handleWaitingMessages();
            if (holds())
                return ::testing::AssertionSuccess();
            if (std::chrono::steady_clock::now() >= deadline)
                return ::testing::AssertionFailure()
                       << "gave up after " << kBound.count() << " s waiting for " << what
                       << "; the focus is on " << focusName() << ", the window in front is "
                       << nameOf(GetForegroundWindow());
            waitForMessage();
        }
    }

    // The status the message loop ended with, once the window has ended it (WM_QUIT).
    [[nodiscard]] std::optional<WPARAM> quitStatus() const { return m_quit; }

    [[nodiscard]] ModalAnswerer &answerer() { return m_answerer; }

private:
    static constexpr std::chrono::seconds kBound{30};

    void handleWaitingMessages();
    static void waitForMessage();

    ModalAnswerer m_answerer;
    std::unique_ptr<win32::Form1> m_form;
    HWND m_window;
    std::optional<WPARAM> m_quit;
    // Marker keys the window has handled: each press ends with one.
    std::size_t m_markers = 0;
};

} // namespace tarvex::window_tests
