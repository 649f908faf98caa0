// The Win32 window's layout at the DPI of the run, made in the test's own process: the window
// within its monitor's work area with every control in its client area, and every caption
// whole, judged on a window shown without its Load step. Radio buttons and push buttons are drawn
// and their captions' ink counted against the same control given ample room; each group box's title
// is looked for, pixel by pixel, in the window as it is drawn with every control in front of it.
// None of the window's own arithmetic is used. Where the window fills its screen in width or
// height, fitting the screen comes first and a caption may be cut: that is reported as
// skipped, not failed.
#include "caption_ink.h"
#include "form1_under_test.h"
#include "win32/dpi.h"
#include "window_geometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

// A failed check is reported by the control's name, not its bytes.
namespace tarvex::design {

void PrintTo(const Control &control, std::ostream *out)
{
    *out << control.name;
}

} // namespace tarvex::design

namespace tarvex::window_tests {

namespace {

struct Image
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    [[nodiscard]] cases::Pixels view() const { return {width, height, pixels}; }
};

// Draws pixels through `draw` into a bitmap of the size, on the dialog face colour.
template<typename Draw> Image drawn(int width, int height, Draw &&draw)
{
    Image image{width, height,
                std::vector<std::uint32_t>(static_cast<std::size_t>(width) *
                                           static_cast<std::size_t>(height))};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc == nullptr || bitmap == nullptr || bits == nullptr) {
        DeleteDC(dc);
        throw std::runtime_error("no bitmap to draw into");
    }
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    draw(dc);
    GdiFlush();
    const auto *source = static_cast<const std::uint32_t *>(bits);
    image.pixels.assign(source, source + image.pixels.size());
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return image;
}

// The control drawn alone, as it draws itself.
Image drawnAlone(HWND control)
{
    const RECT rect = windowRect(control);
    return drawn(rect.right - rect.left, rect.bottom - rect.top, [control](HDC dc) {
        SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    });
}

// The control drawn alone with its caption, and without it.
struct WithAndWithout
{
    Image with;
    Image without;
};
WithAndWithout drawnWithAndWithoutCaption(HWND control)
{
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()));
    WithAndWithout drawings{drawnAlone(control), {}};
    SetWindowTextW(control, L"");
    drawings.without = drawnAlone(control);
    SetWindowTextW(control, caption.c_str());
    return drawings;
}

std::size_t captionInk(HWND control)
{
    const WithAndWithout drawings = drawnWithAndWithoutCaption(control);
    return cases::captionInk(drawings.with.view(), drawings.without.view()).size();
}

// The same button, with the same font, caption and state, given ample room.
std::size_t inkWithAmpleRoom(HWND button)
{
    const RECT rect = windowRect(button);
    wchar_t className[32] = {};
    GetClassNameW(button, className, 32);
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE)) & ~WS_VISIBLE;
    HWND roomy = CreateWindowExW(0, className, caption.c_str(), style, 0, 0,
                                 rect.right - rect.left + cases::kAmpleRoom.width,
                                 rect.bottom - rect.top + cases::kAmpleRoom.height,
                                 GetParent(button), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (roomy == nullptr)
        throw std::runtime_error("no button to compare with");
    SendMessageW(roomy, WM_SETFONT, SendMessageW(button, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(roomy, BM_SETCHECK, SendMessageW(button, BM_GETCHECK, 0, 0), 0);
    const std::size_t ink = captionInk(roomy);
    DestroyWindow(roomy);
    return ink;
}

// The window's client area as it is drawn, every control in front of what lies behind it.
Image drawnWindow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client{};
    GetClientRect(window, &client);
    return drawn(client.right, client.bottom, [window, &client](HDC dc) {
        HDC windowDc = GetDC(window);
        BitBlt(dc, 0, 0, client.right, client.bottom, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
    });
}

// How many pixels of a group box's title are covered in the window as drawn.
int hiddenTitleInk(HWND box, HWND window, const Image &shown)
{
    const WithAndWithout drawings = drawnWithAndWithoutCaption(box);
    POINT offset{0, 0};
    MapWindowPoints(box, window, &offset, 1);
    return cases::coveredTitleInk(drawings.with.view(), drawings.without.view(), shown.view(),
                                  {offset.x, offset.y});
}

// Whether the window fills its monitor's work area in width or height, where fitting the screen
// comes before showing every caption whole.
bool fillsItsScreen(HWND window)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT frame = windowRect(window);
    return frame.right - frame.left >= monitor.rcWork.right - monitor.rcWork.left - 1 ||
           frame.bottom - frame.top >= monitor.rcWork.bottom - monitor.rcWork.top - 1;
}

// One window for the suite, which only reads it: shown as the program shows it, in front, once
// the window manager has placed it.
class Form1Layout : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { form = std::make_unique<Form1UnderTest>(); }
    static void TearDownTestSuite() { form.reset(); }
    void SetUp() override { ASSERT_TRUE(form->bringInFront()); }

    static inline std::unique_ptr<Form1UnderTest> form;
};

// Wine takes its ANSI code page from the C library's locale, and quietly takes 1252 where the
// Chinese locale is missing: the program would then speak to the shell in Unicode.
TEST_F(Form1Layout, AnsiCodePageIs936AsOnAChineseWindows)
{
    EXPECT_EQ(GetACP(), 936U);
}

TEST_F(Form1Layout, WindowRunsAtTheDpiOfTheRun)
{
    HDC windowDc = GetDC(form->window());
    const auto fontDpi = static_cast<UINT>(GetDeviceCaps(windowDc, LOGPIXELSY));
    ReleaseDC(form->window(), windowDc);
    EXPECT_EQ(fontDpi, dpiOfTheRun()) << "the window's fonts";
    EXPECT_EQ(win32::dpiOfWindow(form->window()), dpiOfTheRun()) << "the window";
}

