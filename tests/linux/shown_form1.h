#pragma once

#include "linux/form1.h"

#include <QAnyStringView>
#include <QLineEdit>

#include <memory>

// The window as the window tests work it: a new Form1 for each test function, shown on the
// offscreen screen and made the active window, so that keys typed reach it; its controls are
// found by name. A name that finds no control stops the test program and says which, instead of
// a null pointer crashing it further on.
class ShownForm1
{
public:
    // Makes a new window and shows it; false when it was not made the active window in time.
    [[nodiscard]] bool open();
    void close() { m_form.reset(); }

    [[nodiscard]] tarvex::Form1 &form() const { return *m_form; }

    template<typename Control = QWidget> [[nodiscard]] Control *control(QAnyStringView name) const
    {
        auto *found = m_form->findChild<Control *>(name.toString());
        if (found == nullptr)
            missing(Control::staticMetaObject.className(), name);
        return found;
    }
    [[nodiscard]] QLineEdit *box(QAnyStringView name) const { return control<QLineEdit>(name); }
    // Sets a radio button, as choosing it does.
    void choose(QAnyStringView option) const;
    // A left click with the mouse.
    void click(QAnyStringView button) const;

private:
    [[noreturn]] static void missing(const char *kind, QAnyStringView name);

    std::unique_ptr<tarvex::Form1> m_form;
};
