#pragma once

// The Windows headers as the whole Win32 program includes them: Windows 7 is the oldest system
// it runs on, so what came later is looked up at run time (dpi.h), and the W functions are the
// default.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
