#include "win32/dpi.h"

#include "win32/handles.h"
#include "win32/startup_steps.h"
#include "win32/system_function.h"

namespace tarvex::win32 {

namespace {

template<typename Function> Function user32Function(const char *name)
{
    return systemFunction<Function>(GetModuleHandleW(L"user32.dll"), name);
}

// shcore.dll came with Windows 8.1; it stays loaded for the program's life.
template<typename Function> Function shcoreFunction(const char *name)
{
    static const HMODULE shcore =
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return systemFunction<Function>(shcore, name);
}

using SetProcessDpiAwarenessContextFunction = BOOL(WINAPI *)(HANDLE);
using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI *)(UINT, UINT, PVOID, UINT, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI *)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetDpiForMonitorFunction = HRESULT(WINAPI *)(HMONITOR, int, UINT *, UINT *);
using GetWindowDpiAwarenessContextFunction = HANDLE(WINAPI *)(HWND);
using AreDpiAwarenessContextsEqualFunction = BOOL(WINAPI *)(HANDLE, HANDLE);
using EnableNonClientDpiScalingFunction = BOOL(WINAPI *)(HWND);

// MDT_EFFECTIVE_DPI of shellscalingapi.h: the DPI the monitor's scale setting gives.
constexpr int kEffectiveDpi = 0;

// The DPI awareness contexts of Windows 10 (windef.h's DPI_AWARENESS_CONTEXT_* values).
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
const auto kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3));

} // namespace

UINT systemDpi()
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    const WindowDc screen(nullptr);
    return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

void becomeDpiAware()
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    // Windows 10 1703 knows version 2, which also scales the title bar and the message boxes;
    // Wine 8 refuses both contexts (with "invalid parameter" and "access denied") but makes
    // every process aware of each monitor anyway. Windows 7 and 8 know only the system DPI.
    if (const auto setContext = user32Function<SetProcessDpiAwarenessContextFunction>(
            "SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorAwareV2) || setContext(kPerMonitorAware))
            return;
    }
    SetProcessDPIAware();
}

// Windows 10 1607 brought these calls, and knows no version 2: its context compares unequal.
// Where Windows refuses, the frame stays at the system's DPI and the window is a few pixels off
// the size it was fitted to, which costs nothing else.
void scaleFramePerMonitor(HWND window)
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    static const auto enableScaling =
        user32Function<EnableNonClientDpiScalingFunction>("EnableNonClientDpiScaling");
    static const auto contextOf =
        user32Function<GetWindowDpiAwarenessContextFunction>("GetWindowDpiAwarenessContext");
    static const auto areEqual =
        user32Function<AreDpiAwarenessContextsEqualFunction>("AreDpiAwarenessContextsEqual");
    if (enableScaling == nullptr || contextOf == nullptr || areEqual == nullptr)
        return;
    if (areEqual(contextOf(window), kPerMonitorAwareV2) == FALSE)
        enableScaling(window);
}

UINT dpiOfWindow(HWND window)
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return dpi;
    }
    return dpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

// Windows 8.1 and Windows 10 before 1607 know each monitor's DPI, but only through shcore.
UINT dpiOfMonitor(HMONITOR monitor)
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    static const auto getDpiForMonitor =
        shcoreFunction<GetDpiForMonitorFunction>("GetDpiForMonitor");
    if (getDpiForMonitor != nullptr) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y != 0)
            return y;
    }
    return systemDpi();
}

LOGFONTW messageFont(UINT dpi)
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    static const auto forDpi =
        user32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi) != FALSE)
        return metrics.lfMessageFont;
    // The system's font is made for the system's DPI.
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) == FALSE) {
        // Without it, the font every dialog falls back to.
        LOGFONTW fallback{};
        fallback.lfHeight = -12;
        fallback.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(fallback.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
        metrics.lfMessageFont = fallback;
    }
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
    return font;
}

int systemMetric(int index, UINT dpi)
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    static const auto forDpi =
        user32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi != nullptr)
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

void adjustWindowRect(RECT &rect, DWORD style, DWORD extendedStyle, UINT dpi)
{
    TARVEX_STARTUP_STEP("DPI awareness and DPI lookups");
    static const auto forDpi =
        user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (forDpi != nullptr && forDpi(&rect, style, FALSE, extendedStyle, dpi) != FALSE)
        return;
    AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

} // namespace tarvex::win32
