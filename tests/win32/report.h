#pragma once

#include "waiting.h"

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

// The driver's report: one line a case on standard output, "ok <case>", "FAIL <case>: <why>"
// or "skip <case>: <why>".
namespace tarvex::driver {

class Report
{
public:
    template<typename Check> void run(const std::string &name, Check &&check)
    {
        try {
            check();
            line("ok " + name);
        } catch (const std::exception &failure) {
            ++m_failures;
            line("FAIL " + name + ": " + failure.what());
        }
    }
    void skip(const std::string &name, std::string_view why)
    {
        line("skip " + name + ": " + std::string(why));
    }
    [[nodiscard]] bool passed() const { return m_failures == 0; }

private:
    static void line(std::string text)
    {
        text += '\n';
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
                  &written, nullptr);
    }

    int m_failures = 0;
};

inline void expect(bool holds, const std::string &otherwise)
{
    if (!holds)
        throw Failure(otherwise);
}

inline void expectText(std::u16string_view actual, std::u16string_view expected,
                       std::string_view what)
{
    expect(actual == expected,
           std::string(what) + " is " + quoted(actual) + ", not " + quoted(expected));
}

} // namespace tarvex::driver
