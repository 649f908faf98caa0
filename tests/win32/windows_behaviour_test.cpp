// How the Win32 window behaves where Windows differs from what Wine shows by itself: an English
// system, a change of DPI, Explorer starting again, focus cues, a failure while the window is
// made. The window is made in this process from the window's own library, and the messages
// Windows would send are sent here. The notification area's calls are seen through this
// program's own import table.
#include "design/form1_design.h"
#include "design/texts.h"
#include "win32/dialog_keys.h"
#include "win32/form1.h"
#include "win32/key_filter.h"
#include "win32/program.h"
#include "win32/single_instance.h"
#include "win32/window_identity.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

using tarvex::win32::Form1;
namespace design = tarvex::design;

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

// Puts `replacement` in this program's import table in place of the DLL's function; returns
// the function it replaced, or nullptr when the program does not import it.
void *replaceImport(const char *dll, const char *function, void *replacement)
{
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleW(nullptr));
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + entry->Name), dll) != 0)
            continue;
        auto *name = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->OriginalFirstThunk);
        auto *address = reinterpret_cast<IMAGE_THUNK_DATA *>(base + entry->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++address) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal))
                continue;
            const auto *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&address->u1.Function, sizeof address->u1.Function, PAGE_READWRITE,
                           &protection);
            void *previous = reinterpret_cast<void *>(address->u1.Function);
            address->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&address->u1.Function, sizeof address->u1.Function, protection,
                           &protection);
            return previous;
        }
    }
    return nullptr;
}

// --- The window ------------------------------------------------------------------------------

// Handles what has been posted to this thread. The window's end asks the message loop to end:
// that request is dropped, or it would end the message boxes of later tests.
void pumpMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HWND controlOf(const Form1 &form, design::ControlId id)
{
    return GetDlgItem(form.handle(),
                      tarvex::win32::kFirstControlId + static_cast<int>(design::indexOf(id)));
}

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

std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
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

int widthOf(const RECT &rect)
{
    return rect.right - rect.left;
}
int heightOf(const RECT &rect)
{
    return rect.bottom - rect.top;
}

class WindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        realNotifyA = reinterpret_cast<NotifyA>(replaceImport(
            "shell32.dll", "Shell_NotifyIconA", reinterpret_cast<void *>(recordNotifyA)));
        realNotifyW = reinterpret_cast<NotifyW>(replaceImport(
            "shell32.dll", "Shell_NotifyIconW", reinterpret_cast<void *>(recordNotifyW)));
    }

    void SetUp() override
    {
        ASSERT_NE(realNotifyA, nullptr) << "the window's library calls no Shell_NotifyIconA";
        ASSERT_NE(realNotifyW, nullptr) << "the window's library calls no Shell_NotifyIconW";
        notifyCalls.clear();
        form = std::make_unique<Form1>(GetModuleHandleW(nullptr));
    }

    void TearDown() override
    {
        form.reset();
        pumpMessages();
    }

    std::unique_ptr<Form1> form;
};

// --- An English Windows ----------------------------------------------------------------------

