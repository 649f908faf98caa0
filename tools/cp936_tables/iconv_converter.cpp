#include "iconv_converter.h"

#include <array>
#include <cerrno>
#include <system_error>

namespace tarvex {

namespace {

const iconv_t kInvalidHandle = reinterpret_cast<iconv_t>(-1); // NOLINT: iconv's own error value

} // namespace

IconvConverter::IconvConverter(const char *toCode, const char *fromCode)
    : m_handle(iconv_open(toCode, fromCode))
{
    if (m_handle == kInvalidHandle)
        throw std::system_error(errno, std::generic_category(),
                                std::string("iconv_open ") + fromCode + " to " + toCode);
}

IconvConverter::~IconvConverter()
{
    iconv_close(m_handle);
}

std::optional<std::string> IconvConverter::convert(std::span<const std::byte> input)
{
    iconv(m_handle, nullptr, nullptr, nullptr, nullptr);

    // iconv's interface takes non-const input pointers but never writes through them.
    auto *in = const_cast<char *>(reinterpret_cast<const char *>(input.data())); // NOLINT
    std::size_t inLeft = input.size();
    std::string output;
    std::array<char, 64> buffer{};
    while (inLeft > 0) {
        char *out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t converted = iconv(m_handle, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), buffer.size() - outLeft);
        if (converted == static_cast<std::size_t>(-1) && errno != E2BIG)
            return std::nullopt;
    }
    return output;
}

} // namespace tarvex
