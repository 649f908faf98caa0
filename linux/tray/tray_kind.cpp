#include "linux/tray/tray_kind.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QGuiApplication>

namespace tarvex::win32_over_qt {

namespace {

bool statusNotifierHostRegistered()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // One Properties.Get, without the introspection a QDBusInterface would do first.
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcher, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusReply<QDBusVariant> registered = bus.call(get);
    return registered.isValid() && registered.value().variant().toBool();
}

TrayKind decideTrayKind()
{
    if (statusNotifierHostRegistered())
        return TrayKind::StatusNotifierItem;
    // Qt would fall back to an XEmbed icon there too, and warn that the platform lacks it.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return TrayKind::None;
    return TrayKind::XEmbed;
}

} // namespace

TrayKind trayKindOfSession()
{
    static const TrayKind kind = decideTrayKind();
    return kind;
}

} // namespace tarvex::win32_over_qt
