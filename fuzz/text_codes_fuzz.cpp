// Feeds arbitrary UTF-16 (lone surrogates and U+0000 included) to both text-code conversions
// and checks what must hold for any text: codes are upper-case hexadecimal of bounded length,
// each group of codes gives at most two characters, and the codes of a text made only of
// two-byte characters give that text back; the same for raw code page 936 bytes.
#include "core/cp936.h"
#include "core/text_codes.h"
#include "fuzz_input.h"

#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace tarvex;
    fuzzing::FuzzInput input(data, size);
    const std::u16string text = input.text(40000);

    const std::u16string codes = TextToHexCodes(text);
    require(codes.size() >= text.size() && codes.size() <= 4 * text.size());
    for (char16_t ch : codes)
        require((ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F'));

    const std::u16string decoded = HexCodesToText(text);
    require(decoded.size() <= 2 * ((text.size() + 3) / 4));

    std::u16string twoByteOnly;
    for (char16_t ch : text)
        if (Cp936::code(ch) > 0xFF)
            twoByteOnly.push_back(ch);
    require(HexCodesToText(TextToHexCodes(twoByteOnly)) == twoByteOnly);

    // The same bytes read as code page 936 text: never more characters than bytes, and the
    // text of encodable characters comes back from its bytes.
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    require(Cp936::decode(bytes).size() <= bytes.size());
    std::string twoByteBytes;
    for (char16_t ch : twoByteOnly) {
        twoByteBytes.push_back(static_cast<char>(Cp936::code(ch) >> 8));
        twoByteBytes.push_back(static_cast<char>(Cp936::code(ch) & 0xFF));
    }
    require(Cp936::decode(twoByteBytes) == twoByteOnly);
    return 0;
}
