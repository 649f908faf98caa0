#include "linux/tray/mod_tray.h"

#include "design/failures.h"
#include "design/icon_record.h"
#include "linux/tray/shell_notify.h"
#include "linux/tray/window_handles.h"
#include "linux/tray/window_proc_hook.h"
#include "linux/window_manager.h"

#include <QCoreApplication>

namespace tarvex::modTray {

QPointer<QWidget> trayForm;
win32_over_qt::WNDPROC prevWndProc = nullptr;
win32_over_qt::NOTIFYICONDATAA trayIconData{};
QPointer<QMenu> mnuTray;
QPointer<QAction> mnuShow;
QPointer<QAction> mnuExit;

static_assert(design::kIconRecordFlags == (win32_over_qt::NIF_MESSAGE | win32_over_qt::NIF_ICON |
                                           win32_over_qt::NIF_TIP | win32_over_qt::NIF_INFO));

namespace {

constexpr win32_over_qt::DWORD kRecordSize = sizeof(win32_over_qt::NOTIFYICONDATAA);

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

void handleIconNotification(win32_over_qt::LPARAM mouseMessage)
{
    if (mouseMessage != static_cast<win32_over_qt::LPARAM>(win32_over_qt::WM_LBUTTONUP) ||
        trayForm.isNull())
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

void AddTrayIcon(QWidget *window, std::u16string_view tipText, std::u16string_view balloonTitle,
                 std::u16string_view balloonText, std::int32_t balloonIconKind)
{
    trayForm = window;

    design::fillIconRecord(trayIconData, kRecordSize, win32_over_qt::windowHandle(window),
                           win32_over_qt::iconHandle(window->windowIcon()),
                           {tipText, balloonTitle, balloonText, balloonIconKind});

    // Whether the icon could be shown does not matter: without a notification area the
    // program runs on without it.
    win32_over_qt::Shell_NotifyIconA(win32_over_qt::NIM_ADD, &trayIconData);
    createMenu(window);
    win32_over_qt::SetNotifyIconMenu(trayIconData.hWnd, trayIconData.uID, mnuTray);
    // An icon left behind by a program that has ended would answer no clicks.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, [] {
        win32_over_qt::Shell_NotifyIconA(win32_over_qt::NIM_DELETE, &trayIconData);
    });

    prevWndProc = win32_over_qt::SetWindowLongA(trayIconData.hWnd, win32_over_qt::GWL_WNDPROC,
                                                TrayWindowProc);
}

win32_over_qt::LRESULT TrayWindowProc(win32_over_qt::HWND hWnd, win32_over_qt::UINT uMsg,
                                      win32_over_qt::WPARAM wParam, win32_over_qt::LPARAM lParam)
{
    // Nothing in handling the icon's message may keep the message from the window.
    if (uMsg == kTrayCallbackMessage)
        design::skipOnFailure([lParam] { handleIconNotification(lParam); });
    return win32_over_qt::CallWindowProcA(prevWndProc, hWnd, uMsg, wParam, lParam);
}

} // namespace tarvex::modTray
