#pragma once

#include "win32/windows_headers.h"

namespace tarvex::win32 {

// A function of a system library, looked up at run time: nullptr where the library is not
// loaded or this Windows lacks the function.
template<typename Function> Function systemFunction(HMODULE library, const char *name)
{
    if (library == nullptr)
        return nullptr;
    // FARPROC is the generic type GetProcAddress hands out; the name says what it really is.
    return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}

} // namespace tarvex::win32
