#pragma once

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace tarvex {

// One open iconv conversion, closed when the object goes. Only the table generator uses iconv:
// the program carries the tables it makes and calls no converter at run time.
class IconvConverter
{
public:
    // Throws std::system_error when the C library has no such conversion.
    IconvConverter(const char *toCode, const char *fromCode);
    ~IconvConverter();

    IconvConverter(const IconvConverter &) = delete;
    IconvConverter &operator=(const IconvConverter &) = delete;

    // Converts `input` as one whole unit: its bytes in the target encoding, or nullopt when the
    // input is not entirely convertible (an invalid or incomplete sequence, or a character the
    // target cannot represent). The shift state is reset before each call.
    [[nodiscard]] std::optional<std::string> convert(std::span<const std::byte> input);

private:
    iconv_t m_handle;
};

} // namespace tarvex
