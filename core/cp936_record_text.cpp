#include "core/cp936_record_text.h"

#include "core/cp936.h"

#include <algorithm>

namespace tarvex {

void setRecordText(std::span<char> member, std::u16string_view text)
{
    std::ranges::fill(member, ' ');
    std::size_t used = 0;
    for (const char16_t unit : text) {
        const std::uint16_t code = Cp936::code(unit);
        const std::size_t length = code > 0xFF ? 2 : 1;
        if (used + length + 1 > member.size())
            break;
        if (length == 2)
            member[used++] = static_cast<char>(code >> 8);
        member[used++] = static_cast<char>(code & 0xFF);
    }
    member[used] = '\0';
}

std::u16string recordText(std::span<const char> member)
{
    const auto end = std::ranges::find(member, '\0');
    return Cp936::decode({member.data(), static_cast<std::size_t>(end - member.begin())});
}

} // namespace tarvex
