#include "design/key_decision.h"

#include <gtest/gtest.h>

#include <string_view>

namespace tarvex::design {
namespace {

struct BaseCase
{
    InputBase base;
    std::u16string_view allowed;
};

TEST(KeyDecision, eachBaseLetsThroughItsDigitsAndBackspaceOnly)
{
    const BaseCase cases[] = {
        {InputBase::Binary, u"\b01"},
        {InputBase::Octal, u"\b01234567"},
        {InputBase::Decimal, u"\b0123456789"},
    };
    for (const BaseCase &c : cases) {
        // Every code a key can type, and the signed codes around them.
        for (int code = -1; code <= 0x10000; ++code) {
            const bool passes = code > 0 && c.allowed.find(static_cast<char16_t>(code)) !=
                                                std::u16string_view::npos;
            ASSERT_EQ(filteredKeyCode(code, c.base), passes ? code : 0) << code;
        }
        EXPECT_FALSE(takesInputMethod(c.base));
    }
}

TEST(KeyDecision, hexadecimalLetsEverythingThrough)
{
    for (int code = -1; code <= 0x10000; ++code)
        ASSERT_EQ(filteredKeyCode(code, InputBase::Hexadecimal), code);
    EXPECT_TRUE(takesInputMethod(InputBase::Hexadecimal));
}

} // namespace
} // namespace tarvex::design
