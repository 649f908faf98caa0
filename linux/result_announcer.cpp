#include "linux/result_announcer.h"

#include "design/announcement.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QLineEdit>
#include <QWidget>

#include <cstddef>
#include <string_view>

namespace tarvex {

// An accessible object with no widget behind it, its parent the window: Qt's AT-SPI bridge sends
// its show event as object:state-changed:showing, and Orca 43 speaks a notification that shows,
// its role and its name. The window does not list it among its children, so that reviewing the
// window does not come upon the last result a second time.
class ResultNotification final : public QAccessibleObject
{
public:
    ResultNotification(QObject *announcer, QWidget *window)
        : QAccessibleObject(announcer), m_window(window)
    {}

    void setAnnouncement(const QString &announcement) { m_announcement = announcement; }

    [[nodiscard]] QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_window);
    }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] QAccessibleInterface *child(int) const override { return nullptr; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_announcement : QString();
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Notification; }
    // Qt's bridge tells an empty state as enabled, visible and showing; Orca drops the events
    // of an object whose state set is empty.
    [[nodiscard]] QAccessible::State state() const override { return {}; }

private:
    QWidget *m_window;
    QString m_announcement;
};

namespace {

[[nodiscard]] std::u16string_view view(const QString &text)
{
    return {QStringView(text).utf16(), static_cast<std::size_t>(text.size())};
}

} // namespace

ResultAnnouncer::ResultAnnouncer(QWidget *window) : QObject(window), m_window(window) {}

void ResultAnnouncer::announce(const QLineEdit &box)
{
    if (m_notification == nullptr) {
        m_notification = new ResultNotification(this, m_window);
        QAccessible::registerAccessibleInterface(m_notification);
    }
    m_notification->setAnnouncement(QString::fromStdU16String(
        design::resultAnnouncement(view(box.accessibleName()), view(box.text()))));
    QAccessibleEvent shown(m_notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace tarvex
