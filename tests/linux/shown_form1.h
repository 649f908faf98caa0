#pragma once

#include "design/form1_design.h"
#include "linux/form1.h"

#include <QLineEdit>

#include <memory>

// The window as the window tests work it: a new Form1 for each test function, shown on the
// offscreen screen and made the active window, so that keys typed reach it; its controls are
// found by their identity in the design. One that finds no control of the kind asked for stops
// the test program and says which, instead of a null pointer crashing it further on.
class ShownForm1
{
public:
    // Makes a new window and shows it; false when it was not made the active window in time.
    [[nodiscard]] bool open();
    void close() { m_form.reset(); }

    [[nodiscard]] tarvex::Form1 &form() const { return *m_form; }

    template<typename Control = QWidget>
    [[nodiscard]] Control *control(tarvex::design::ControlId id) const
    {
        auto *found = m_form->findChild<Control *>(nameOf(id));
        if (found == nullptr)
            missing(Control::staticMetaObject.className(), id);
        return found;
    }
    [[nodiscard]] QLineEdit *box(tarvex::design::ControlId id) const
    {
        return control<QLineEdit>(id);
    }
    // Sets a radio button, as choosing it does.
    void choose(tarvex::design::ControlId option) const;
    // A left click with the mouse.
    void click(tarvex::design::ControlId button) const;

private:
    [[nodiscard]] static QString nameOf(tarvex::design::ControlId id);
    [[noreturn]] static void missing(const char *kind, tarvex::design::ControlId id);

    std::unique_ptr<tarvex::Form1> m_form;
};
