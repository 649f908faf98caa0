#pragma once

// Where the time before the window's first frame goes, step by step, in a build configured with
// -DTARVEX_STARTUP_STEPS=ON (tools/measure-startup-steps-wine.sh); in any other build, the
// program included, the marks below are nothing at all.
//
// TARVEX_STARTUP_STEP("name") times the rest of its scope as that step, less the steps marked
// inside it, so that the steps add up; TARVEX_STARTUP_BEGIN() at the top of wWinMain marks the
// end of the process's start; TARVEX_STARTUP_REPORT_WHEN_IDLE() at the top of the message loop
// writes, the first time the thread's queue is empty, one line per step to standard error,
// "name<TAB>microseconds", the time before wWinMain, the time in no step and the whole as the
// last three. Under Wine the window's map and its first frame reach the X server then, as the
// thread first waits for a message.
#ifdef TARVEX_STARTUP_STEPS

#include "win32/windows_headers.h"

namespace tarvex::win32::startup {

class Step
{
public:
    explicit Step(const char *name);
    ~Step();
    Step(const Step &) = delete;
    Step &operator=(const Step &) = delete;

private:
    const char *m_name;
    Step *m_outer;
    LONGLONG m_start;
    LONGLONG m_ticks = 0;
};

void begin();
void reportWhenIdle();

} // namespace tarvex::win32::startup

#define TARVEX_STARTUP_CONCATENATED(a, b) a##b
#define TARVEX_STARTUP_VARIABLE(line) TARVEX_STARTUP_CONCATENATED(startupStep, line)
#define TARVEX_STARTUP_STEP(name)                                                                  \
    const ::tarvex::win32::startup::Step TARVEX_STARTUP_VARIABLE(__LINE__)(name)
#define TARVEX_STARTUP_BEGIN() ::tarvex::win32::startup::begin()
#define TARVEX_STARTUP_REPORT_WHEN_IDLE() ::tarvex::win32::startup::reportWhenIdle()

#else

#define TARVEX_STARTUP_STEP(name) static_cast<void>(0)
#define TARVEX_STARTUP_BEGIN() static_cast<void>(0)
#define TARVEX_STARTUP_REPORT_WHEN_IDLE() static_cast<void>(0)

#endif
