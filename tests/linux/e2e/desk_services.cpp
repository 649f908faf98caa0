// The D-Bus side of a desktop's panel, for end-to-end tests on a private session bus: a
// StatusNotifierWatcher with a host registered, as KDE Plasma's or the AppIndicator
// extension's, and a notification server. It reports on standard output, a line each:
//   ready
//   registered <service> <path>      an item registered with the watcher
//   gone <service>                   a registered item's connection left the bus
//   notify <app>|<icon>|<title>|<text>|<milliseconds>|urgency=<n>|desktop-entry=<name>
//   tarvex-test-desk-services [--no-watcher]
// And what a panel does with an item's menu (com.canonical.dbusmenu), one call each:
//   tarvex-test-desk-services menu SERVICE        prints "item <id> <label>" for each top item
//   tarvex-test-desk-services click SERVICE ID    clicks the item
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QStringList>
#include <QTextStream>
#include <QVariantMap>

#include <cstdlib>

namespace {

void report(const QString &line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

class Watcher : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    explicit Watcher(QObject *parent) : QObject(parent)
    {
        m_gone.setConnection(QDBusConnection::sessionBus());
        m_gone.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
        connect(&m_gone, &QDBusServiceWatcher::serviceUnregistered, this,
                [this](const QString &service) {
                    m_items.removeAll(service);
                    m_gone.removeWatchedService(service);
                    report(QStringLiteral("gone ") + service);
                    emit StatusNotifierItemUnregistered(service);
                });
    }

    [[nodiscard]] QStringList items() const { return m_items; }

public slots:
    void registerItem(const QString &serviceOrPath)
    {
        // Items name either their service or, as Qt's and Ayatana's do, their object path on
        // the caller's own connection.
        const QString sender = message().service();
        const bool isPath = serviceOrPath.startsWith(QLatin1Char('/'));
        const QString service = isPath ? sender : serviceOrPath;
        const QString path = isPath ? serviceOrPath : QStringLiteral("/StatusNotifierItem");
        m_items << service;
        m_gone.addWatchedService(service);
        report(QStringLiteral("registered %1 %2").arg(service, path));
        emit StatusNotifierItemRegistered(service);
    }

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);

private:
    QStringList m_items;
    QDBusServiceWatcher m_gone;
};

class WatcherAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    explicit WatcherAdaptor(Watcher *watcher) : QDBusAbstractAdaptor(watcher), m_watcher(watcher)
    {
        setAutoRelaySignals(true);
    }

    [[nodiscard]] static bool isHostRegistered() { return true; }
    [[nodiscard]] QStringList items() const { return m_watcher->items(); }
    [[nodiscard]] static int protocolVersion() { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString &service) { m_watcher->registerItem(service); }
    void RegisterStatusNotifierHost(const QString &) {}

signals:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    Watcher *m_watcher;
};

class NotificationsAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit NotificationsAdaptor(QObject *parent) : QDBusAbstractAdaptor(parent) {}

public slots:
    uint Notify(const QString &app, uint, const QString &icon, const QString &title,
                const QString &text, const QStringList &, const QVariantMap &hints,
                int milliseconds)
    {
        report(QStringLiteral("notify %1|%2|%3|%4|%5|urgency=%6|desktop-entry=%7")
                   .arg(app, icon, title, text)
                   .arg(milliseconds)
                   .arg(hints.value(QStringLiteral("urgency")).toInt())
                   .arg(hints.value(QStringLiteral("desktop-entry")).toString()));
        return ++m_lastId;
    }
    static QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    static QString GetServerInformation(QString &vendor, QString &version, QString &protocolVersion)
    {
        vendor = QStringLiteral("Tarvex tests");
        version = QStringLiteral("1.0");
        protocolVersion = QStringLiteral("1.2");
        return QStringLiteral("tarvex-test-desk-services");
    }
    void CloseNotification(uint) {}

signals:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString &action);

private:
    uint m_lastId = 0;
};

// Calls go out as plain messages: a QDBusInterface would introspect the item first, and Qt
// keeps the meta-object it builds from that until the end, which the leak checker reports.
QDBusMessage callItem(const QString &item, const QString &path, const QString &interface,
                      const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(item, path, interface, method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call);
}

// The object path of an item's menu, as the item tells it.
QString menuPath(const QString &item)
{
    const QDBusReply<QDBusVariant> menu =
        callItem(item, QStringLiteral("/StatusNotifierItem"),
                 QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Menu")});
    return menu.isValid() ? menu.value().variant().value<QDBusObjectPath>().path() : QString();
}

QDBusMessage callMenu(const QString &item, const QString &method, const QVariantList &arguments)
{
    return callItem(item, menuPath(item), QStringLiteral("com.canonical.dbusmenu"), method,
                    arguments);
}

// Prints the top items of the menu: GetLayout gives (id, properties, children), each child a
// variant holding the same.
int printMenu(const QString &item)
{
    const QDBusMessage reply = callMenu(item, QStringLiteral("GetLayout"), {0, -1, QStringList()});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2) {
        report(QStringLiteral("no menu: ") + reply.errorMessage());
        return EXIT_FAILURE;
    }
    const auto layout = reply.arguments().at(1).value<QDBusArgument>();
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    layout.beginArray();
    while (!layout.atEnd()) {
        QDBusVariant child;
        layout >> child;
        const auto entry = child.variant().value<QDBusArgument>();
        entry.beginStructure();
        entry >> id >> properties;
        entry.endStructure();
        report(QStringLiteral("item %1 %2").arg(id).arg(properties.value("label").toString()));
    }
    layout.endArray();
    layout.endStructure();
    return EXIT_SUCCESS;
}

int clickItem(const QString &item, int id)
{
    const QDBusMessage reply =
        callMenu(item, QStringLiteral("Event"),
                 {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0U});
    if (reply.type() != QDBusMessage::ReplyMessage) {
        report(QStringLiteral("click failed: ") + reply.errorMessage());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

bool serve(QObject *object, const QString &service, const QString &path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.registerObject(path, object, QDBusConnection::ExportAdaptors) &&
           bus.registerService(service);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments.at(1) == QLatin1String("menu"))
        return printMenu(arguments.at(2));
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("click"))
        return clickItem(arguments.at(2), arguments.at(3).toInt());
    const bool withWatcher =
        !QCoreApplication::arguments().contains(QStringLiteral("--no-watcher"));

    QObject notifications;
    new NotificationsAdaptor(&notifications);
    if (!serve(&notifications, QStringLiteral("org.freedesktop.Notifications"),
               QStringLiteral("/org/freedesktop/Notifications"))) {
        report(QStringLiteral("cannot serve notifications on the session bus"));
        return EXIT_FAILURE;
    }
    Watcher watcher(&app);
    new WatcherAdaptor(&watcher);
    if (withWatcher && !serve(&watcher, QStringLiteral("org.kde.StatusNotifierWatcher"),
                              QStringLiteral("/StatusNotifierWatcher"))) {
        report(QStringLiteral("cannot serve the watcher on the session bus"));
        return EXIT_FAILURE;
    }
    report(QStringLiteral("ready"));
    return QCoreApplication::exec();
}

#include "desk_services.moc"
