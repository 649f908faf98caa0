#include "linux/key_filter.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <optional>

namespace tarvex {

namespace {

constexpr int kBackspace = 8;
constexpr int kEnter = 13;
constexpr int kEscape = 27;

// The character code that a key press types, or nullopt for a key that types none. Qt gives
// no text for some of these keys on some platforms (Ctrl+letter on the offscreen platform,
// say), so the keys with a fixed code are recognised by the key, the rest by their text.
std::optional<int> typedCode(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Escape:
        return kEscape;
    // X11 gives Delete the text U+007F and Tab U+0009, but neither types a character into the
    // box: Delete edits and Tab moves the focus.
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::nullopt;
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier) &&
        event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1;
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    return text.front().unicode();
}

} // namespace

KeyFilter::KeyFilter(QLineEdit *box, std::function<design::InputBase()> currentBase)
    : QObject(box), m_box(box), m_currentBase(std::move(currentBase))
{
    m_box->installEventFilter(this);
}

void KeyFilter::followInputBase()
{
    if (m_box->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return discardsKeyPress(static_cast<const QKeyEvent &>(*event));
    case QEvent::InputMethod:
        filterCommit(static_cast<QInputMethodEvent &>(*event));
        break;
    case QEvent::InputMethodQuery:
        if (static_cast<QInputMethodQueryEvent &>(*event).queries().testFlag(Qt::ImEnabled)) {
            answerInputMethod(static_cast<QInputMethodQueryEvent &>(*event));
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The box answers the input method's questions, but for whether it takes an input method at
// all, which a line edit always says it does.
void KeyFilter::answerInputMethod(QInputMethodQueryEvent &query) const
{
    static_cast<QObject *>(m_box)->event(&query);
    if (!design::takesInputMethod(m_currentBase()))
        query.setValue(Qt::ImEnabled, false);
}

bool KeyFilter::discardsKeyPress(const QKeyEvent &event) const
{
    const std::optional<int> code = typedCode(event);
    if (!code)
        return false;
    const design::InputBase base = m_currentBase();
    // A key that types several characters at once is kept only if every one of them is.
    const QString text = event.text();
    if (text.size() > 1)
        for (QChar ch : text)
            if (design::filteredKeyCode(ch.unicode(), base) == 0)
                return true;
    return design::filteredKeyCode(*code, base) == 0;
}

void KeyFilter::filterCommit(QInputMethodEvent &event) const
{
    const QString commit = event.commitString();
    if (commit.isEmpty())
        return;
    const design::InputBase base = m_currentBase();
    QString kept;
    for (QChar ch : commit)
        if (design::filteredKeyCode(ch.unicode(), base) != 0)
            kept.append(ch);
    if (kept != commit)
        event.setCommitString(kept, event.replacementStart(), event.replacementLength());
}

} // namespace tarvex
