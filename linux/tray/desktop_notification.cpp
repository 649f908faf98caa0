#include "linux/tray/desktop_notification.h"

#include "linux/tray/tray_icon_host.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

namespace tarvex::win32_over_qt {

namespace {

// The freedesktop icon names of the balloon icons.
QString iconName(QSystemTrayIcon::MessageIcon icon)
{
    switch (icon) {
    case QSystemTrayIcon::Information:
        return QStringLiteral("dialog-information");
    case QSystemTrayIcon::Warning:
        return QStringLiteral("dialog-warning");
    case QSystemTrayIcon::Critical:
        return QStringLiteral("dialog-error");
    case QSystemTrayIcon::NoIcon:
        break;
    }
    return {};
}

// Urgency "normal" of the freedesktop notification protocol, sent as a byte.
constexpr uchar kNormalUrgency = 1;

} // namespace

void sendDesktopNotification(const Balloon &balloon)
{
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QGuiApplication::desktopFileName()},
        {QStringLiteral("urgency"), QVariant::fromValue(kNormalUrgency)},
    };
    notify << QCoreApplication::applicationName() << 0U << iconName(balloon.icon) << balloon.title
           << balloon.text << QStringList() << hints << balloon.milliseconds;
    QDBusConnection::sessionBus().send(notify);
}

} // namespace tarvex::win32_over_qt
