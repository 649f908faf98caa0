#include "linux/enter_presses_button.h"

#include <QKeyEvent>
#include <QPushButton>

namespace tarvex {

EnterPressesButton::EnterPressesButton(QPushButton *button) : QObject(button), m_button(button)
{
    m_button->installEventFilter(this);
}

bool EnterPressesButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_button || event->type() != QEvent::KeyPress)
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // A held key repeats; the button is pressed once.
    if (!key.isAutoRepeat())
        m_button->click();
    return true;
}

} // namespace tarvex
