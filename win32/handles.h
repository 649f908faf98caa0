#pragma once

#include "win32/windows_headers.h"

#include <memory>
#include <type_traits>

// Owners of the handles and GDI objects the program makes: each is given back to the system
// when its owner goes.
namespace tarvex::win32 {

template<auto release> struct HandleReleaser
{
    template<typename Handle> void operator()(Handle handle) const { release(handle); }
};

template<typename Handle, auto release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, HandleReleaser<release>>;

using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedHandle = Owned<HANDLE, CloseHandle>;

// A window, destroyed when its owner goes unless it has gone already. Its window procedure
// gives the handle to the owner at WM_NCCREATE, for the messages that come before
// CreateWindowExW returns, and takes it back at WM_NCDESTROY: the handle stays valid through
// every message of the window's destruction, and a window that its user or its Exit command
// destroyed is not destroyed again.
class OwnedWindow
{
public:
    OwnedWindow() = default;
    ~OwnedWindow()
    {
        if (m_window != nullptr)
            DestroyWindow(m_window);
    }
    OwnedWindow(const OwnedWindow &) = delete;
    OwnedWindow &operator=(const OwnedWindow &) = delete;

    [[nodiscard]] HWND get() const { return m_window; }
    void take(HWND window) { m_window = window; }
    void letGo() { m_window = nullptr; }

private:
    HWND m_window = nullptr;
};

// A device context taken from a window (or the screen, for a null window), given back when
// the owner goes, with the GDI object selected into it put back first.
class WindowDc
{
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc()
    {
        if (m_previous != nullptr)
            SelectObject(m_dc, m_previous);
        ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc &) = delete;
    WindowDc &operator=(const WindowDc &) = delete;

    [[nodiscard]] HDC get() const { return m_dc; }
    void select(HGDIOBJ object)
    {
        const HGDIOBJ previous = SelectObject(m_dc, object);
        if (m_previous == nullptr)
            m_previous = previous;
    }

private:
    HWND m_window;
    HDC m_dc;
    HGDIOBJ m_previous = nullptr;
};

} // namespace tarvex::win32
