#include "win32/mod_tray.h"

#include "design/failures.h"
#include "design/icon_record.h"
#include "design/texts.h"
#include "win32/handles.h"
#include "win32/startup_steps.h"
#include "win32/system_function.h"
#include "win32/text.h"
#include "win32/window_icons.h"
#include "win32/window_state.h"

#include <algorithm>
#include <optional>
#include <span>

namespace tarvex::win32::modTray {

static_assert(design::kIconRecordFlags == (NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO));

HWND trayForm = nullptr;
WNDPROC prevWndProc = nullptr;
NOTIFYICONDATAA trayIconData{};
OwnedMenu mnuTray;

namespace {

// The record's texts go to the shell in the ANSI code page, which is 936 on a Chinese Windows.
// Elsewhere they would show garbled, and the window's texts would pass through that code page
// on their way through an ANSI window procedure: there the same record and procedure go through
// the Unicode calls instead.
bool speaksCodePage936()
{
    return GetACP() == 936;
}

NOTIFYICONDATAW unicodeRecord;

template<std::size_t N> void setUnicodeText(wchar_t (&member)[N], std::u16string_view text)
{
    // Cut at a character: a surrogate pair is never split.
    std::size_t length = std::min(text.size(), N - 1);
    if (length > 0 && length < text.size() && text[length - 1] >= 0xD800 &&
        text[length - 1] <= 0xDBFF)
        --length;
    std::copy_n(text.begin(), length, member);
    member[length] = L'\0';
}

BOOL notify(DWORD message, NOTIFYICONDATAA &record, NOTIFYICONDATAW &wideRecord)
{
    if (speaksCodePage936())
        return Shell_NotifyIconA(message, &record);
    return Shell_NotifyIconW(message, &wideRecord);
}

BOOL notify(DWORD message)
{
    return notify(message, trayIconData, unicodeRecord);
}

OwnedIcon trayIcon;

// The image the record shows, loaded at the notification area's size.
HICON loadedTrayIcon(HWND window)
{
    trayIcon = loadNotificationAreaIcon(
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)));
    return trayIcon.get();
}

// The icon comes back as it was; the greeting was said once (on Windows 10 and 11 it would come
// as a toast with a warning sign each time Explorer starts again). A taskbar that starts again
// may do so at another scale of the primary screen: the image is loaded anew for it.
BOOL addAgainWithoutBalloon()
{
    trayIconData.hIcon = loadedTrayIcon(trayForm);
    unicodeRecord.hIcon = trayIconData.hIcon;
    NOTIFYICONDATAA record = trayIconData;
    NOTIFYICONDATAW wideRecord = unicodeRecord;
    record.uFlags &= ~static_cast<UINT>(NIF_INFO);
    wideRecord.uFlags &= ~static_cast<UINT>(NIF_INFO);
    return notify(NIM_ADD, record, wideRecord);
}

// Explorer tells every top-level window when it has started again, with the icons gone; 0
// where Windows could not register the name, and then no message is that one.
UINT taskbarCreated = 0;

void createMenu()
{
    mnuTray.reset(CreatePopupMenu());
    if (mnuTray == nullptr)
        return;
    AppendMenuW(mnuTray.get(), MF_STRING, mnuShow, wideString(design::kMenuShow).c_str());
    AppendMenuW(mnuTray.get(), MF_STRING, mnuExit, wideString(design::kMenuExit).c_str());
    SetMenuDefaultItem(mnuTray.get(), mnuShow, FALSE);
}

using IconRectFunction = HRESULT(WINAPI *)(const NOTIFYICONIDENTIFIER *, RECT *);

// Where the shell shows the icon: Windows 7 on says so; nothing where it does not, or where the
// icon is out of sight (in the overflow area while it is closed).
std::optional<RECT> iconRect(HWND window)
{
    const auto getRect = systemFunction<IconRectFunction>(GetModuleHandleW(L"shell32.dll"),
                                                          "Shell_NotifyIconGetRect");
    if (getRect == nullptr)
        return std::nullopt;
    NOTIFYICONIDENTIFIER icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = design::kTrayIconId;
    RECT rect{};
    if (FAILED(getRect(&icon, &rect)))
        return std::nullopt;
    return rect;
}

