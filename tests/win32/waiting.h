#pragma once

#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

// What every check of the driver rests on: a case fails by throwing Failure with the reason,
// and nothing waits for a time, only for a state, polled up to a bound that only a broken
// program reaches and named when it is reached.
namespace tarvex::driver {

class Failure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::chrono::seconds kBound{30};

// Polls `holds` until it is true or `bound` has passed; whether it came true.
template<typename Condition>
[[nodiscard]] bool holdsWithin(std::chrono::milliseconds bound, Condition &&holds)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!holds()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        // The program runs in another process: give it the processor between looks.
        Sleep(2);
    }
    return true;
}

// Polls `holds` until it is true; throws Failure saying what was awaited once `bound` has
// passed.
template<typename Condition>
void waitUntil(std::string_view what, Condition &&holds, std::chrono::seconds bound = kBound)
{
    if (!holdsWithin(bound, std::forward<Condition>(holds)))
        throw Failure("gave up after " + std::to_string(bound.count()) + " s waiting for " +
                      std::string(what));
}

// UTF-8, for the report.
[[nodiscard]] std::string utf8(std::u16string_view text);

// The text as the report quotes it.
[[nodiscard]] inline std::string quoted(std::u16string_view text)
{
    return "\"" + utf8(text) + "\"";
}

} // namespace tarvex::driver
