// How the Win32 window behaves where Windows differs from what Wine shows by itself: an English
// system, a change of DPI, Explorer starting again, focus cues, a failure while the window is
// made. The window is made in this process from the window's own library, and the messages
// Windows would send are sent here. The notification area's calls are seen through this
// program's own import table.
#include "design/form1_design.h"
#include "design/texts.h"
#include "form1_under_test.h"
#include "import_table.h"
#include "modal_answerer.h"
#include "user_input.h"
#include "win32/dpi.h"
#include "win32/form1.h"
#include "win32/key_filter.h"
#include "win32/program.h"
#include "win32/single_instance.h"
#include "win32/window_identity.h"
#include "window_geometry.h"
#include "window_text.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace tarvex::window_tests {

namespace {

using win32::Form1;

// --- Calls to the notification area, as this program makes them ---------------------------

struct NotifyCall
{
    DWORD message;
    UINT flags;
    HICON icon;
    std::wstring tip;
};

std::vector<NotifyCall> notifyCalls;

using NotifyA = BOOL(WINAPI *)(DWORD, PNOTIFYICONDATAA);
using NotifyW = BOOL(WINAPI *)(DWORD, PNOTIFYICONDATAW);
NotifyA realNotifyA = nullptr;
NotifyW realNotifyW = nullptr;

BOOL WINAPI recordNotifyA(DWORD message, PNOTIFYICONDATAA data)
{
    wchar_t tip[128] = {};
    MultiByteToWideChar(CP_ACP, 0, data->szTip, -1, tip, 128);
    notifyCalls.push_back({message, data->uFlags, data->hIcon, tip});
    return realNotifyA(message, data);
}

BOOL WINAPI recordNotifyW(DWORD message, PNOTIFYICONDATAW data)
{
    notifyCalls.push_back({message, data->uFlags, data->hIcon, data->szTip});
    return realNotifyW(message, data);
}

// --- The frame's scaling asked for, looked up at run time as Windows 10 1607 brought it -------

std::vector<HWND> framesScaled;

using EnableNonClientDpiScalingFunction = BOOL(WINAPI *)(HWND);
EnableNonClientDpiScalingFunction realEnableNonClientDpiScaling = nullptr;

BOOL WINAPI recordFrameScaling(HWND window)
{
    framesScaled.push_back(window);
    return realEnableNonClientDpiScaling(window);
}

// --- What the window lets through UIPI, with whether it had its controls yet -----------------

struct Filtered
{
    UINT message;
    bool hadControls;
};
std::vector<Filtered> filtered;

using ChangeWindowMessageFilterExFunction = BOOL(WINAPI *)(HWND, UINT, DWORD, void *);
ChangeWindowMessageFilterExFunction realChangeWindowMessageFilterEx = nullptr;

BOOL WINAPI recordFilter(HWND window, UINT message, DWORD action, void *status)
{
    filtered.push_back({message, GetWindow(window, GW_CHILD) != nullptr});
    return realChangeWindowMessageFilterEx(window, message, action, status);
}

// --- The icons comctl32 scaled down, each by the size it was asked for ------------------------

std::map<HICON, int> scaledDown;

using LoadIconWithScaleDownFunction = HRESULT(WINAPI *)(HINSTANCE, PCWSTR, int, int, HICON *);
LoadIconWithScaleDownFunction realLoadIconWithScaleDown = nullptr;

HRESULT WINAPI recordScaleDown(HINSTANCE instance, PCWSTR name, int width, int height, HICON *icon)
{
    const HRESULT loaded = realLoadIconWithScaleDown(instance, name, width, height, icon);
    if (SUCCEEDED(loaded))
        scaledDown[*icon] = width;
    return loaded;
}

// Where Windows has the function, the recorder that passes its calls on to it.
template<typename Function> void recordLookedUp(const char *name, Function &real, Function recorder)
{
    answerLookUps(name, [&real, recorder](FARPROC found) {
        real = asCalled<Function>(found);
        return found != nullptr ? asLookedUp(recorder) : nullptr;
    });
}

// Records the calls from here on, the recorders put in place the first time.
::testing::AssertionResult recordingCalls()
{
    static const bool inPlace = [] {
        realNotifyA = reinterpret_cast<NotifyA>(replaceImport(
            "shell32.dll", "Shell_NotifyIconA", reinterpret_cast<void *>(recordNotifyA)));
        realNotifyW = reinterpret_cast<NotifyW>(replaceImport(
            "shell32.dll", "Shell_NotifyIconW", reinterpret_cast<void *>(recordNotifyW)));
        recordLookedUp("EnableNonClientDpiScaling", realEnableNonClientDpiScaling,
                       recordFrameScaling);
        recordLookedUp("ChangeWindowMessageFilterEx", realChangeWindowMessageFilterEx,
                       recordFilter);
        recordLookedUp("LoadIconWithScaleDown", realLoadIconWithScaleDown, recordScaleDown);
        return realNotifyA != nullptr && realNotifyW != nullptr;
    }();
    notifyCalls.clear();
    framesScaled.clear();
    filtered.clear();
    if (!inPlace)
        return ::testing::AssertionFailure()
               << "the window's library calls no Shell_NotifyIconA or no Shell_NotifyIconW";
    return ::testing::AssertionSuccess();
}

// --- The window ------------------------------------------------------------------------------

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

int iconWidth(HICON icon)
{
    ICONINFO info{};
    if (GetIconInfo(icon, &info) == FALSE)
        return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

std::wstring wide(std::u16string_view text)
{
    return {reinterpret_cast<const wchar_t *>(text.data()), text.size()};
}

RECT normalPlace(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement.rcNormalPosition;
}

RECT workAreaOf(const RECT &rect)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

int widthOf(const RECT &rect)
{
    return rect.right - rect.left;
}
int heightOf(const RECT &rect)
{
    return rect.bottom - rect.top;
}

// Each test makes the window as it needs it, once the calls it sees are being recorded.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(recordingCalls()); }
    void TearDown() override
    {
        if (form) {
            EXPECT_EQ(form->answerer().faults(), "");
        }
    }

    void make(Form1UnderTest::Showing showing)
    {
        form.reset();
        form.emplace(showing);
    }
    // Handles what the window has been sent and posted so far.
    [[nodiscard]] ::testing::AssertionResult settle()
    {
        return form->pumpUntil("the window's messages to be handled", [] { return true; });
    }

    std::optional<Form1UnderTest> form;
};

// --- Focus cues ------------------------------------------------------------------------------

// Real keys: this test comes first, before message boxes and hidden windows send Wine's focus
// changes through the window manager, where keys sent meanwhile are lost (see Form1Keys in
// form1_behaviour_test.cpp).
struct FocusKey
{
    const char *name;
    design::ControlId from;
    WORD key;
    bool shift;
};
constexpr FocusKey kFocusKeys[] = {
    {"tab", design::Option1, VK_TAB, false},     {"shiftTab", design::Option1, VK_TAB, true},
    {"down", design::Option1, VK_DOWN, false},   {"up", design::Option1, VK_UP, false},
    {"right", design::Option1, VK_RIGHT, false}, {"left", design::Option7, VK_LEFT, false},
};

// Whether the window was asked to show focus cues: Wine 8 keeps no UI state (WM_QUERYUISTATE
// is 0 whatever is set), so the request itself is seen.
LRESULT CALLBACK recordCueRequests(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR shown)
{
    if (message == WM_CHANGEUISTATE && LOWORD(wParam) == UIS_CLEAR &&
        (HIWORD(wParam) & UISF_HIDEFOCUS) != 0)
        *reinterpret_cast<bool *>(shown) = true;
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(WindowTest, KeysThatMoveTheFocusShowTheFocusCue)
{
    make(Form1UnderTest::Showing::WithoutItsIcon);
    const HWND window = form->window();
    bool cueShown = false;
    ASSERT_NE(
        SetWindowSubclass(window, recordCueRequests, 1, reinterpret_cast<DWORD_PTR>(&cueShown)),
        FALSE);
    for (const FocusKey &row : kFocusKeys) {
        SCOPED_TRACE(row.name);
        // As Windows has it when the window was opened with the mouse.
        SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
        const bool keepsUiState =
            (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        ASSERT_TRUE(form->focus(row.from));
        cueShown = false;
        const bool arrow = row.key != VK_TAB;
        ASSERT_TRUE(form->press(keyPress(row.key, arrow, row.shift)));
        EXPECT_NE(form->focusName(), design::nameOf(row.from)) << "the focus did not move";
        EXPECT_TRUE(cueShown) << "the window was not asked to show focus cues";
        if (keepsUiState) {
            EXPECT_EQ(SendMessageW(GetFocus(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0)
                << "the focus cue stays hidden";
        }
    }
    RemoveWindowSubclass(window, recordCueRequests, 1);
}

// --- An English Windows ----------------------------------------------------------------------

// Every caption in the font its control draws it in: the message font's own glyphs on a Chinese
// Windows, where that font is kept, and a Chinese face's elsewhere.
TEST_F(WindowTest, EveryCaptionHasGlyphsInItsControlsFont)
{
    make(Form1UnderTest::Showing::Drawn);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_NE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0), FALSE);
    for (const design::Control &control : design::kControls) {
        if (control.caption.empty())
            continue;
        const HWND handle = form->control(control.id);
        const LOGFONTW described = fontOf(handle);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0));
        const HDC dc = GetDC(nullptr);
        const HGDIOBJ previous = SelectObject(dc, font);
        std::vector<WORD> glyphs(control.caption.size());
        GetGlyphIndicesW(dc, wide(control.caption).c_str(), static_cast<int>(glyphs.size()),
                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, previous);
        ReleaseDC(nullptr, dc);
        for (std::size_t i = 0; i < glyphs.size(); ++i)
            EXPECT_NE(glyphs[i], 0xFFFF) << control.name << ": no glyph for U+" << std::hex
                                         << static_cast<unsigned>(control.caption[i]);
        if (GetACP() == 936) {
            EXPECT_STREQ(described.lfFaceName, metrics.lfMessageFont.lfFaceName)
                << control.name << ": a Chinese Windows' message font was replaced";
        }
    }
}

// The texts the user converts, as the Chinese run converts them.
struct Conversion
{
    const char *name;
    design::ControlId input;
    design::ControlId command;
    std::u16string_view text;
    design::ControlId output;
    std::u16string_view expected;
};

const Conversion kConversions[] = {
    {"chineseToCodes", design::Text3, design::Command3, u"中文", design::Text4, u"D6D0CEC4"},
    {"codesToChinese", design::Text5, design::Command4, u"D6D0CEC4", design::Text6, u"中文"},
    {"mixedToCodes", design::Text3, design::Command3, u"A中1", design::Text4, u"41D6D031"},
    {"binaryToDecimal", design::Text1, design::Command1, u"11111111", design::Text2, u"255"},
};

TEST_F(WindowTest, ConvertsAsOnAChineseWindows)
{
    make(Form1UnderTest::Showing::WithoutItsIcon);
    for (const Conversion &conversion : kConversions) {
        form->setText(conversion.input, conversion.text);
        form->click(conversion.command);
        EXPECT_EQ(utf8(form->text(conversion.output)), utf8(conversion.expected))
            << conversion.name;
    }
}

// The message box's one button reads the system's own word for OK.
struct SystemWord
{
    UINT codePage;
    std::u16string_view ok;
};
constexpr SystemWord kOkWords[] = {{936, u"确定"}, {1252, u"OK"}};

TEST_F(WindowTest, MessageBoxButtonReadsTheSystemsWordForOk)
{
    const SystemWord *word = nullptr;
    for (const SystemWord &row : kOkWords)
        if (row.codePage == GetACP())
            word = &row;
    ASSERT_NE(word, nullptr) << "no row for code page " << GetACP();
    make(Form1UnderTest::Showing::WithoutItsIcon);
    // Nothing to convert: the window says so in a box.
    form->setText(design::Text1, u"");
    form->answerer().expect(1);
    form->click(design::Command1);
    ASSERT_EQ(form->answerer().boxes().size(), 1U);
    std::vector<std::string> buttons;
    for (std::u16string button : form->answerer().boxes()[0].buttons) {
        std::erase(button, u'&');
        buttons.push_back(utf8(button));
    }
    EXPECT_EQ(buttons, std::vector<std::string>{utf8(word->ok)});
}

// --- A change of DPI -------------------------------------------------------------------------

enum class State { Normal, Maximised, InTheTray };

// 175, 225, 250 and 300 % ask for icon sizes the icon file lacks; at 500 % Windows suggests a
// window larger than the screen both ways.
struct DpiRow
{
    const char *name;
    State state;
    UINT dpi;
};
constexpr DpiRow kDpiRows[] = {
    {"normal", State::Normal, 192},       {"maximised", State::Maximised, 192},
    {"inTheTray", State::InTheTray, 192}, {"at175Percent", State::Normal, 168},
    {"at225Percent", State::Normal, 216}, {"at250Percent", State::Normal, 240},
    {"at300Percent", State::Normal, 288}, {"largerThanTheScreen", State::Normal, 480},
};

using GetSystemMetricsForDpiFunction = int(WINAPI *)(int, UINT);

TEST_F(WindowTest, DpiChangeKeepsTheStateAndFitsTheNewDpi)
{
    const auto metricForDpi =
        reinterpret_cast<GetSystemMetricsForDpiFunction>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    ASSERT_NE(metricForDpi, nullptr);
    for (const DpiRow &row : kDpiRows) {
        SCOPED_TRACE(row.name);
        make(Form1UnderTest::Showing::AsTheProgramDoes);
        ASSERT_TRUE(settle());
        const HWND window = form->window();
        const RECT normalBefore = normalPlace(window);
        const int fontBefore = std::abs(fontOf(form->control(design::Command1)).lfHeight);
        if (row.state == State::Maximised)
            ShowWindow(window, SW_MAXIMIZE);
        if (row.state == State::InTheTray)
            SendMessageW(window, design::kTrayCallbackMessage, design::kTrayIconId, WM_LBUTTONUP);
        ASSERT_TRUE(settle());
        RECT before{};
        GetWindowRect(window, &before);
        notifyCalls.clear();

        // Windows suggests the window as much larger as the DPI, where it stands.
        const double factor = row.dpi / 96.0;
        RECT suggested{before.left, before.top,
                       before.left + static_cast<LONG>(factor * widthOf(before)),
                       before.top + static_cast<LONG>(factor * heightOf(before))};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        ASSERT_TRUE(settle());

        RECT after{};
        GetWindowRect(window, &after);
        EXPECT_NEAR(std::abs(fontOf(form->control(design::Command1)).lfHeight), factor * fontBefore,
                    1)
            << "the controls' font is not the new DPI's";
        // LoadImage would stretch the next smaller image to the size: comctl32 scales down.
        for (const auto &[kind, metric] :
             {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
            EXPECT_EQ(scaledDown[icon], metricForDpi(metric, row.dpi))
                << "icon " << kind << " not scaled down by comctl32 to the new DPI's size";
        }
        EXPECT_TRUE(notifyCalls.empty()) << "the notification area's icon followed the window";

        switch (row.state) {
        case State::Normal: {
            // Where Windows suggests, or the work area where that is larger both ways.
            const RECT work = workAreaOf(suggested);
            const bool fits =
                widthOf(suggested) <= widthOf(work) && heightOf(suggested) <= heightOf(work);
            EXPECT_TRUE(EqualRect(&after, fits ? &suggested : &work) != FALSE)
                << "took " << describe(after) << ", suggested " << describe(suggested);
            EXPECT_FALSE(IsZoomed(window));
            break;
        }
        case State::Maximised:
            EXPECT_TRUE(IsZoomed(window));
            EXPECT_TRUE(EqualRect(&after, &before)) << "a maximised window moved";
            break;
        case State::InTheTray:
            EXPECT_FALSE(IsWindowVisible(window));
            EXPECT_TRUE(IsIconic(window));
            break;
        }
        if (row.state == State::Normal)
            continue;
        // Its normal size is the new DPI's: about as much larger as the DPI, the caption factor
        // of the new font being its own.
        const RECT normalAfter = normalPlace(window);
        EXPECT_NEAR(widthOf(normalAfter), factor * widthOf(normalBefore),
                    0.04 * factor * widthOf(normalBefore));
        EXPECT_NEAR(heightOf(normalAfter), factor * heightOf(normalBefore),
                    0.04 * factor * heightOf(normalBefore));
        SendMessageW(window, win32::showRequestMessage(), 0, 0);
        ASSERT_TRUE(settle());
        RECT restored{};
        GetWindowRect(window, &restored);
        EXPECT_TRUE(IsWindowVisible(window) && !IsIconic(window) && !IsZoomed(window));
        EXPECT_EQ(widthOf(restored), widthOf(normalAfter));
        EXPECT_EQ(heightOf(restored), heightOf(normalAfter));
    }
}

using AdjustWindowRectExForDpiFunction = BOOL(WINAPI *)(RECT *, DWORD, BOOL, DWORD, UINT);

// The width and height of the window's frame at the DPI.
SIZE frameAt(HWND window, UINT dpi)
{
    const auto adjust = reinterpret_cast<AdjustWindowRectExForDpiFunction>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT frame{};
    adjust(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
           static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    return {widthOf(frame), heightOf(frame)};
}

// What the window answers when Windows asks for its size at a DPI, before a move to a monitor of
// that DPI: at the DPI of the run, the size the window opened at on this roomy screen
// (windows_behaviour_tests.sh runs this test at 120, 144 and 192 dpi too); and moved to and fro
// ten times between that DPI and another at the sizes it answers, it ends at the size it began.
// Resized by the user, it keeps that size: its client area scaled as the caption factors scale
// between the two DPIs (as the client areas it opens with do), in the other DPI's frame.
TEST_F(WindowTest, AnswersItsSizeAtADpiAsItOpensThereAndKeepsItOverMoves)
{
    make(Form1UnderTest::Showing::WithoutItsIcon);
    ASSERT_TRUE(settle());
    const HWND window = form->window();
    const RECT opened = windowRect(window);
    const auto sizeAt = [window](UINT dpi) {
        SIZE size{0, 0};
        EXPECT_EQ(SendMessageW(window, win32::kGetDpiScaledSizeMessage, dpi,
                               reinterpret_cast<LPARAM>(&size)),
                  TRUE)
            << "no answer at " << dpi << " dpi";
        return size;
    };
    const SIZE answer = sizeAt(dpiOfTheRun());
    EXPECT_EQ(answer.cx, widthOf(opened));
    EXPECT_EQ(answer.cy, heightOf(opened));

    const UINT other = dpiOfTheRun() == 144 ? 96 : 144;
    for (int move = 0; move < 20; ++move) {
        const UINT dpi = move % 2 == 0 ? other : dpiOfTheRun();
        const SIZE size = sizeAt(dpi);
        const RECT at = windowRect(window);
        RECT suggested{at.left, at.top, at.left + size.cx, at.top + size.cy};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        ASSERT_TRUE(settle());
    }
    const RECT after = windowRect(window);
    EXPECT_EQ(widthOf(after), widthOf(opened));
    EXPECT_EQ(heightOf(after), heightOf(opened));

    const SIZE given = sizeAt(other);
    const SIZE frameHere = frameAt(window, dpiOfTheRun());
    const SIZE frameThere = frameAt(window, other);
    SetWindowPos(window, nullptr, 0, 0, widthOf(opened) * 3 / 4, heightOf(opened) * 3 / 4,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(settle());
    RECT client{};
    GetClientRect(window, &client);
    const SIZE resized = sizeAt(other);
    EXPECT_NEAR(resized.cx - frameThere.cx,
                client.right * static_cast<double>(given.cx - frameThere.cx) /
                    (widthOf(opened) - frameHere.cx),
                2);
    EXPECT_NEAR(resized.cy - frameThere.cy,
                client.bottom * static_cast<double>(given.cy - frameThere.cy) /
                    (heightOf(opened) - frameHere.cy),
                2);
}

// Where the process is aware of each monitor's DPI in version 1 only, as on Windows 10 1607,
// Windows scales the window's frame only when asked while the window is made. (Version 2, which
// scales it unasked and so is not asked, is one Wine 8 refuses.)
using SetThreadDpiAwarenessContextFunction = HANDLE(WINAPI *)(HANDLE);

TEST_F(WindowTest, AsksForItsFrameScaledWhereWindowsDoesNotScaleItUnasked)
{
    const auto setContext =
        reinterpret_cast<SetThreadDpiAwarenessContextFunction>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
    ASSERT_NE(setContext, nullptr);
    const auto kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3));
    const HANDLE previous = setContext(kPerMonitorAware);
    ASSERT_NE(previous, nullptr) << "the thread does not take per-monitor awareness version 1";
    make(Form1UnderTest::Showing::Drawn);
    setContext(previous);
    EXPECT_EQ(framesScaled, std::vector{form->window()});
}

// --- Explorer starting again -----------------------------------------------------------------

// The notification area's icon is at the size of the primary screen's scale, where the taskbar
// is drawn, on a window moved to a monitor of another scale too.
TEST_F(WindowTest, TaskbarCreatedBringsTheIconBackWithoutTheGreeting)
{
    const int traySize = GetSystemMetrics(SM_CXSMICON);
    make(Form1UnderTest::Showing::AsTheProgramDoes);
    ASSERT_FALSE(notifyCalls.empty());
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_NE(notifyCalls[0].flags & NIF_INFO, 0U) << "no greeting at start";
    EXPECT_EQ(iconWidth(notifyCalls[0].icon), traySize);
    RECT suggested = windowRect(form->window());
    suggested.right += widthOf(suggested);
    suggested.bottom += heightOf(suggested);
    SendMessageW(form->window(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    notifyCalls.clear();

    SendMessageW(form->window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(notifyCalls.size(), 1U);
    EXPECT_EQ(iconWidth(notifyCalls[0].icon), traySize);
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(notifyCalls[0].flags & (NIF_MESSAGE | NIF_ICON | NIF_TIP),
              static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(notifyCalls[0].flags & NIF_INFO, 0U) << "the greeting came again";
    EXPECT_EQ(notifyCalls[0].tip, wide(design::kTrayTip));
}

// --- No call into freed memory, no exception into Windows --------------------------------------

HWND madeWindow = nullptr;
int windowsToMake = 0;
HHOOK creationHook = nullptr;

// Lets the window and `windowsToMake` of its controls be made, and refuses the next.
LRESULT CALLBACK refuseCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const auto made = reinterpret_cast<HWND>(wParam);
        wchar_t className[32] = {};
        GetClassNameW(made, className, 32);
        if (lstrcmpW(className, win32::kWindowClassName) == 0)
            madeWindow = made;
        else if (madeWindow != nullptr &&
                 reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs->hwndParent == madeWindow &&
                 windowsToMake-- == 0)
            return 1;
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

TEST(HalfMadeWindow, IsDestroyedBeforeTheFailureGoesOn)
{
    for (const std::size_t failing :
         {std::size_t{0}, std::size_t{15}, design::kControls.size() - 1}) {
        SCOPED_TRACE(failing);
        madeWindow = nullptr;
        windowsToMake = static_cast<int>(failing);
        creationHook = SetWindowsHookExW(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
        ASSERT_NE(creationHook, nullptr);
        EXPECT_THROW(Form1 form(GetModuleHandleW(nullptr)), std::system_error);
        UnhookWindowsHookEx(creationHook);
        ASSERT_NE(madeWindow, nullptr);
        EXPECT_FALSE(IsWindow(madeWindow)) << "the window outlived its object";
        dropQuitRequests();
    }
}

TEST(KeyFilterProcedure, StopsAnExceptionAndDropsTheKey)
{
    const HWND parent = CreateWindowExW(0, WC_STATICW, L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND box = CreateWindowExW(0, WC_EDITW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(box, nullptr);
    int asked = 0;
    {
        const win32::KeyFilter filter(box, [&asked] {
            if (asked++ > 0)
                throw std::runtime_error("no base");
            return design::InputBase::Decimal;
        });
        SendMessageW(box, WM_CHAR, L'1', 1);
    }
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(utf8(textOf(box)), "");
    DestroyWindow(parent);
}

// --- One Tarvex, and its icon in the shell ----------------------------------------------------

using tarvex::win32::SingleInstance;

// An import of this program replaced for the object's life.
struct ReplacedImport
{
    ReplacedImport(const char *dll, const char *function, void *replacement)
        : dll(dll), function(function), previous(replaceImport(dll, function, replacement))
    {}
    ~ReplacedImport() { static_cast<void>(replaceImport(dll, function, previous)); }
    const char *dll;
    const char *function;
    void *previous;
};

TEST_F(WindowTest, ShowRequestPassesUipiBeforeTheControlsAreMade)
{
    make(Form1UnderTest::Showing::Drawn);
    ASSERT_FALSE(filtered.empty()) << "nothing let through UIPI";
    EXPECT_EQ(filtered[0].message, tarvex::win32::showRequestMessage());
    EXPECT_FALSE(filtered[0].hadControls) << "a second start could find the window before";
}

UINT WINAPI registerNothing(LPCWSTR)
{
    return 0;
}

TEST_F(WindowTest, MessagesWindowsCouldNotRegisterAreNotWmNull)
{
    {
        const ReplacedImport registration("user32.dll", "RegisterWindowMessageW",
                                          reinterpret_cast<void *>(registerNothing));
        make(Form1UnderTest::Showing::AsTheProgramDoes);
    }
    EXPECT_TRUE(filtered.empty()) << "WM_NULL let through UIPI";
    const HWND window = form->window();
    SendMessageW(window, design::kTrayCallbackMessage, design::kTrayIconId, WM_LBUTTONUP);
    ASSERT_TRUE(settle());
    notifyCalls.clear();
    SendMessageW(window, WM_NULL, 0, 0);
    ASSERT_TRUE(settle());
    EXPECT_FALSE(IsWindowVisible(window)) << "WM_NULL taken for a show request";
    EXPECT_TRUE(notifyCalls.empty()) << "WM_NULL taken for TaskbarCreated";
}

// The running Tarvex ends between the second start's finding its window and posting to it.
HANDLE runningEnds = nullptr;
BOOL WINAPI postToAnEndingWindow(HWND window, UINT, WPARAM, LPARAM)
{
    DestroyWindow(window);
    SetEvent(runningEnds);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
}

TEST_F(WindowTest, SecondStartTakesOverFromATarvexEndingAsItIsAsked)
{
    make(Form1UnderTest::Showing::Drawn);
    const tarvex::win32::OwnedHandle ends(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const tarvex::win32::OwnedHandle claimed(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    runningEnds = ends.get();
    std::thread running([&] {
        SingleInstance session;
        SetEvent(claimed.get());
        WaitForSingleObject(runningEnds, INFINITE);
    });
    WaitForSingleObject(claimed.get(), INFINITE);
    {
        const ReplacedImport post("user32.dll", "PostMessageW",
                                  reinterpret_cast<void *>(postToAnEndingWindow));
        SingleInstance second;
        EXPECT_EQ(second.settle(), SingleInstance::Start::RunsHere);
    }
    SetEvent(runningEnds);
    running.join();
}

// Whether another start could take the session now.
bool sessionFree()
{
    bool free = false;
    std::thread([&free] {
        const tarvex::win32::OwnedHandle mutex(
            OpenMutexW(SYNCHRONIZE, FALSE, tarvex::win32::kSessionMutexName));
        const DWORD waited = mutex == nullptr ? WAIT_OBJECT_0 : WaitForSingleObject(mutex.get(), 0);
        free = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
        if (free && mutex != nullptr)
            ReleaseMutex(mutex.get());
    }).join();
    return free;
}

// Whether the session was free when the box that says the window could not be made came.
bool freeAtTheBox = false;
LRESULT CALLBACK refuseCreationSeeingTheSession(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        wchar_t className[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
        if (lstrcmpW(className, L"#32770") == 0)
            freeAtTheBox = sessionFree();
    }
    return refuseCreation(code, wParam, lParam);
}

TEST(RefusedWindow, LetsTheSessionGoBeforeTheBoxSaysSo)
{
    SingleInstance session;
    ASSERT_EQ(session.settle(), SingleInstance::Start::RunsHere);
    madeWindow = nullptr;
    windowsToMake = 0;
    freeAtTheBox = false;
    ModalAnswerer answerer;
    answerer.expect(1);
    creationHook =
        SetWindowsHookExW(WH_CBT, refuseCreationSeeingTheSession, nullptr, GetCurrentThreadId());
    ASSERT_NE(creationHook, nullptr);
    EXPECT_EQ(tarvex::win32::runTarvex(GetModuleHandleW(nullptr), SW_SHOWNORMAL, session), 1);
    UnhookWindowsHookEx(creationHook);
    EXPECT_EQ(answerer.texts(), std::vector<std::u16string>{u"无法创建窗口"});
    EXPECT_EQ(answerer.faults(), "");
    EXPECT_TRUE(freeAtTheBox) << "a second start waits behind the box";
    dropQuitRequests();
}

// The session ends, or the Restart Manager closes the program while it goes on: the program ends
// as 退出 ends it, the icon taken away first.
TEST_F(WindowTest, EndingSessionTakesTheIconAwayAndEndsTheProgram)
{
    make(Form1UnderTest::Showing::AsTheProgramDoes);
    for (const BOOL ending : {FALSE, TRUE}) {
        notifyCalls.clear();
        SendMessageW(form->window(), WM_ENDSESSION, ending, ENDSESSION_CLOSEAPP);
        ASSERT_TRUE(settle());
        ASSERT_EQ(notifyCalls.size(), ending != FALSE ? 1U : 0U) << "ending " << ending;
        EXPECT_EQ(IsWindow(form->window()) == FALSE, ending != FALSE) << "ending " << ending;
        EXPECT_EQ(form->quitStatus(), ending != FALSE ? std::optional<WPARAM>(0) : std::nullopt);
    }
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_DELETE));
}

// The icon's menu as the shell reports a right-button release: the icon where
// Shell_NotifyIconGetRect says, the cursor where GetCursorPos says, and the menu recorded
// instead of shown and closed without a choice, with the window still in front, as Esc leaves
// it, or with another window in front, as a click on that window leaves it.
constexpr RECT kIconRect{1300, 740, 1324, 764};
POINT cursorNow{};
HWND inFrontAfterTheMenu = nullptr;
struct OpenedMenu
{
    UINT flags;
    POINT at;
    std::optional<RECT> excluded;
};
std::vector<OpenedMenu> openedMenus;

HRESULT WINAPI reportIconRect(const NOTIFYICONIDENTIFIER *, RECT *rect)
{
    *rect = kIconRect;
    return S_OK;
}
BOOL WINAPI reportCursor(POINT *point)
{
    *point = cursorNow;
    return TRUE;
}
HWND WINAPI reportInFront()
{
    return inFrontAfterTheMenu;
}
BOOL WINAPI closeMenuWithoutChoice(HMENU, UINT flags, int x, int y, HWND, TPMPARAMS *params)
{
    openedMenus.push_back(
        {flags, {x, y}, params != nullptr ? std::optional(params->rcExclude) : std::nullopt});
    return 0;
}

struct MenuOpening
{
    const char *name;
    POINT cursor;
    bool besideTheIcon;
    bool closedByAClickElsewhere;
    bool focusGivenBack;
};
constexpr MenuOpening kMenuOpenings[] = {
    {"the mouse over the icon", {1310, 750}, false, false, false},
    {"Enter on the icon chosen from the keyboard, the mouse elsewhere, Esc",
     {200, 200},
     true,
     false,
     true},
    {"the icon chosen from the keyboard, another window clicked", {200, 200}, true, true, false},
};

TEST_F(WindowTest, MenuOpensBesideTheIconChosenFromTheKeyboard)
{
    make(Form1UnderTest::Showing::AsTheProgramDoes);
    const ReplacedImport cursor("user32.dll", "GetCursorPos",
                                reinterpret_cast<void *>(reportCursor));
    const ReplacedImport menu("user32.dll", "TrackPopupMenuEx",
                              reinterpret_cast<void *>(closeMenuWithoutChoice));
    const ReplacedImport inFront("user32.dll", "GetForegroundWindow",
                                 reinterpret_cast<void *>(reportInFront));
    answerLookUps("Shell_NotifyIconGetRect", [](FARPROC) { return asLookedUp(reportIconRect); });
    for (const MenuOpening &row : kMenuOpenings) {
        SCOPED_TRACE(row.name);
        cursorNow = row.cursor;
        inFrontAfterTheMenu = row.closedByAClickElsewhere ? GetDesktopWindow() : form->window();
        openedMenus.clear();
        notifyCalls.clear();
        SendMessageW(form->window(), design::kTrayCallbackMessage, design::kTrayIconId,
                     WM_RBUTTONUP);
        ASSERT_EQ(openedMenus.size(), 1U);
        const OpenedMenu &opened = openedMenus[0];
        EXPECT_EQ((opened.flags & TPM_VERTICAL) != 0, row.besideTheIcon);
        EXPECT_EQ(opened.excluded.has_value(), row.besideTheIcon);
        if (row.besideTheIcon) {
            EXPECT_TRUE(EqualRect(&*opened.excluded, &kIconRect) != FALSE);
            EXPECT_EQ(opened.at.x, kIconRect.left);
        } else {
            EXPECT_EQ(opened.at.x, row.cursor.x);
        }
        const bool focusGivenBack =
            !notifyCalls.empty() && notifyCalls.back().message == static_cast<DWORD>(NIM_SETFOCUS);
        EXPECT_EQ(focusGivenBack, row.focusGivenBack);
    }
    answerLookUps("Shell_NotifyIconGetRect", {});
    ASSERT_TRUE(settle());
}

} // namespace

} // namespace tarvex::window_tests