TEST_F(Form1Layout, WindowLiesWithinTheWorkAreaFrameIncluded)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(form->window(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT frame = windowRect(form->window());
    EXPECT_TRUE(contains(monitor.rcWork, frame))
        << "the window, " << describe(frame) << ", leaves the work area "
        << describe(monitor.rcWork);
}

// 退出 lies below it, where it cannot be seen but Tab from 转换 still reaches it.
TEST_F(Form1Layout, EveryControlLiesWithinTheClientAreaButTheHiddenExitBelowIt)
{
    const RECT client = clientAreaOnScreen(form->window());
    for (const design::Control &control : design::kControls) {
        const RECT rect = windowRect(form->control(control.id));
        if (control.id == design::Command2) {
            EXPECT_GE(rect.top, client.bottom)
                << "退出, " << describe(rect) << ", is not below the client area "
                << describe(client);
            continue;
        }
        EXPECT_TRUE(contains(client, rect)) << control.name << ", " << describe(rect)
                                            << ", leaves the client area " << describe(client);
    }
}

// One window for the suite, drawn without the focus, whose frame would add to a focused
// caption's ink.
class Form1Caption : public ::testing::TestWithParam<design::Control>
{
protected:
    static void SetUpTestSuite()
    {
        form = std::make_unique<Form1UnderTest>(Form1UnderTest::Showing::Drawn);
    }
    static void TearDownTestSuite() { form.reset(); }

    static inline std::unique_ptr<Form1UnderTest> form;
};

// Fails, or skips where the window fills its screen, when the control's caption is cut.
void expectShownWhole(const Form1UnderTest &form, const design::Control &control)
{
    const HWND handle = form.control(control.id);
    std::string cut;
    if (control.kind == design::ControlKind::GroupBox) {
        ASSERT_NE(captionInk(handle), 0U) << "the title draws no ink";
        const int hidden = hiddenTitleInk(handle, form.window(), drawnWindow(form.window()));
        if (hidden != 0)
            cut = std::to_string(hidden) + " pixels of the title's ink are covered";
    } else {
        const std::size_t roomy = inkWithAmpleRoom(handle);
        ASSERT_NE(roomy, 0U) << "the caption draws no ink even with ample room";
        const std::size_t ink = captionInk(handle);
        if (!cases::showsWhole(ink, roomy))
            cut = "it shows " + std::to_string(ink) + " of " + std::to_string(roomy) +
                  " pixels of ink";
    }
    if (!cut.empty() && fillsItsScreen(form.window()))
        GTEST_SKIP() << cut << ", the window filling the screen";
    EXPECT_EQ(cut, "");
}

TEST_P(Form1Caption, ShowsWhole)
{
    expectShownWhole(*form, GetParam());
}

// The captions drawn on the window's face: radio buttons, push buttons but the hidden 退出, and
// the group boxes' titles.
std::vector<design::Control> drawnCaptions()
{
    std::vector<design::Control> drawn;
    using enum design::ControlKind;
    for (const design::Control &control : design::kControls)
        if (control.kind == GroupBox || control.kind == RadioButton ||
            (control.kind == PushButton && control.name != "Command2"))
            drawn.push_back(control);
    return drawn;
}

INSTANTIATE_TEST_SUITE_P(OnTheWindowsFace, Form1Caption, ::testing::ValuesIn(drawnCaptions()),
                         [](const auto &info) { return std::string(info.param.name); });

// The same window once the desktop's message font has grown while it was minimised and hidden,
// as in the notification area, and then shown again without the focus: it comes back at the new
// font's size. In a process of its own (window_tests.sh), the font put back at the end.
class Form1CaptionAfterAFontChange : public ::testing::TestWithParam<design::Control>
{
protected:
    static void SetUpTestSuite()
    {
        form = std::make_unique<Form1UnderTest>(Form1UnderTest::Showing::Drawn);
        const RECT opened = windowRect(form->window());
        ShowWindow(form->window(), SW_SHOWMINNOACTIVE);
        ShowWindow(form->window(), SW_HIDE);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        before = metrics;
        metrics.lfMessageFont.lfHeight = metrics.lfMessageFont.lfHeight * 5 / 4;
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        SendMessageW(form->window(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
        ShowWindow(form->window(), SW_SHOWNOACTIVATE);
        shown = form->pumpUntil("the window to be shown at normal size", [] {
            return IsWindowVisible(form->window()) != FALSE && IsIconic(form->window()) == FALSE;
        });
        const RECT back = windowRect(form->window());
        if (shown && back.right - back.left <= opened.right - opened.left)
            shown = ::testing::AssertionFailure() << "the window came back " << describe(back)
                                                  << ", no larger than " << describe(opened);
    }
    static void TearDownTestSuite()
    {
        form.reset();
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof before, &before, 0);
    }
    void SetUp() override { ASSERT_TRUE(shown); }

    static inline std::unique_ptr<Form1UnderTest> form;
    static inline NONCLIENTMETRICSW before{};
    static inline ::testing::AssertionResult shown = ::testing::AssertionFailure();
};

TEST_P(Form1CaptionAfterAFontChange, ShowsWhole)
{
    expectShownWhole(*form, GetParam());
}

INSTANTIATE_TEST_SUITE_P(OnTheWindowsFace, Form1CaptionAfterAFontChange,
                         ::testing::ValuesIn(drawnCaptions()),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

} // namespace tarvex::window_tests
