#include "linux/tray/tray_icon_host.h"

#include "linux/tray/desktop_notification.h"
#include "linux/tray/tray_kind.h"
#include "linux/tray/window_handles.h"
#include "linux/window_manager.h"
#include "linux/tray/window_proc_hook.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace tarvex::win32_over_qt {

namespace {

// How often and how long the balloon waits for the notification area to place the icon.
constexpr int kBalloonPollMilliseconds = 10;
constexpr int kBalloonPollTries = 1000;

QSystemTrayIcon::MessageIcon balloonIcon(DWORD infoFlags)
{
    switch (infoFlags) {
    case NIIF_INFO:
        return QSystemTrayIcon::Information;
    case NIIF_WARNING:
        return QSystemTrayIcon::Warning;
    case NIIF_ERROR:
        return QSystemTrayIcon::Critical;
    default:
        return QSystemTrayIcon::NoIcon;
    }
}

} // namespace

std::optional<Balloon> balloonOf(const NOTIFYICONDATAA &record)
{
    if ((record.uFlags & NIF_INFO) == 0)
        return std::nullopt;
    Balloon balloon{QString::fromStdU16String(recordText(record.szInfoTitle)),
                    QString::fromStdU16String(recordText(record.szInfo)),
                    balloonIcon(record.dwInfoFlags), static_cast<int>(record.uTimeout)};
    if (balloon.title.isEmpty() && balloon.text.isEmpty())
        return std::nullopt;
    return balloon;
}

TrayIconHost::TrayIconHost(const NOTIFYICONDATAA &record, QObject *parent)
    : QObject(parent), m_window(record.hWnd), m_id(record.uID),
      m_callbackMessage(record.uCallbackMessage), m_balloon(balloonOf(record))
{
    const TrayKind kind = trayKindOfSession();
    if (kind == TrayKind::None)
        return;
    m_icon = new QSystemTrayIcon(this);
    if ((record.uFlags & NIF_ICON) != 0)
        m_icon->setIcon(iconFromHandle(record.hIcon));
    if ((record.uFlags & NIF_TIP) != 0)
        m_icon->setToolTip(QString::fromStdU16String(recordText(record.szTip)));
    if ((record.uFlags & NIF_MESSAGE) != 0)
        connect(m_icon, &QSystemTrayIcon::activated, this, &TrayIconHost::onActivated);
    m_icon->show();

    // A desktop notification needs no place on the screen: it goes out at once.
    if (m_balloon && kind == TrayKind::StatusNotifierItem) {
        sendDesktopNotification(*m_balloon);
    } else if (m_balloon) {
        m_balloonWait = new QTimer(this);
        connect(m_balloonWait, &QTimer::timeout, this, &TrayIconHost::showBalloonOncePlaced);
        m_balloonWait->start(kBalloonPollMilliseconds);
    }
}

void TrayIconHost::setMenu(QMenu *menu)
{
    if (m_icon != nullptr)
        m_icon->setContextMenu(menu);
}

void TrayIconHost::post(UINT mouseMessage) const
{
    PostMessageA(m_window, m_callbackMessage, m_id, static_cast<LPARAM>(mouseMessage));
}

// Qt reports a left click once, when the button goes down, and a double-click as one click
// and then the double-click, without the second click. The window expects what the mouse
// did over the icon: a release for each left click, and the double-click notification
// between the two releases of a double-click.
void TrayIconHost::onActivated(QSystemTrayIcon::ActivationReason reason) const
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        post(WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::DoubleClick:
        post(WM_LBUTTONDBLCLK);
        post(WM_LBUTTONUP);
        break;
    case QSystemTrayIcon::Context:
        post(WM_RBUTTONUP);
        break;
    case QSystemTrayIcon::MiddleClick:
        post(WM_MBUTTONUP);
        break;
    case QSystemTrayIcon::Unknown:
        break;
    }
}

void TrayIconHost::showBalloonOncePlaced()
{
    if (iconIsPlaced()) {
        m_icon->showMessage(m_balloon->title, m_balloon->text, m_balloon->icon,
                            m_balloon->milliseconds);
    } else if (++m_balloonTries < kBalloonPollTries) {
        return;
    }
    m_balloonWait->stop();
}

// Whether an X11 notification area has put Qt's icon window in its place in a panel. Until
// then Qt reports the window where it was made, at the screen's top-left corner (128x128
// before a panel that starts after the program embeds it), and a balloon shown there lands in
// that corner. Being taken in is not enough: LXQt's panel, started after the program, holds the
// icon at that corner for a while before it places it.
bool TrayIconHost::iconIsPlaced() const
{
    if (m_icon->geometry().isEmpty())
        return false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::ranges::any_of(windows, [](QWidget *window) {
        // Qt's own widget for an XEmbed icon.
        return window->inherits("QSystemTrayIconSys") &&
               windowManager::isPlacedInPanel(window->windowHandle());
    });
}

} // namespace tarvex::win32_over_qt
