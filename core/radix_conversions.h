#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

// The working strings of the radix converter and the twelve conversion methods that work on
// them. The window owns one of these for its whole life; the methods without arguments take
// their digits from strSource and leave their result in strResult, exactly as the Convert
// command expects to find them.
//
// Each method may throw OverflowError (only z10_2 never does). A failing method stops at that
// point, and the working strings keep whatever it had written to them until then: callers rely
// on that state, so no method cleans up after a failure.
//
// Lengths and positions inside the digit-group methods behave as signed 16-bit counters: an
// input too long for them fails with OverflowError at the point where the counter would
// overflow, not up front.
class RadixConversions
{
public:
    std::u16string strSource;
    std::u16string strResult;
    std::u16string strBinary;

    // Digit groups: hexadecimal and octal to and from binary, and between each other through
    // binary. Digits that are not in a method's table are passed over silently.
    void z16_2();
    void z8_2();
    void z2_16();
    void z2_8();
    void z8_16();
    void z16_8();

    // Values through decimal.
    [[nodiscard]] static std::u16string z10_2(std::int32_t varNum);
    [[nodiscard]] static std::u16string z2_10(std::u16string_view varString);
    void z16_10();
    void z8_10();
    // These two read the decimal input box themselves; the caller hands in its current text.
    void z10_16(std::u16string_view text1);
    void z10_8(std::u16string_view text1);
};

} // namespace tarvex
