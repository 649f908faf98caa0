#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QInputMethodEvent;

namespace tarvex {

// The input base as the key filter sees it.
enum class InputBase { Binary, Octal, Decimal, Hexadecimal };

// The code of a typed character as the filter leaves it: unchanged when the input base allows
// it, 0 (nothing typed) when it does not. Binary allows 0 and 1, octal 0 to 7, decimal 0 to 9,
// each with Backspace (8); hexadecimal allows everything.
[[nodiscard]] int filteredKeyCode(int code, InputBase base);

// Keeps a text box to the digits of the chosen input base. It filters typed characters only:
// key presses that type one (Backspace, Enter and Escape, Ctrl+letter as the control codes
// 1 to 26, printable characters) and text committed by an input method. Keys that type no
// character (arrows, Home, End, Delete, Tab, function keys) keep working, and pasted or dropped
// text is not filtered. The base is asked for at every key press.
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    KeyFilter(std::function<InputBase()> currentBase, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] bool discardsKeyPress(const QKeyEvent &event) const;
    void filterCommit(QInputMethodEvent &event) const;

    std::function<InputBase()> m_currentBase;
};

} // namespace tarvex