// The menu where the right button was released. Without NIM_SETVERSION the shell reports Enter
// or Space on an icon chosen from the keyboard as a right-button release too, with the mouse
// anywhere: then the menu opens beside the icon, and the focus goes back to the notification
// area when it is closed with Esc, as a keyboard user expects. A menu closed by a click on
// another window leaves that window in front, and the focus where the user put it. Windows
// closes a menu when the user clicks elsewhere only if its window is in front, and opens the
// next one right only after the window has had a message.
void openMenu(HWND window)
{
    if (mnuTray == nullptr)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const std::optional<RECT> icon = iconRect(window);
    const bool fromKeyboard = icon.has_value() && PtInRect(&*icon, cursor) == FALSE;
    UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_BOTTOMALIGN;
    TPMPARAMS besideIcon{sizeof besideIcon, {}};
    if (fromKeyboard) {
        // Above the icon, or below it where the taskbar is at the top of the screen.
        flags |= TPM_VERTICAL;
        besideIcon.rcExclude = *icon;
        cursor = {icon->left, icon->top};
    }
    SetForegroundWindow(window);
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        mnuTray.get(), flags, cursor.x, cursor.y, window, fromKeyboard ? &besideIcon : nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    if (command == mnuShow)
        showInFront(window);
    else if (command == mnuExit)
        DestroyWindow(window);
    else if (fromKeyboard && GetForegroundWindow() == window)
        notify(NIM_SETFOCUS);
}

void handleIconNotification(HWND window, LPARAM mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONUP:
        toggleFromTray(window);
        break;
    case WM_RBUTTONUP:
        openMenu(window);
        break;
    default:
        break;
    }
}

} // namespace

void AddTrayIcon(HWND window, std::u16string_view tipText, std::u16string_view balloonTitle,
                 std::u16string_view balloonText, std::int32_t balloonIconKind)
{
    TARVEX_STARTUP_STEP("tray record and Shell_NotifyIcon");
    trayForm = window;

    const design::IconTexts texts{tipText, balloonTitle, balloonText, balloonIconKind};
    design::fillIconRecord(trayIconData, kRecordSize, window, loadedTrayIcon(window), texts);
    design::fillIconRecord(
        unicodeRecord, NOTIFYICONDATAW_V2_SIZE, window, trayIconData.hIcon, texts,
        [](auto &member, std::u16string_view text) { setUnicodeText(member, text); });

    // Whether the shell took the icon does not matter: without a notification area the program
    // runs on without it.
    notify(NIM_ADD);
    createMenu();
    taskbarCreated = taskbarCreatedMessage();

    const auto procedure = reinterpret_cast<LONG_PTR>(TrayWindowProc);
    prevWndProc = reinterpret_cast<WNDPROC>(
        speaksCodePage936() ? SetWindowLongPtrA(window, GWLP_WNDPROC, procedure)
                            : SetWindowLongPtrW(window, GWLP_WNDPROC, procedure));
}

UINT taskbarCreatedMessage()
{
    return RegisterWindowMessageW(L"TaskbarCreated");
}

LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    // Nothing in handling the icon's message may keep the message from the window.
    design::skipOnFailure([&] {
        if (uMsg == design::kTrayCallbackMessage && hWnd == trayForm)
            handleIconNotification(hWnd, lParam);
        else if (taskbarCreated != 0 && uMsg == taskbarCreated)
            addAgainWithoutBalloon();
        else if (uMsg == WM_DESTROY)
            // Windows leaves the icon of a program that has ended in the notification area
            // until the mouse passes over it. The window is destroyed at the end of a session
            // too (WM_ENDSESSION), before Windows ends the program.
            notify(NIM_DELETE);
    });
    if (speaksCodePage936())
        return CallWindowProcA(prevWndProc, hWnd, uMsg, wParam, lParam);
    return CallWindowProcW(prevWndProc, hWnd, uMsg, wParam, lParam);
}

} // namespace tarvex::win32::modTray
