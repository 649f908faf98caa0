#include "linux/tray/shell_notify.h"

#include "linux/tray/tray_icon_host.h"
#include "linux/tray/window_handles.h"

#include <QSystemTrayIcon>
#include <QWidget>

namespace tarvex::win32_over_qt {

namespace {

TrayIconHost *findIcon(QWidget *window, UINT id)
{
    for (auto *host : window->findChildren<TrayIconHost *>(QString(), Qt::FindDirectChildrenOnly))
        if (host->id() == id)
            return host;
    return nullptr;
}

} // namespace

BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data)
{
    QWidget *window = data != nullptr ? windowFromHandle(data->hWnd) : nullptr;
    if (window == nullptr)
        return 0;
    TrayIconHost *existing = findIcon(window, data->uID);
    switch (message) {
    case NIM_ADD:
        if (existing != nullptr)
            return 0;
        new TrayIconHost(*data, window);
        return QSystemTrayIcon::isSystemTrayAvailable() ? 1 : 0;
    case NIM_DELETE:
        delete existing;
        return existing != nullptr ? 1 : 0;
    default:
        return 0;
    }
}

BOOL SetNotifyIconMenu(HWND hWnd, UINT uID, QMenu *menu)
{
    QWidget *window = windowFromHandle(hWnd);
    TrayIconHost *icon = window != nullptr ? findIcon(window, uID) : nullptr;
    if (icon == nullptr)
        return 0;
    icon->setMenu(menu);
    return 1;
}

} // namespace tarvex::win32_over_qt
