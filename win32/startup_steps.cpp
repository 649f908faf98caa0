#include "win32/startup_steps.h"

#include <array>
#include <cstdio>
#include <cstring>

namespace tarvex::win32::startup {

namespace {

struct Total
{
    const char *name = nullptr;
    LONGLONG ticks = 0;
};

// More than any program here marks.
std::array<Total, 24> totals;
Step *innermost = nullptr;
LONGLONG begun = 0;
// From the process's creation until wWinMain, in units of 100 ns.
LONGLONG beforeMain = 0;

LONGLONG now()
{
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

LONGLONG microseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return ticks * 1'000'000 / frequency.QuadPart;
}

LONGLONG asNumber(const FILETIME &time)
{
    return static_cast<LONGLONG>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32U) |
                                 time.dwLowDateTime);
}

// The same name marked in two places is one step.
void add(const char *name, LONGLONG ticks)
{
    for (Total &total : totals) {
        if (total.name == nullptr)
            total.name = name;
        if (std::strcmp(total.name, name) == 0) {
            total.ticks += ticks;
            return;
        }
    }
}

void writeLine(const char *name, LONGLONG us)
{
    std::array<char, 160> line{};
    const int length = std::snprintf(line.data(), line.size(), "%s\t%lld\n", name, us);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(length), &written,
              nullptr);
}

} // namespace

Step::Step(const char *name) : m_name(name), m_outer(innermost), m_start(now())
{
    if (m_outer != nullptr)
        m_outer->m_ticks += m_start - m_outer->m_start;
    innermost = this;
}

Step::~Step()
{
    const LONGLONG end = now();
    add(m_name, m_ticks + end - m_start);
    innermost = m_outer;
    if (m_outer != nullptr)
        m_outer->m_start = end;
}

// Under Wine the system's clock counts in the kernel's own fine steps; on Windows in those of
// its timer interrupt.
void begin()
{
    begun = now();
    FILETIME created{};
    FILETIME unused{};
    FILETIME current{};
    GetProcessTimes(GetCurrentProcess(), &created, &unused, &unused, &unused);
    GetSystemTimeAsFileTime(&current);
    beforeMain = asNumber(current) - asNumber(created);
}

void reportWhenIdle()
{
    static bool reported = false;
    MSG waiting{};
    if (reported || PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE) != FALSE)
        return;
    reported = true;
    const LONGLONG inMain = now() - begun;
    LONGLONG inSteps = 0;
    for (const Total &total : totals) {
        if (total.name == nullptr)
            break;
        writeLine(total.name, microseconds(total.ticks));
        inSteps += total.ticks;
    }
    writeLine("process start until wWinMain", beforeMain / 10);
    writeLine("in no step", microseconds(inMain - inSteps));
    writeLine("process start until the thread first waits", beforeMain / 10 + microseconds(inMain));
}

} // namespace tarvex::win32::startup
