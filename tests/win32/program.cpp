#include "program.h"

#include "form1_design.h"
#include "win32/window_identity.h"

#include <algorithm>
#include <vector>

namespace tarvex::driver {

namespace {

using win32::kFirstControlId;
using win32::kWindowClassName;

std::wstring wide(std::u16string_view text)
{
    return {reinterpret_cast<const wchar_t *>(text.data()), text.size()};
}

} // namespace

Program::Program(const std::wstring &path)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + path + L"\"";
    // Wine 8 was seen to refuse a start with an internal error, once in some hundred starts,
    // right after the program's previous run had ended; nothing was started, and the next
    // attempt starts it.
    DWORD error = 0;
    const bool didStart = holdsWithin(kBound, [&] {
        if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &started) != FALSE)
            return true;
        error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR)
            throw Failure("the program did not start (error " + std::to_string(error) + ")");
        return false;
    });
    if (!didStart)
        throw Failure("the program did not start (error " + std::to_string(error) + ")");
    CloseHandle(started.hThread);
    m_process.reset(started.hProcess);
    m_processId = started.dwProcessId;

    const std::wstring title = wide(design::kWindowCaption);
    waitUntil("the window of class Tarvex.Form1 and the program's title to be shown", [&] {
        for (HWND found = FindWindowExW(nullptr, nullptr, kWindowClassName, title.c_str());
             found != nullptr;
             found = FindWindowExW(nullptr, found, kWindowClassName, title.c_str())) {
            DWORD processId = 0;
            const DWORD threadId = GetWindowThreadProcessId(found, &processId);
            if (processId == m_processId && IsWindowVisible(found) != FALSE) {
                m_window = found;
                m_threadId = threadId;
                return true;
            }
        }
        return false;
    });
}

Program::~Program()
{
    if (isRunning()) {
        TerminateProcess(m_process.get(), 1);
        WaitForSingleObject(m_process.get(), INFINITE);
    }
}

HWND Program::control(std::string_view name) const
{
    const std::size_t index = design::indexOf(name);
    HWND found = GetDlgItem(m_window, kFirstControlId + static_cast<int>(index));
    if (index == design::kControls.size() || found == nullptr)
        throw Failure("the window has no control " + std::string(name));
    return found;
}

std::string Program::nameOf(HWND window) const
{
    if (window == nullptr)
        return "nothing";
    if (window == m_window)
        return "the window itself";
    if (GetAncestor(window, GA_PARENT) == m_window) {
        const int index = GetDlgCtrlID(window) - kFirstControlId;
        if (index >= 0 && static_cast<std::size_t>(index) < design::kControls.size())
            return std::string(design::kControls[static_cast<std::size_t>(index)].name);
    }
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    return "a window of class " + utf8(reinterpret_cast<const char16_t *>(className));
}

HWND Program::focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(m_threadId, &info) != FALSE ? info.hwndFocus : nullptr;
}

// Messages go with a bound: a program that does not answer fails the case rather than hangs
// the driver.
LRESULT Program::send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(kBound.count() * 1000), &result) == 0)
        throw Failure("the program did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

std::u16string Program::text(HWND window) const
{
    const auto length = static_cast<std::size_t>(send(window, WM_GETTEXTLENGTH, 0, 0));
    std::vector<wchar_t> buffer(length + 1);
    const auto copied = static_cast<std::size_t>(
        send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
    return {reinterpret_cast<const char16_t *>(buffer.data()), std::min(copied, length)};
}

void Program::setText(std::string_view name, std::u16string_view text) const
{
    const std::wstring zeroTerminated = wide(text);
    send(control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(zeroTerminated.c_str()));
}

bool Program::isChecked(std::string_view name) const
{
    return send(control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Program::choose(std::string_view option) const
{
    send(control(option), BM_CLICK, 0, 0);
    if (!isChecked(option))
        throw Failure("a click on " + std::string(option) + " did not choose it");
}

bool Program::isRunning() const
{
    return WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

DWORD Program::exitStatus() const
{
    driver::waitUntil("the program to end", [this] { return !isRunning(); });
    DWORD status = 0;
    GetExitCodeProcess(m_process.get(), &status);
    return status;
}

} // namespace tarvex::driver
