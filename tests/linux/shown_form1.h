#pragma once

#include "design/form1_design.h"
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

    // The name of the notification the window has shown a screen reader, as Qt's AT-SPI bridge
    // reads it out to Orca; empty while it has shown none.
    [[nodiscard]] QString announcement() const;

    [[nodiscard]] tarvex::Form1 &form() const { return *m_form; }

    template<typename Control = QWidget> [[nodiscard]] Control *control(QAnyStringView name) const
    {
        auto *found = m_form->findChild<Control *>(name.toString());
        if (found == nullptr)
            missing(Control::staticMetaObject.className(), name);
        return found;
    }
    template<typename Control = QWidget>
    [[nodiscard]] Control *control(tarvex::design::ControlId id) const
    {
        return control<Control>(nameOf(id));
    }
    [[nodiscard]] QLineEdit *box(QAnyStringView name) const { return control<QLineEdit>(name); }
    [[nodiscard]] QLineEdit *box(tarvex::design::ControlId id) const
    {
        return control<QLineEdit>(id);
    }
    // Sets a radio button, as choosing it does.
    void choose(QAnyStringView option) const;
    void choose(tarvex::design::ControlId option) const { choose(nameOf(option)); }
    // A left click with the mouse.
    void click(QAnyStringView button) const;
    void click(tarvex::design::ControlId button) const { click(nameOf(button)); }

private:
    [[nodiscard]] static QAnyStringView nameOf(tarvex::design::ControlId id)
    {
        const std::string_view name = tarvex::design::nameOf(id);
        return QUtf8StringView(name.data(), static_cast<qsizetype>(name.size()));
    }
    [[noreturn]] static void missing(const char *kind, QAnyStringView name);

    std::unique_ptr<tarvex::Form1> m_form;
};
