#include "design/announcement.h"

namespace tarvex::design {

namespace {

[[nodiscard]] bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

[[nodiscard]] bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code points of a text, a surrogate pair counting once.
[[nodiscard]] std::size_t characterCount(std::u16string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(isLowSurrogate(text[i]) && i > 0 && isHighSurrogate(text[i - 1])))
            ++count;
    }
    return count;
}

// The UTF-16 length of the first `characters` code points of a text.
[[nodiscard]] std::size_t unitsOfFirst(std::u16string_view text, std::size_t characters)
{
    std::size_t i = 0;
    for (std::size_t taken = 0; taken < characters && i < text.size(); ++taken) {
        const bool pair =
            isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
        i += pair ? 2 : 1;
    }
    return i;
}

[[nodiscard]] std::u16string decimal(std::size_t value)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

} // namespace

std::u16string resultAnnouncement(std::u16string_view boxName, std::u16string_view text)
{
    std::u16string announcement(boxName);
    if (text.empty())
        return announcement;
    announcement += u'：';
    const std::size_t characters = characterCount(text);
    if (characters <= kAnnouncedCharacters) {
        announcement += text;
        return announcement;
    }
    announcement += text.substr(0, unitsOfFirst(text, kAnnouncedCharacters));
    announcement += u"…（共 ";
    announcement += decimal(characters);
    announcement += u" 个字符）";
    return announcement;
}

} // namespace tarvex::design
