#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvex::fuzzing {

// Hands out the fuzzer's bytes as small numbers and UTF-16 strings, biased towards the
// characters the conversions care about so that the fuzzer reaches the interesting paths fast.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    [[nodiscard]] bool empty() const { return m_pos >= m_size; }

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    // A string of up to `maxLength` units: each unit is a digit, a letter, a blank or sign,
    // an arbitrary code unit (lone surrogates and U+0000 included), or a run of one digit.
    std::u16string text(std::size_t maxLength)
    {
        static constexpr std::u16string_view common = u"0123456789ABCDEFabcdefxX +-.,eE\t\n\r中";
        std::u16string out;
        const std::size_t length =
            (static_cast<std::size_t>(byte()) << 8 | byte()) % (maxLength + 1);
        while (out.size() < length && !empty()) {
            const std::uint8_t kind = byte();
            if (kind < 200) {
                out.push_back(common[kind % common.size()]);
            } else if (kind < 240) {
                out.push_back(static_cast<char16_t>(byte() << 8 | byte()));
            } else {
                const std::size_t run = std::min<std::size_t>(length - out.size(), byte() * 64U);
                out.append(run, common[byte() % 16]);
            }
        }
        return out;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace tarvex::fuzzing
