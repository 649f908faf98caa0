#pragma once

#include <QObject>

class QPushButton;

namespace tarvex {

// Lets Return and keypad Enter press a push button that has the focus, as the space bar does,
// as buttons do on the platform the program comes from and in GTK and KDE programs. Qt's own
// buttons do so only where they may become the window's default button, and none of this
// window's may: Enter in a text box or on a radio button still presses nothing.
class EnterPressesButton : public QObject
{
    Q_OBJECT
public:
    // Watches the button's keys; a child of the button.
    explicit EnterPressesButton(QPushButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *m_button;
};

} // namespace tarvex
