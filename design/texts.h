#pragma once

#include <cstdint>
#include <string_view>

// The program's fixed texts beyond its controls' captions, and the numbers of its
// notification-area icon: the same for the Qt program and the Win32 one.
namespace tarvex::design {

inline constexpr std::u16string_view kTrayTip = u"移动显示";
inline constexpr std::u16string_view kBalloonTitle = u"Tarvex 1.0版";
inline constexpr std::u16string_view kBalloonText = u"Olmira作品: 欢迎大家使用！";
// NIIF_WARNING: the balloon shows a warning sign.
inline constexpr std::int32_t kBalloonIconKind = 2;

// The message the icon's mouse events reach the window as (the mouse message is its lParam),
// and the icon's identifier.
inline constexpr std::uint32_t kTrayCallbackMessage = 2025;
inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kBalloonMilliseconds = 10000;

// The icon's menu: 显示 (its default item) shows the window at normal size in front, 退出 ends
// the program as the window's Exit button does.
inline constexpr std::u16string_view kMenuShow = u"显示";
inline constexpr std::u16string_view kMenuExit = u"退出";

// What a window command that could not be carried out tells the user.
inline constexpr std::u16string_view kCommandFailedNoMemory = u"内存不足，无法完成转换";
inline constexpr std::u16string_view kCommandFailed = u"转换失败";

} // namespace tarvex::design
