#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

namespace tarvex {

class ResultNotification;

// Tells a screen reader what a command wrote into an output box, while the focus stays on the
// button: Orca speaks no change to a box that does not have the focus. Qt 6.4 has no
// announcement event, so the result appears as a notification object of the window (the
// AT-SPI role Orca 43 speaks when one shows); the button and the box keep their own names and
// descriptions, so nothing of the result is read again when they get the focus later.
class ResultAnnouncer : public QObject
{
    Q_OBJECT
public:
    explicit ResultAnnouncer(QWidget *window);

    // The box's accessible name and its text, shortened as the design says.
    void announce(const QLineEdit &box);

private:
    QWidget *m_window;
    // Made at the first result, not with the window, so that starting costs nothing; Qt's
    // accessibility cache owns it and deletes it with this object.
    ResultNotification *m_notification = nullptr;
};

} // namespace tarvex
