#pragma once

#include "program.h"

#include <windows.h>

#include <string>

// Where the window and its controls are on the screen, as another program reads it.
namespace tarvex::driver {

inline std::string describe(const RECT &rect)
{
    return std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top) +
           " at " + std::to_string(rect.left) + "," + std::to_string(rect.top);
}

inline bool contains(const RECT &outer, const RECT &inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline RECT windowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// What the window is like: whether it is shown, minimised or maximised, and its size. Not its
// place: under Wine with openbox the window's place moves by a pixel while the window manager's
// frame reports trail in after the window is shown.
inline std::string windowState(HWND window)
{
    const RECT rect = windowRect(window);
    return std::string(IsWindowVisible(window) != FALSE ? "shown" : "hidden") +
           (IsIconic(window) != FALSE ? ", minimised" : "") +
           (IsZoomed(window) != FALSE ? ", maximised" : "") + ", " +
           std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top);
}

inline RECT clientAreaOnScreen(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&client), 2);
    return client;
}

// What `read` gives, read while the window stays where it is: under Wine with openbox the
// window moves by a pixel as the window manager's frame reports trail in after it is shown, and
// places read before and after such a move do not fit together.
template<typename Read> auto readWhileStill(const Program &program, Read &&read)
{
    decltype(read()) result{};
    program.waitUntil("the window to keep still while places are read", [&] {
        const RECT before = windowRect(program.window());
        result = read();
        const RECT after = windowRect(program.window());
        return EqualRect(&before, &after) != FALSE;
    });
    return result;
}

} // namespace tarvex::driver
