#pragma once

#include <stdexcept>

namespace tarvex {

// The one failure of the radix conversions: a value left the range of the integer type that
// holds it (a 16-bit position or length, a 32-bit value), or a power of two left the range of a
// double. It ends the failing method at once; the working strings keep what was written so far.
class OverflowError : public std::overflow_error
{
public:
    OverflowError() : std::overflow_error("value out of range") {}
};

} // namespace tarvex
