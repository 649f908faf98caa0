#include "mod_tray.h"

#include "shell_notify.h"
#include "window_handles.h"
#include "window_manager.h"
#include "window_proc_hook.h"

#include <QCoreApplication>

#include <exception>

namespace tarvex::modTray {

QPointer<QWidget> trayForm;
win::WNDPROC prevWndProc = nullptr;
win::NOTIFYICONDATAA trayIconData{};
QPointer<QMenu> mnuTray;
QPointer<QAction> mnuShow;
QPointer<QAction> mnuExit;

namespace {

constexpr win::DWORD kRecordSize = sizeof(win::NOTIFYICONDATAA);

std::u16string toStd(const QString &text)
{
    return text.toStdU16String();
}

// A minimised window, hidden by an earlier click or minimised by its own title-bar button
// (Qt still calls the latter visible), comes back at normal size in front; any other is
// taken off the screen, leaving only the icon.
//
// On X11 the window is hidden without being minimised first: asking the window manager to
// minimise a window that is then unmapped leaves the request in flight, and a window shown
// again soon after (the second click of a double-click) comes back iconified under openbox.
// A hidden window therefore counts as minimised here.
void toggleWindow(QWidget &window)
{
    if (window.isMinimized() || window.isHidden())
        showInFront(window);
    else
        window.hide();
}

void createMenu(QWidget *window)
{
    mnuTray = new QMenu(window);
    mnuTray->setObjectName(QStringLiteral("mnuTray"));
    mnuShow = mnuTray->addAction(QStringView(design::kMenuShow).toString());
    mnuShow->setObjectName(QStringLiteral("mnuShow"));
    mnuTray->setDefaultAction(mnuShow);
    mnuExit = mnuTray->addAction(QStringView(design::kMenuExit).toString());
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    QObject::connect(mnuShow, &QAction::triggered, window, [] {
        if (!trayForm.isNull())
            showInFront(*trayForm);
    });
    // The window is closed as its Exit button closes it, and with it gone the program ends,
    // also when the window was hidden: closing a hidden window would not end it by itself.
    QObject::connect(mnuExit, &QAction::triggered, window, [] {
        if (!trayForm.isNull())
            trayForm->close();
        QCoreApplication::quit();
    });
}

void handleIconNotification(win::LPARAM mouseMessage)
{
    if (mouseMessage != static_cast<win::LPARAM>(win::WM_LBUTTONUP) || trayForm.isNull())
        return;
    toggleWindow(*trayForm);
}

} // namespace

// The window is made active as a task bar does it: UKUI's window manager refuses a program's
// own request to activate a window minimised with its title-bar button (it only marks it as
// wanting attention), and the window stayed minimised.
void showInFront(QWidget &window)
{
    window.setWindowState(Qt::WindowNoState);
    window.show();
    window.raise();
    if (!windowManager::activateAsPager(window.windowHandle()))
        window.activateWindow();
}

void AddTrayIcon(QWidget *window, const QString &tipText, const QString &balloonTitle,
                 const QString &balloonText, std::int32_t balloonIconKind)
{
    trayForm = window;

    trayIconData = {};
    trayIconData.cbSize = kRecordSize;
    trayIconData.hWnd = win::windowHandle(window);
    trayIconData.uID = kTrayIconId;
    trayIconData.uFlags = win::NIF_MESSAGE | win::NIF_ICON | win::NIF_TIP | win::NIF_INFO;
    trayIconData.uCallbackMessage = kTrayCallbackMessage;
    trayIconData.hIcon = win::iconHandle(window->windowIcon());
    win::setRecordText(trayIconData.szTip, toStd(tipText));
    trayIconData.dwState = 0;
    trayIconData.dwStateMask = 0;
    win::setRecordText(trayIconData.szInfo, toStd(balloonText));
    trayIconData.uTimeout = design::kBalloonMilliseconds;
    win::setRecordText(trayIconData.szInfoTitle, toStd(balloonTitle));
    trayIconData.dwInfoFlags = static_cast<win::DWORD>(balloonIconKind);

    // Whether the icon could be shown does not matter: without a notification area the
    // program runs on without it.
    win::Shell_NotifyIconA(win::NIM_ADD, &trayIconData);
    createMenu(window);
    win::SetNotifyIconMenu(trayIconData.hWnd, trayIconData.uID, mnuTray);
    // An icon left behind by a program that has ended would answer no clicks.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window,
                     [] { win::Shell_NotifyIconA(win::NIM_DELETE, &trayIconData); });

    prevWndProc = win::SetWindowLongA(trayIconData.hWnd, win::GWL_WNDPROC, TrayWindowProc);
}

win::LRESULT TrayWindowProc(win::HWND hWnd, win::UINT uMsg, win::WPARAM wParam, win::LPARAM lParam)
{
    if (uMsg == kTrayCallbackMessage) {
        // Nothing in handling the icon's message may keep the message from the window.
        try {
            handleIconNotification(lParam);
        } catch (const std::exception &) {
        }
    }
    return win::CallWindowProcA(prevWndProc, hWnd, uMsg, wParam, lParam);
}

} // namespace tarvex::modTray
