#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarvex {

// Texts in fixed-size members of a record, in code page 936, as the notification-area record
// holds them: the text's bytes, one NUL, then blanks to the end of the member.

// Stores `text` in the member. A text too long for it is cut after the last whole character
// that leaves room for the NUL, so a two-byte character is never split.
void setRecordText(std::span<char> member, std::u16string_view text);

// The text of a member: its bytes up to the NUL, decoded from code page 936.
[[nodiscard]] std::u16string recordText(std::span<const char> member);

} // namespace tarvex
