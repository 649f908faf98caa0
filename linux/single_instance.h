#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantMap>

class QWidget;

namespace tarvex {

// One Tarvex per user session. The first start owns a name of the program's own on the session
// bus; a later start finds it there, asks that program to show its window, and ends without a
// window or an icon of its own. The bus releases the name when its owner ends, however it ends,
// so a program that crashed leaves nothing behind. Without a session bus each start runs on its
// own.
//
// The running program answers as a D-Bus activatable application does
// (org.freedesktop.Application.Activate at the path its name spells).
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit SingleInstance(QObject *parent = nullptr);

    // Whether this start is to run: true when it now owns the session's name, or when there is
    // no session bus or nobody left to answer; false when a running Tarvex has been asked to
    // show its window.
    [[nodiscard]] bool claimSession();

    // The window that a later start brings to the front.
    void setWindow(QWidget *window) { m_window = window; }

public slots:
    // Shows the window as the icon's menu item 显示 does: shown, at normal size, in front and
    // active. The platform data (a launcher's startup or activation token) is not used.
    Q_SCRIPTABLE void Activate(const QVariantMap &platformData);

private:
    QPointer<QWidget> m_window;
};

} // namespace tarvex
