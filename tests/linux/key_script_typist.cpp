#include "key_script_typist.h"

#include "key_script.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include <stdexcept>

namespace {

Qt::Key namedKey(std::u16string_view name)
{
    static const QHash<QString, Qt::Key> keys = {
        {"BS", Qt::Key_Backspace}, {"Del", Qt::Key_Delete}, {"Home", Qt::Key_Home},
        {"End", Qt::Key_End},      {"Left", Qt::Key_Left},  {"Right", Qt::Key_Right},
        {"Esc", Qt::Key_Escape},   {"F2", Qt::Key_F2}};
    const auto key = keys.find(fromCase(name));
    if (key == keys.end())
        throw std::invalid_argument("a key script names a key the Qt tests cannot press");
    return *key;
}

} // namespace

void typeKeyScript(QWidget *widget, std::u16string_view script)
{
    using Kind = tarvex::cases::Keystroke::Kind;
    for (const tarvex::cases::Keystroke &stroke : tarvex::cases::keystrokes(script)) {
        const QString text = fromCase(stroke.text);
        switch (stroke.kind) {
        case Kind::Character:
            if (text.size() == 1 && text[0].unicode() <= 0xFF) {
                QTest::keyClick(widget, text[0].toLatin1());
                break;
            }
            [[fallthrough]];
        case Kind::ForeignCharacter:
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
            break;
        case Kind::NamedKey:
            QTest::keyClick(widget, namedKey(stroke.text));
            break;
        case Kind::CtrlLetter:
            QTest::keyClick(widget, Qt::Key(Qt::Key_A + text[0].unicode() - 'A'),
                            Qt::ControlModifier);
            break;
        case Kind::InputMethodCommit: {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(widget, &commit);
            break;
        }
        }
    }
}
