#pragma once

#include "notify_icon_data.h"

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

#include <optional>

class QTimer;

namespace tarvex::win {

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
class TrayIconHost : public QObject
{
    Q_OBJECT
public:
    TrayIconHost(const NOTIFYICONDATAA &record, QObject *parent);

    [[nodiscard]] UINT id() const { return m_id; }

private:
    void post(UINT mouseMessage) const;
    void onActivated(QSystemTrayIcon::ActivationReason reason) const;
    void showBalloon() const;
    void showBalloonWhenPlaced();

    HWND m_window;
    UINT m_id;
    UINT m_callbackMessage;
    QSystemTrayIcon *m_icon = nullptr;
    std::optional<Balloon> m_balloon;
    QTimer *m_balloonWait = nullptr;
    int m_balloonTries = 0;
};

} // namespace tarvex::win
