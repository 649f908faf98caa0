#pragma once

#include "design/key_decision.h"

#include <QObject>

#include <functional>

class QKeyEvent;
class QInputMethodEvent;
class QInputMethodQueryEvent;
class QLineEdit;

namespace tarvex {

// Keeps a text box to the digits of the chosen input base, as design::filteredKeyCode decides
// for each character. It filters typed characters only:
// key presses that type one (Backspace, Enter and Escape, Ctrl+letter as the control codes
// 1 to 26, printable characters) and text committed by an input method. Keys that type no
// character (arrows, Home, End, Delete, Tab, function keys) keep working, and pasted or dropped
// text is not filtered. The base is asked for at every key press.
//
// Under binary, octal and decimal the box also takes no input method (design::takesInputMethod).
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    // Filters the keys typed into `box`, of which it becomes a child.
    KeyFilter(QLineEdit *box, std::function<design::InputBase()> currentBase);

    // Tells the input method that the box may have started or stopped taking it; to be called
    // whenever the input base changes.
    void followInputBase();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] bool discardsKeyPress(const QKeyEvent &event) const;
    void filterCommit(QInputMethodEvent &event) const;
    void answerInputMethod(QInputMethodQueryEvent &query) const;

    QLineEdit *m_box;
    std::function<design::InputBase()> m_currentBase;
};

} // namespace tarvex
