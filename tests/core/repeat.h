#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvex {

// `unit` `count` times over: the long inputs and results of the core's tables.
[[nodiscard]] inline std::u16string repeat(std::u16string_view unit, std::size_t count)
{
    std::u16string text;
    text.reserve(unit.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        text += unit;
    return text;
}

} // namespace tarvex
