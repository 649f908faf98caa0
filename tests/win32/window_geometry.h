#pragma once

#include <windows.h>

#include <string>

// Where the window and its controls lie on the screen, and how the tests' report says it.
namespace tarvex::window_tests {

[[nodiscard]] inline RECT windowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

[[nodiscard]] inline RECT clientAreaOnScreen(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&client), 2);
    return client;
}

[[nodiscard]] inline bool contains(const RECT &outer, const RECT &inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

[[nodiscard]] inline std::string describe(const RECT &rect)
{
    return std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top) +
           " at " + std::to_string(rect.left) + "," + std::to_string(rect.top);
}

} // namespace tarvex::window_tests