// Every caption in the font its control draws it in: the message font's own glyphs on a Chinese
// Windows, where that font is kept, and a Chinese face's elsewhere.
TEST_F(WindowTest, EveryCaptionHasGlyphsInItsControlsFont)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_NE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0), FALSE);
    for (const design::Control &control : design::kControls) {
        if (control.caption.empty())
            continue;
        const HWND handle = controlOf(*form, control.id);
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
    for (const Conversion &conversion : kConversions) {
        SetWindowTextW(controlOf(*form, conversion.input), wide(conversion.text).c_str());
        const HWND button = controlOf(*form, conversion.command);
        SendMessageW(form->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        EXPECT_EQ(textOf(controlOf(*form, conversion.output)), wide(conversion.expected))
            << conversion.name;
    }
}

// The message box's one button reads the system's own word for OK.
struct SystemWord
{
    UINT codePage;
    const wchar_t *ok;
};
constexpr SystemWord kOkWords[] = {{936, L"确定"}, {1252, L"OK"}};

std::wstring boxButton;
bool boxAnswered = false;
DWORD boxDeadline = 0;

BOOL CALLBACK readButton(HWND child, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (lstrcmpiW(className, L"Button") != 0 || IsWindowVisible(child) == FALSE)
        return TRUE;
    boxButton = textOf(child);
    std::erase(boxButton, L'&');
    SendMessageW(child, BM_CLICK, 0, 0);
    boxAnswered = true;
    return FALSE;
}

BOOL CALLBACK answerBox(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") == 0 && IsWindowVisible(window) != FALSE)
        EnumChildWindows(window, readButton, 0);
    return boxAnswered ? FALSE : TRUE;
}

BOOL CALLBACK closeWindow(HWND window, LPARAM)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Runs inside the box's own message loop. A box that never comes is ended, failing the test.
void CALLBACK onBoxTimer(HWND, UINT, UINT_PTR timer, DWORD now)
{
    EnumThreadWindows(GetCurrentThreadId(), answerBox, 0);
    const bool late = static_cast<LONG>(now - boxDeadline) >= 0;
    if (boxAnswered || late)
        KillTimer(nullptr, timer);
    if (!boxAnswered && late)
        EnumThreadWindows(GetCurrentThreadId(), closeWindow, 0);
}

TEST_F(WindowTest, MessageBoxButtonReadsTheSystemsWordForOk)
{
    const SystemWord *word = nullptr;
    for (const SystemWord &row : kOkWords)
        if (row.codePage == GetACP())
            word = &row;
    ASSERT_NE(word, nullptr) << "no row for code page " << GetACP();
    boxButton.clear();
    boxAnswered = false;
    boxDeadline = GetTickCount() + 10000;
    SetTimer(nullptr, 0, 50, onBoxTimer);
    form->showMessage(u"1");
    EXPECT_TRUE(boxAnswered) << "no message box within 10 s";
    EXPECT_EQ(boxButton, word->ok);
}

// --- A change of DPI -------------------------------------------------------------------------

enum class State { Normal, Maximised, InTheTray };

struct DpiRow
{
    const char *name;
    State state;
};
constexpr DpiRow kDpiRows[] = {
    {"normal", State::Normal}, {"maximised", State::Maximised}, {"inTheTray", State::InTheTray}};

using GetSystemMetricsForDpiFunction = int(WINAPI *)(int, UINT);

TEST_F(WindowTest, DpiChangeKeepsTheStateAndFitsTheNewDpi)
{
    const auto metricForDpi =
        reinterpret_cast<GetSystemMetricsForDpiFunction>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    ASSERT_NE(metricForDpi, nullptr);
    for (const DpiRow &row : kDpiRows) {
        SCOPED_TRACE(row.name);
        form = std::make_unique<Form1>(GetModuleHandleW(nullptr));
        pumpMessages();
        const HWND window = form->handle();
        form->show(SW_SHOWNORMAL);
        pumpMessages();
        const RECT normalBefore = normalPlace(window);
        const int fontBefore = std::abs(fontOf(controlOf(*form, design::Command1)).lfHeight);
        if (row.state == State::Maximised)
            ShowWindow(window, SW_MAXIMIZE);
        if (row.state == State::InTheTray)
            SendMessageW(window, design::kTrayCallbackMessage, design::kTrayIconId, WM_LBUTTONUP);
        pumpMessages();
        RECT before{};
        GetWindowRect(window, &before);
        notifyCalls.clear();

        // Twice the DPI: Windows suggests the window twice as large where it stands.
        RECT suggested{before.left, before.top, before.left + 2 * widthOf(before),
                       before.top + 2 * heightOf(before)};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192),
                     reinterpret_cast<LPARAM>(&suggested));
        pumpMessages();

        RECT after{};
        GetWindowRect(window, &after);
        EXPECT_NEAR(std::abs(fontOf(controlOf(*form, design::Command1)).lfHeight), 2 * fontBefore,
                    1)
            << "the controls' font is not the new DPI's";
        const auto smallIcon =
            reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(iconWidth(smallIcon), metricForDpi(SM_CXSMICON, 192));
        ASSERT_EQ(notifyCalls.size(), 1U) << "the tray icon did not follow";
        EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(notifyCalls[0].flags, static_cast<UINT>(NIF_ICON));
        EXPECT_EQ(iconWidth(notifyCalls[0].icon), metricForDpi(SM_CXSMICON, 192));

        switch (row.state) {
        case State::Normal:
            EXPECT_TRUE(EqualRect(&after, &suggested))
                << "took " << after.left << "," << after.top << " " << widthOf(after) << "x"
                << heightOf(after);
            EXPECT_FALSE(IsZoomed(window));
            break;
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
        // Its normal size is the new DPI's: about twice the old one, the caption factor of the
        // new font being its own.
        const RECT normalAfter = normalPlace(window);
        EXPECT_NEAR(widthOf(normalAfter), 2.0 * widthOf(normalBefore),
                    0.08 * widthOf(normalBefore));
        EXPECT_NEAR(heightOf(normalAfter), 2.0 * heightOf(normalBefore),
                    0.08 * heightOf(normalBefore));
        SendMessageW(window, tarvex::win32::showRequestMessage(), 0, 0);
        pumpMessages();
        RECT restored{};
        GetWindowRect(window, &restored);
        EXPECT_TRUE(IsWindowVisible(window) && !IsIconic(window) && !IsZoomed(window));
        EXPECT_EQ(widthOf(restored), widthOf(normalAfter));
        EXPECT_EQ(heightOf(restored), heightOf(normalAfter));
    }
}

