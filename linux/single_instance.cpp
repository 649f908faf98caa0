#include "linux/single_instance.h"

#include "linux/tray/mod_tray.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QWidget>

namespace tarvex {

namespace {

// The program's AppStream id, and the object path that D-Bus activatable applications derive
// from it.
const QString kServiceName = QStringLiteral("invalid.tarvex.Tarvex");
const QString kObjectPath = QStringLiteral("/invalid/tarvex/Tarvex");
const QString kInterface = QStringLiteral("org.freedesktop.Application");

} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent) {}

bool SingleInstance::claimSession()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return true;
    // The object is there before the name, so that a start that finds the name finds someone
    // to answer; its calls wait in the queue until the window exists.
    bus.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots);
    if (bus.registerService(kServiceName))
        return true;
    bus.unregisterObject(kObjectPath);

    QDBusMessage activate = QDBusMessage::createMethodCall(kServiceName, kObjectPath, kInterface,
                                                           QStringLiteral("Activate"));
    activate << QVariantMap();
    // A program that ended between the two calls answers nothing: this start then runs on its
    // own.
    return bus.call(activate).type() != QDBusMessage::ReplyMessage;
}

void SingleInstance::Activate(const QVariantMap & /*platformData*/)
{
    if (!m_window.isNull())
        modTray::showInFront(*m_window);
}

} // namespace tarvex
