#pragma once

#include "linux/tray/notify_icon_data.h"

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <optional>

class QMenu;
class QTimer;

namespace tarvex::win32_over_qt {

// The balloon a record asks for: title, text, icon and time-out.
struct Balloon
{
    QString title;
    QString text;
    QSystemTrayIcon::MessageIcon icon;
    int milliseconds;
};

// The balloon of a record with NIF_INFO and a title or text, nullopt otherwise.
[[nodiscard]] std::optional<Balloon> balloonOf(const NOTIFYICONDATAA &record);

// One notification-area icon, shown as a record describes it: its icon and tool-tip, its
// balloon once at start, and its mouse events posted to the record's window as the record's
// callback message, with the icon's identifier and the mouse message. Where the session can
// show no icon (Wayland without a StatusNotifierItem host), there is none and nothing is said.
//
// On a D-Bus notification area (StatusNotifierItem) the balloon is a desktop notification of
// the program's own: Qt's would put a warning sign in place of the icon while it is up. In an
// X11 notification area (XEmbed) it is Qt's balloon beside the icon, once the area has put the
// icon in its place in a panel; one that has not within ten seconds gets no balloon, rather than
// one in a corner of the screen.
class TrayIconHost : public QObject
{
    Q_OBJECT
public:
    TrayIconHost(const NOTIFYICONDATAA &record, QObject *parent);

    [[nodiscard]] UINT id() const { return m_id; }

    // The icon's menu: X11 notification areas show it on a right click; D-Bus ones read it
    // from the program and show it as they show menus (GNOME on a left click too).
    void setMenu(QMenu *menu);

private:
    void post(UINT mouseMessage) const;
    void onActivated(QSystemTrayIcon::ActivationReason reason) const;
    void showBalloonOncePlaced();
    [[nodiscard]] bool iconIsPlaced() const;

    HWND m_window;
    UINT m_id;
    UINT m_callbackMessage;
    QSystemTrayIcon *m_icon = nullptr;
    std::optional<Balloon> m_balloon;
    QTimer *m_balloonWait = nullptr;
    int m_balloonTries = 0;
};

} // namespace tarvex::win32_over_qt
