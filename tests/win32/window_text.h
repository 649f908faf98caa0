#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The texts of windows as the tests read them, and as their report prints them.
namespace tarvex::window_tests {

[[nodiscard]] inline std::u16string textOf(HWND window)
{
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    const int length = GetWindowTextW(window, reinterpret_cast<wchar_t *>(text.data()),
                                      static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// UTF-8, as the report prints texts.
[[nodiscard]] inline std::string utf8(std::u16string_view text)
{
    if (text.empty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int units = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, units, out.data(), bytes, nullptr, nullptr);
    return out;
}

} // namespace tarvex::window_tests
