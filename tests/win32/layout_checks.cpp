#include "layout_checks.h"

#include "form1_design.h"
#include "window_geometry.h"

#include <array>

namespace tarvex::driver {

namespace {

BOOL CALLBACK countControl(HWND, LPARAM count)
{
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the enumeration hands back what it was given
    ++*reinterpret_cast<std::size_t *>(count);
    return TRUE;
}

} // namespace

void checkLayout(Report &report, const Program &program, UINT dpi)
{
    const HWND window = program.window();
    // Wine takes its ANSI code page from the C library's locale, and quietly takes 1252 where
    // the Chinese locale is missing: the program would then speak to the shell in Unicode.
    report.run("the ANSI code page is 936, as on a Chinese Windows",
               [] { expect(GetACP() == 936, "it is " + std::to_string(GetACP())); });
    report.run("window runs at " + std::to_string(dpi) + " dpi", [&] {
        const UINT actual = GetDpiForWindow(window);
        expect(actual == dpi, "it runs at " + std::to_string(actual) + " dpi");
    });
    report.run("window lies within the work area, frame included", [&] {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT frame = windowRect(window);
        expect(contains(monitor.rcWork, frame), "the window, " + describe(frame) +
                                                    ", leaves the work area " +
                                                    describe(monitor.rcWork));
    });
    report.run("every control lies within the client area but the hidden 退出", [&] {
        const std::string outside = readWhileStill(program, [&] {
            const RECT client = clientAreaOnScreen(window);
            std::string names;
            for (const design::Control &control : design::kControls)
                if (control.name != "Command2" &&
                    !contains(client, windowRect(program.control(control.name))))
                    names += " " + std::string(control.name) + " " +
                             describe(windowRect(program.control(control.name)));
            return names.empty() ? names
                                 : "outside the client area " + describe(client) + ":" + names;
        });
        expect(outside.empty(), outside);
    });
}

void checkControls(Report &report, const Program &program)
{
    report.run("window holds the design's controls and no other", [&] {
        std::size_t count = 0;
        EnumChildWindows(program.window(), countControl, reinterpret_cast<LPARAM>(&count));
        expect(count == design::kControls.size(), "it holds " + std::to_string(count) + " windows");
    });
    for (const design::Control &control : design::kControls) {
        report.run("control " + std::string(control.name), [&] {
            const HWND window = program.control(control.name);
            std::array<wchar_t, 64> name{};
            GetClassNameW(window, name.data(), static_cast<int>(name.size()));
            const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
            const auto kind = [&](const wchar_t *className, DWORD buttonStyle) {
                return lstrcmpiW(name.data(), className) == 0 &&
                       (buttonStyle == ~DWORD{0} || (style & BS_TYPEMASK) == buttonStyle);
            };
            using enum design::ControlKind;
            const bool rightKind =
                control.kind == GroupBox      ? kind(L"Button", BS_GROUPBOX)
                : control.kind == RadioButton ? kind(L"Button", BS_AUTORADIOBUTTON)
                : control.kind == PushButton  ? kind(L"Button", BS_PUSHBUTTON)
                : control.kind == TextBox
                    ? kind(L"Edit", ~DWORD{0}) && (style & (ES_MULTILINE | ES_READONLY)) == 0
                    : kind(L"Static", ~DWORD{0});
            expect(rightKind, "it is a window of class " +
                                  utf8(reinterpret_cast<const char16_t *>(name.data())) +
                                  " with style " + std::to_string(style));
            expectText(program.text(window), control.caption, "its text");
            expect(IsWindowVisible(window) != FALSE && IsWindowEnabled(window) != FALSE,
                   "it is hidden or disabled");
            if (control.kind == RadioButton)
                expect(program.isChecked(control.name) == control.initiallySet,
                       control.initiallySet ? "it is not chosen" : "it is chosen");
        });
    }
}

} // namespace tarvex::driver
