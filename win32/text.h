#pragma once

#include "win32/windows_headers.h"

#include <string>
#include <string_view>

// Text as the core holds it (UTF-16 in char16_t) and as Windows holds it (UTF-16 in wchar_t):
// the same code units, so they pass unchanged.
namespace tarvex::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// For the calls that read up to a U+0000: only a string is sure to end with one.
[[nodiscard]] inline const wchar_t *wide(const std::u16string &text)
{
    return reinterpret_cast<const wchar_t *>(text.c_str());
}

// For the calls that are given the length as well.
[[nodiscard]] inline const wchar_t *wideData(std::u16string_view text)
{
    return reinterpret_cast<const wchar_t *>(text.data());
}

// A window's text, whatever its length.
[[nodiscard]] std::u16string windowText(HWND window);

// A zero-terminated copy, for the calls that need one.
[[nodiscard]] inline std::wstring wideString(std::u16string_view text)
{
    return {wideData(text), text.size()};
}

} // namespace tarvex::win32
