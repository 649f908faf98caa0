#include "tray_kind.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QGuiApplication>

namespace tarvex::win {

namespace {

bool statusNotifierHostRegistered()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    const QDBusInterface interface(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher, bus);
    return interface.isValid() && interface.property("IsStatusNotifierHostRegistered").toBool();
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

} // namespace tarvex::win