// --- Explorer starting again -----------------------------------------------------------------

TEST_F(WindowTest, TaskbarCreatedBringsTheIconBackWithoutTheGreeting)
{
    form->show(SW_SHOWNORMAL);
    pumpMessages();
    ASSERT_FALSE(notifyCalls.empty());
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_NE(notifyCalls[0].flags & NIF_INFO, 0U) << "no greeting at start";
    notifyCalls.clear();

    SendMessageW(form->handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_EQ(notifyCalls.size(), 1U);
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(notifyCalls[0].flags & (NIF_MESSAGE | NIF_ICON | NIF_TIP),
              static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(notifyCalls[0].flags & NIF_INFO, 0U) << "the greeting came again";
    EXPECT_EQ(notifyCalls[0].tip, wide(design::kTrayTip));
}

// --- Focus cues ------------------------------------------------------------------------------

struct FocusKey
{
    const char *name;
    design::ControlId from;
    WPARAM key;
    bool shift;
};
constexpr FocusKey kFocusKeys[] = {
    {"tab", design::Option1, VK_TAB, false},     {"shiftTab", design::Option1, VK_TAB, true},
    {"down", design::Option1, VK_DOWN, false},   {"up", design::Option1, VK_UP, false},
    {"right", design::Option1, VK_RIGHT, false}, {"left", design::Option7, VK_LEFT, false},
};

void holdShift(bool held)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

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
    const HWND window = form->handle();
    ShowWindow(window, SW_SHOWNORMAL);
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
        const HWND from = controlOf(*form, row.from);
        SetFocus(from);
        cueShown = false;
        holdShift(row.shift);
        const MSG key{from, WM_KEYDOWN, row.key, 1, 0, {}};
        EXPECT_TRUE(form->handleDialogKey(key));
        holdShift(false);
        const HWND focus = GetFocus();
        EXPECT_NE(focus, from) << "the focus did not move";
        EXPECT_TRUE(cueShown) << "the window was not asked to show focus cues";
        if (keepsUiState) {
            EXPECT_EQ(SendMessageW(focus, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0)
                << "the focus cue stays hidden";
        }
    }
    RemoveWindowSubclass(window, recordCueRequests, 1);
}

// Reached with Tab below the client area, where it cannot be seen, 退出 still does what it
// says when Space presses it: the keyboard user went there on purpose, one stop after 转换.
TEST_F(WindowTest, SpaceOnTheUnseenExitButtonCloses)
{
    const HWND window = form->handle();
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(controlOf(*form, design::Command1));
    EXPECT_TRUE(form->handleDialogKey(MSG{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}}));
    const HWND exit = GetFocus();
    ASSERT_EQ(exit, controlOf(*form, design::Command2));
    SendMessageW(exit, WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(exit, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_FALSE(IsWindow(window));
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
        if (lstrcmpW(className, tarvex::win32::kWindowClassName) == 0)
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
        pumpMessages();
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
        const tarvex::win32::KeyFilter filter(box, [&asked] {
            if (asked++ > 0)
                throw std::runtime_error("no base");
            return design::InputBase::Decimal;
        });
        SendMessageW(box, WM_CHAR, L'1', 1);
    }
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(textOf(box), L"");
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
    ~ReplacedImport() { replaceImport(dll, function, previous); }
    const char *dll;
    const char *function;
    void *previous;
};

// What the window looks up at run time, as this test has it: the UIPI filter, whose calls are
// recorded with whether the window had its controls yet.
struct Filtered
{
    UINT message;
    bool hadControls;
};
std::vector<Filtered> filtered;
BOOL WINAPI recordFilter(HWND window, UINT message, DWORD, void *)
{
    filtered.push_back({message, GetWindow(window, GW_CHILD) != nullptr});
    return TRUE;
}
const auto realGetProcAddress = GetProcAddress;
FARPROC WINAPI lookUp(HMODULE module, LPCSTR name)
{
    if (HIWORD(name) != 0 && std::strcmp(name, "ChangeWindowMessageFilterEx") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void *>(recordFilter));
    return realGetProcAddress(module, name);
}

TEST_F(WindowTest, ShowRequestPassesUipiBeforeTheControlsAreMade)
{
    const ReplacedImport lookups("kernel32.dll", "GetProcAddress",
                                 reinterpret_cast<void *>(lookUp));
    filtered.clear();
    form = std::make_unique<Form1>(GetModuleHandleW(nullptr));
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
    filtered.clear();
    {
        const ReplacedImport registration("user32.dll", "RegisterWindowMessageW",
                                          reinterpret_cast<void *>(registerNothing));
        const ReplacedImport lookups("kernel32.dll", "GetProcAddress",
                                     reinterpret_cast<void *>(lookUp));
        form.reset();
        form = std::make_unique<Form1>(GetModuleHandleW(nullptr));
        form->show(SW_SHOWNORMAL);
    }
    EXPECT_TRUE(filtered.empty()) << "WM_NULL let through UIPI";
    SendMessageW(form->handle(), design::kTrayCallbackMessage, design::kTrayIconId, WM_LBUTTONUP);
    notifyCalls.clear();
    SendMessageW(form->handle(), WM_NULL, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form->handle())) << "WM_NULL taken for a show request";
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

bool freeAtTheBox = false;
void CALLBACK answerBoxSeeingTheSession(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (FindWindowW(L"#32770", nullptr) == nullptr)
        return;
    KillTimer(nullptr, timer);
    freeAtTheBox = sessionFree();
    EnumThreadWindows(GetCurrentThreadId(), answerBox, 0);
}

TEST(RefusedWindow, LetsTheSessionGoBeforeTheBoxSaysSo)
{
    SingleInstance session;
    ASSERT_EQ(session.settle(), SingleInstance::Start::RunsHere);
    madeWindow = nullptr;
    windowsToMake = 0;
    creationHook = SetWindowsHookExW(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(creationHook, nullptr);
    boxAnswered = false;
    freeAtTheBox = false;
    SetTimer(nullptr, 0, 50, answerBoxSeeingTheSession);
    EXPECT_EQ(tarvex::win32::runTarvex(GetModuleHandleW(nullptr), SW_SHOWNORMAL, session), 1);
    UnhookWindowsHookEx(creationHook);
    EXPECT_TRUE(boxAnswered) << "no 无法创建窗口";
    EXPECT_TRUE(freeAtTheBox) << "a second start waits behind the box";
    pumpMessages();
}

TEST_F(WindowTest, EndingSessionTakesTheIconAway)
{
    form->show(SW_SHOWNORMAL);
    for (const BOOL ending : {FALSE, TRUE}) {
        notifyCalls.clear();
        SendMessageW(form->handle(), WM_ENDSESSION, ending, 0);
        ASSERT_EQ(notifyCalls.size(), ending != FALSE ? 1U : 0U) << "ending " << ending;
    }
    EXPECT_EQ(notifyCalls[0].message, static_cast<DWORD>(NIM_DELETE));
}

} // namespace
