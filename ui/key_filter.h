#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QInputMethodEvent;
class QInputMethodQueryEvent;
class QLineEdit;

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
//
// Under binary, octal and decimal, where everything an input method composes would be thrown
// away, the box also takes no input method: a pinyin input method otherwise shows its
// composition and candidates there, and the characters chosen vanish without a word.
class KeyFilter : public QObject
{
    Q_OBJECT
public:
    // Filters the keys typed into `box`, of which it becomes a child.
    KeyFilter(QLineEdit *box, std::function<InputBase()> currentBase);

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
    std::function<InputBase()> m_currentBase;
};

} // namespace tarvex
