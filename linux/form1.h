#pragma once

#include "core/convert_command.h"
#include "core/radix_conversions.h"
#include "design/commands.h"
#include "design/form1_design.h"
#include "design/key_decision.h"
#include "linux/twips_layout.h"

#include <QWidget>

class QLineEdit;

namespace tarvex {

class KeyFilter;
class ResultAnnouncer;

// The one window of the program, made from the design's table of controls: the radix converter
// on top (input and output bases, the input and output boxes, Convert), the two text-code
// panels below, and the hidden Exit button. Every control sits at a fixed place given in twips;
// a WindowFit fits that layout to the window and the window to the screen. The window owns the
// working strings and the conversion methods of the radix converter and serves as the Convert
// command's window. Its buttons reach their handlers through the design's commands.
class Form1 : public QWidget,
              public ConvertWindow,
              public RadixConversions,
              private design::CommandHandlers,
              private design::TextCodeWindow
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

    // ConvertWindow
    [[nodiscard]] std::u16string text1() const override;
    void setText2(const std::u16string &text) override;
    [[nodiscard]] bool isOptionSet(OptionButton button) const override;
    void showMessage(std::u16string_view message) override;
    [[nodiscard]] RadixConversions &conversions() override { return *this; }

    // Runs the Load step before the window is first shown.
    void setVisible(bool visible) override;

private:
    void createControls();
    [[nodiscard]] QWidget *createControl(const design::Control &control, QWidget *container);
    void filterText1();
    void setTabOrder();
    void connectCommands();

    template<typename Control = QWidget> [[nodiscard]] Control *control(design::ControlId id) const
    {
        return static_cast<Control *>(m_layout.widget(design::indexOf(id)));
    }
    [[nodiscard]] QLineEdit *box(design::ControlId id) const;
    [[nodiscard]] std::u16string text(design::ControlId box) const override;
    void setText(design::ControlId box, const std::u16string &text) override;
    [[nodiscard]] design::InputBase inputBase() const;

    void Form1_Load();
    void Command1_Click() override;
    void Command2_Click() override;
    void Command3_Click() override;
    void Command4_Click() override;

    TwipsLayout m_layout;
    KeyFilter *m_keyFilter = nullptr;
    ResultAnnouncer *m_announcer = nullptr;
    bool m_loaded = false;
};

} // namespace tarvex
