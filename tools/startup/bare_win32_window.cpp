// The yardstick for the Windows program's start-up cost: what a plain Win32 program with the
// same parts does and nothing more. The same thirty controls (eleven group boxes, eight radio
// buttons, six edit boxes, four push buttons and a label) with the same captions at their
// design places, in the desktop's message font, in a window of the same size, title and icon;
// a notification-area icon with the same tool-tip and greeting balloon, put there before the
// window shows as Tarvex puts its own; and the same manifest (common controls 6, per-monitor
// DPI awareness), from its resources.
#include "design/form1_design.h"
#include "design/layout_arithmetic.h"
#include "design/texts.h"
#include "win32/handles.h"
#include "win32/startup_steps.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

using tarvex::design::ControlKind;

constexpr const wchar_t *kClassName = L"Tarvex.BareWindow";
// The icon's resource, as bare_win32_window.rc names it.
constexpr int kIconResource = 1;

std::wstring wide(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

template<std::size_t N> void copyText(wchar_t (&member)[N], std::u16string_view text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, member);
    member[length] = L'\0';
}

struct ControlClass
{
    const wchar_t *name;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass classOf(ControlKind kind)
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (kind) {
    case ControlKind::GroupBox:
        return {WC_BUTTONW, kChild | BS_GROUPBOX, 0};
    case ControlKind::RadioButton:
        return {WC_BUTTONW, kChild | BS_AUTORADIOBUTTON, 0};
    case ControlKind::TextBox:
        return {WC_EDITW, kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:
        return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Label:
        break;
    }
    return {WC_STATICW, kChild | SS_LEFT, 0};
}

NOTIFYICONDATAW trayIcon(HWND window, HICON icon)
{
    NOTIFYICONDATAW record{};
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.hWnd = window;
    record.uID = tarvex::design::kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    record.uCallbackMessage = tarvex::design::kTrayCallbackMessage;
    record.hIcon = icon;
    copyText(record.szTip, tarvex::design::kTrayTip);
    copyText(record.szInfo, tarvex::design::kBalloonText);
    record.uTimeout = tarvex::design::kBalloonMilliseconds;
    copyText(record.szInfoTitle, tarvex::design::kBalloonTitle);
    record.dwInfoFlags = static_cast<DWORD>(tarvex::design::kBalloonIconKind);
    return record;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        NOTIFYICONDATAW record{};
        record.cbSize = NOTIFYICONDATAW_V2_SIZE;
        record.hWnd = window;
        record.uID = tarvex::design::kTrayIconId;
        Shell_NotifyIconW(NIM_DELETE, &record);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

tarvex::win32::OwnedIcon loadIcon(HINSTANCE instance, int widthMetric, int heightMetric)
{
    TARVEX_STARTUP_STEP("icons");
    return tarvex::win32::OwnedIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                   GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0)));
}

HWND makeWindow(HINSTANCE instance)
{
    TARVEX_STARTUP_STEP("window class and window");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0)
        return nullptr;

    const tarvex::design::Size client = tarvex::design::scaledClientArea({});
    const tarvex::design::Point place = tarvex::design::designPlace(1.0);
    RECT frame{place.x, place.y, place.x + client.width, place.y + client.height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return CreateWindowExW(0, kClassName, wide(tarvex::design::kWindowCaption).c_str(),
                           WS_OVERLAPPEDWINDOW, frame.left, frame.top, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}

tarvex::win32::OwnedFont messageFont()
{
    TARVEX_STARTUP_STEP("caption font and glyph check");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return tarvex::win32::OwnedFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

// Each control made at its design place, in the font.
bool createControls(HWND window, HFONT font, HINSTANCE instance)
{
    TARVEX_STARTUP_STEP("controls' creation");
    int id = 100;
    for (const tarvex::design::Control &control : tarvex::design::kControls) {
        const ControlClass controlClass = classOf(control.kind);
        const tarvex::design::Rect rect = tarvex::design::placeInWindow(control, {});
        HWND made = CreateWindowExW(
            controlClass.extendedStyle, controlClass.name, wide(control.caption).c_str(),
            controlClass.style, rect.left, rect.top, rect.width, rect.height, window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        if (made == nullptr)
            return false;
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

void addTrayIcon(HWND window, HICON icon)
{
    TARVEX_STARTUP_STEP("tray record and Shell_NotifyIcon");
    NOTIFYICONDATAW record = trayIcon(window, icon);
    Shell_NotifyIconW(NIM_ADD, &record);
}

void show(HWND window, int showCommand)
{
    TARVEX_STARTUP_STEP("showing the window");
    ShowWindow(window, showCommand);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    TARVEX_STARTUP_BEGIN();
    {
        TARVEX_STARTUP_STEP("common controls");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    HWND window = makeWindow(instance);
    if (window == nullptr)
        return 1;
    const tarvex::win32::OwnedFont font = messageFont();
    if (!createControls(window, font.get(), instance))
        return 1;

    const tarvex::win32::OwnedIcon bigIcon = loadIcon(instance, SM_CXICON, SM_CYICON);
    const tarvex::win32::OwnedIcon smallIcon = loadIcon(instance, SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    addTrayIcon(window, smallIcon.get());

    show(window, showCommand);
    MSG message{};
    for (;;) {
        TARVEX_STARTUP_REPORT_WHEN_IDLE();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            break;
        TARVEX_STARTUP_STEP("messages until the thread first waits");
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
