#pragma once

// How the window is known from outside the program: by its class, and each control by
// kFirstControlId plus its index in the design's table. A second start finds the running window
// by these, and so do the tools that drive the window in the tests.
namespace tarvex::win32 {

inline constexpr const wchar_t *kWindowClassName = L"Tarvex.Form1";
// The mutex the running Tarvex holds, in the user session's own namespace.
inline constexpr const wchar_t *kSessionMutexName = L"Local\\Tarvex.Form1";
inline constexpr int kFirstControlId = 100;

} // namespace tarvex::win32
