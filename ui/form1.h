#pragma once

#include "convert_command.h"
#include "key_filter.h"
#include "radix_conversions.h"
#include "twips_layout.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvex {

// The one window of the program: the radix converter on top (input and output bases, the
// input and output boxes, Convert), the two text-code panels below, and the hidden Exit button.
// Every control sits at a fixed place given in twips; a WindowFit fits that layout to the
// window and the window to the screen. The window owns the working strings and the conversion
// methods of the radix converter and serves as the Convert command's window.
class Form1 : public QWidget, public ConvertWindow, public RadixConversions
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
    void createConverterControls();
    void createBaseGroup(const QString &name, const QString &title, QRect geometry,
                         std::size_t first, const std::array<QRect, 4> &geometries);
    void createTextCodePanels();
    void createExitButton();
    void setTabOrder();
    void connectCommands();

    [[nodiscard]] InputBase inputBase() const;

    void Form1_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // Created back to front: Label1 lies behind Frame3, the top row in front of it.
    QGroupBox *m_frame3 = nullptr;
    std::array<QRadioButton *, 8> m_options{};
    QLineEdit *m_text1 = nullptr;
    KeyFilter *m_keyFilter = nullptr;
    QLineEdit *m_text2 = nullptr;
    QPushButton *m_command1 = nullptr;
    QPushButton *m_command2 = nullptr;
    QLineEdit *m_text3 = nullptr;
    QPushButton *m_command3 = nullptr;
    QLineEdit *m_text4 = nullptr;
    QLineEdit *m_text5 = nullptr;
    QPushButton *m_command4 = nullptr;
    QLineEdit *m_text6 = nullptr;
    TwipsLayout m_layout;
    bool m_loaded = false;
};

} // namespace tarvex
