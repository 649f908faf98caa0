#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// What a screen reader is told when a command writes an output box, the same in both windows:
// the focus stays on the button, and a box without the focus changes silently otherwise.
namespace tarvex::design {

// A result longer than this many characters is told by its beginning and its length: a
// screen reader speaks a hexadecimal page for minutes and cannot be stopped halfway by a user
// who only wanted to know that the conversion worked.
inline constexpr std::size_t kAnnouncedCharacters = 200;

// The box's accessible name, then its new text: "输出结果框：31"; the name alone for an empty
// text; for a long one its first kAnnouncedCharacters characters (whole code points) and its
// length, "输出十六进制结果：D6D0…（共 4000 个字符）".
[[nodiscard]] std::u16string resultAnnouncement(std::u16string_view boxName,
                                                std::u16string_view text);

} // namespace tarvex::design
