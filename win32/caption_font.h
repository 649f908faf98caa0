#pragma once

#include "win32/windows_headers.h"

namespace tarvex::win32 {

// The font the window's controls draw their captions in: the desktop's message font where it has
// a glyph for every character of the captions, as on a Chinese Windows; elsewhere (an English
// Windows' Segoe UI, Wine's Tahoma) a Chinese UI font of the same size that has them, so that
// the captions are drawn, and measured, in the glyphs the user sees. Microsoft YaHei UI comes
// first, then SimSun, then any face of the GB2312 character set. Where none has them the message
// font stays.
[[nodiscard]] LOGFONTW captionFont(const LOGFONTW &messageFont);

} // namespace tarvex::win32
