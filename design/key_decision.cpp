#include "design/key_decision.h"

namespace tarvex::design {

namespace {

constexpr int kBackspace = 8;

} // namespace

int filteredKeyCode(int code, InputBase base)
{
    const auto allowUpTo = [code](int lastDigit) {
        return code == kBackspace || (code >= '0' && code <= lastDigit) ? code : 0;
    };
    switch (base) {
    case InputBase::Binary:
        return allowUpTo('1');
    case InputBase::Octal:
        return allowUpTo('7');
    case InputBase::Decimal:
        return allowUpTo('9');
    case InputBase::Hexadecimal:
        break;
    }
    return code;
}

} // namespace tarvex::design
