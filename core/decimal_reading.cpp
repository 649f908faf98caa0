#include "core/decimal_reading.h"

#include "core/overflow_error.h"

#include <cmath>
#include <cstdlib>
#include <locale.h> // NOLINT(modernize-deprecated-headers): the calls that take a locale are not in <clocale>
#include <string>

namespace tarvex {

namespace {

bool isDigit(char16_t ch)
{
    return ch >= u'0' && ch <= u'9';
}

bool isSkippedWhitespace(char16_t ch)
{
    return ch == u' ' || ch == u'\t' || ch == u'\n';
}

// strtod follows LC_NUMERIC, which a desktop program takes from the user's locale (a decimal
// comma in many of them); the reading must always use the period, so it parses in "C". POSIX
// gives that as newlocale and strtod_l; the Windows C runtime, which has neither, as
// _create_locale and _strtod_l. Both return +-HUGE_VAL (an infinity) on overflow and 0 or a
// subnormal on underflow, which is what the reading wants; errno is of no interest.
#if defined(_WIN32)
double strtodInC(const char *text)
{
    static const _locale_t locale = _create_locale(LC_ALL, "C");
    return _strtod_l(text, nullptr, locale);
}
#else
double strtodInC(const char *text)
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text, nullptr, locale);
}
#endif

// The longest prefix of `text` that is a number, as ASCII, or "" when it holds no digit.
std::string numberPrefix(const std::u16string &text)
{
    std::size_t pos = 0;
    const auto at = [&](std::size_t i) { return i < text.size() ? text[i] : u'\0'; };

    if (at(pos) == u'+' || at(pos) == u'-')
        ++pos;
    std::size_t digits = 0;
    bool seenPoint = false;
    for (;; ++pos) {
        if (isDigit(at(pos)))
            ++digits;
        else if (at(pos) == u'.' && !seenPoint)
            seenPoint = true;
        else
            break;
    }
    if (digits == 0)
        return {};

    std::size_t end = pos;
    if (at(pos) == u'E' || at(pos) == u'e') {
        std::size_t exp = pos + 1;
        if (at(exp) == u'+' || at(exp) == u'-')
            ++exp;
        if (isDigit(at(exp))) {
            while (isDigit(at(exp)))
                ++exp;
            end = exp;
        }
    }
    return {text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end)};
}

} // namespace

double leadingNumber(std::u16string_view text)
{
    std::u16string compact;
    compact.reserve(text.size());
    for (char16_t ch : text)
        if (!isSkippedWhitespace(ch))
            compact.push_back(ch);

    const std::string prefix = numberPrefix(compact);
    if (prefix.empty())
        return 0.0;
    return strtodInC(prefix.c_str());
}

std::int32_t roundToInt32(double x)
{
    // nearbyint rounds in the current rounding mode, which is to-nearest-even unless changed.
    const double rounded = std::nearbyint(x);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw OverflowError();
    return static_cast<std::int32_t>(rounded);
}

std::int32_t decimalInputValue(std::u16string_view text)
{
    const std::int32_t value = roundToInt32(leadingNumber(text));
    if (value < 0)
        throw OverflowError();
    return value;
}

std::u16string decimalText(std::int32_t value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace tarvex
