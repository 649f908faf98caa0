#pragma once

#include "core/cp936_record_text.h"
#include "design/texts.h"

#include <cstdint>
#include <string_view>
#include <utility>

// The notification-area icon's record as AddTrayIcon hands it to the shell, the same in both
// programs: the Windows program's record and its Unicode twin, and the Linux program's 488-byte
// record over Qt, all of the layout that ends with dwInfoFlags.
namespace tarvex::design {

// NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO: the record brings the callback message, the
// icon, the tool-tip and the balloon.
inline constexpr std::uint32_t kIconRecordFlags = 0x01 | 0x02 | 0x04 | 0x10;

// The texts AddTrayIcon is given for the record.
struct IconTexts
{
    std::u16string_view tip;
    std::u16string_view balloonTitle;
    std::u16string_view balloonText;
    std::int32_t balloonIconKind;
};

// Clears the record and fills it in the order of its fields, `size` its cbSize.
// `setText(member, text)` writes a text into one of its text members, cut to fit as the
// record's code page or UTF-16 requires.
template<typename Record, typename Window, typename Icon, typename SetText>
void fillIconRecord(Record &record, std::uint32_t size, Window window, Icon icon,
                    const IconTexts &texts, SetText &&setText)
{
    record = {};
    record.cbSize = size;
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = kIconRecordFlags;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    setText(record.szTip, texts.tip);
    record.dwState = 0;
    record.dwStateMask = 0;
    setText(record.szInfo, texts.balloonText);
    record.uTimeout = kBalloonMilliseconds;
    setText(record.szInfoTitle, texts.balloonTitle);
    record.dwInfoFlags = static_cast<std::uint32_t>(texts.balloonIconKind);
}

// The same for a record whose texts are in code page 936.
template<typename Record, typename Window, typename Icon>
void fillIconRecord(Record &record, std::uint32_t size, Window window, Icon icon,
                    const IconTexts &texts)
{
    fillIconRecord(record, size, window, icon, texts,
                   [](auto &member, std::u16string_view text) { setRecordText(member, text); });
}

} // namespace tarvex::design
