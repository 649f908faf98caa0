#pragma once

#include "design/texts.h"
#include "linux/tray/notify_icon_data.h"
#include "linux/tray/win_types.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <string_view>

// The notification-area icon of the main window: its tool-tip, the greeting balloon at start,
// and a left click on it that hides or brings back the window. The icon's clicks reach the
// window as a message of its own, which TrayWindowProc, put in front of the window's event
// handling, picks out before passing every message on.
namespace tarvex::modTray {

// The message the icon's mouse events arrive as; the mouse message is its lParam.
constexpr win32_over_qt::UINT kTrayCallbackMessage = design::kTrayCallbackMessage;
constexpr win32_over_qt::UINT kTrayIconId = design::kTrayIconId;

// The module's state, set by AddTrayIcon for the rest of the program's life.
extern QPointer<QWidget> trayForm;
extern win32_over_qt::WNDPROC prevWndProc;
extern win32_over_qt::NOTIFYICONDATAA trayIconData;

// The icon's menu, which the notification area shows on a right click, and its items: 显示, the
// default item, shows the window at normal size in front whatever its state; 退出 ends the
// program as the window's Exit button does.
extern QPointer<QMenu> mnuTray;
extern QPointer<QAction> mnuShow;
extern QPointer<QAction> mnuExit;

// Shows the window at normal size in front and active, whatever its state: what the menu's
// 显示 does.
void showInFront(QWidget &window);

// Puts the icon for `window` into the notification area with its tool-tip and balloon, then
// hooks TrayWindowProc in front of the window's event handling. The icon has the menu
// mnuTray. The icon goes when the program ends. Texts that do not fit their members of trayIconData
// are cut.
void AddTrayIcon(QWidget *window, std::u16string_view tipText, std::u16string_view balloonTitle,
                 std::u16string_view balloonText, std::int32_t balloonIconKind);

// The hook on the window: a left-button release over the icon hides the window or brings it
// back; every message, the icon's included, then goes on unchanged to the window's own
// handling, whose result it returns.
win32_over_qt::LRESULT TrayWindowProc(win32_over_qt::HWND hWnd, win32_over_qt::UINT uMsg,
                                      win32_over_qt::WPARAM wParam, win32_over_qt::LPARAM lParam);

} // namespace tarvex::modTray
