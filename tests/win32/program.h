#pragma once

#include "waiting.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace tarvex::driver {

// tarvex.exe, started and looked at from outside as a user's tools would: its window found by
// class and title, its controls by their identifiers (100 plus their index in the design's
// table), texts read and written with window messages, and the keyboard focus of its thread.
class Program
{
public:
    // Starts the program and waits until its window is shown.
    explicit Program(const std::wstring &path);
    // A program still running is ended, so that no run leaves one behind.
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    [[nodiscard]] HWND window() const { return m_window; }
    [[nodiscard]] DWORD threadId() const { return m_threadId; }
    // The control of that name in the design; throws Failure when the window has none.
    [[nodiscard]] HWND control(std::string_view name) const;
    // The control's name in the design, or what else the window is, for the report.
    [[nodiscard]] std::string nameOf(HWND window) const;

    // The window of the program's thread that has the keyboard focus.
    [[nodiscard]] HWND focus() const;
    [[nodiscard]] std::u16string text(HWND window) const;
    [[nodiscard]] std::u16string text(std::string_view name) const { return text(control(name)); }
    void setText(std::string_view name, std::u16string_view text) const;
    [[nodiscard]] bool isChecked(std::string_view name) const;
    // A click on a radio button, which runs nothing that waits for the user.
    void choose(std::string_view option) const;

    // Waits for the state as waitUntil does, failing at once when the program has ended, and
    // saying where the focus was when the bound was reached.
    template<typename Condition> void waitUntil(std::string_view what, Condition &&holds) const
    {
        try {
            driver::waitUntil(what, [&] {
                if (!isRunning())
                    throw Failure("the program ended while waiting for " + std::string(what));
                return holds();
            });
        } catch (const Failure &failure) {
            throw Failure(failure.what() + std::string("; the focus is on ") + nameOf(focus()) +
                          ", the window in front is " + nameOf(GetForegroundWindow()));
        }
    }

    [[nodiscard]] bool isRunning() const;
    // Waits until the program has ended, and gives its exit status.
    [[nodiscard]] DWORD exitStatus() const;

    // Sends a message and returns the program's answer; fails if the program gives none.
    LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    struct HandleCloser
    {
        void operator()(HANDLE handle) const { CloseHandle(handle); }
    };
    std::unique_ptr<void, HandleCloser> m_process;
    DWORD m_processId = 0;
    HWND m_window = nullptr;
    DWORD m_threadId = 0;
};

} // namespace tarvex::driver
