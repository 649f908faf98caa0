#pragma once

#include <QString>

namespace tarvex::win32_over_qt {

struct Balloon;

// Sends the balloon to the desktop's notification service (org.freedesktop.Notifications on
// the session bus) once, as the program's own notification: named after the application and
// its desktop entry, so that the service shows the program's name and icon, with the balloon's
// title, text, icon and time-out. Nothing is waited for and nothing is said: without a
// notification service the program runs on as before.
void sendDesktopNotification(const Balloon &balloon);

} // namespace tarvex::win32_over_qt
