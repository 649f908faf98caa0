#include "linux/form1.h"

#include "linux/enter_presses_button.h"
#include "linux/guarded_command.h"
#include "linux/key_filter.h"
#include "linux/message_box.h"
#include "linux/tray/mod_tray.h"
#include "text_codes.h"
#include "texts.h"
#include "linux/undo_history_limit.h"
#include "linux/window_fit.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <exception>
#include <limits>
#include <utility>

namespace tarvex {

namespace {

using design::ControlKind;

// Tab reaches a group of radio buttons at its selected button only. Qt does this by itself
// only once a group has had the focus, so the other group would otherwise be entered at its
// first button.
QRadioButton *radioButton(const design::Control &control, QWidget *container)
{
    auto *option = new QRadioButton(QStringView(control.caption).toString(), container);
    option->setChecked(control.initiallySet);
    option->setFocusPolicy(control.initiallySet ? Qt::StrongFocus : Qt::ClickFocus);
    QObject::connect(option, &QRadioButton::toggled, option, [option](bool checked) {
        option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
    return option;
}

// Buttons are clicked with the mouse, the space bar, or Enter while they have the focus: none
// is the window's default (Enter) or cancel (Escape) button.
QPushButton *pushButton(const design::Control &control, QWidget *container)
{
    auto *button = new QPushButton(QStringView(control.caption).toString(), container);
    button->setAutoDefault(false);
    button->setDefault(false);
    new EnterPressesButton(button);
    return button;
}

// Single-line and editable, without a length limit, and with an undo history of bounded size.
// Screen readers announce a box by the caption of the group box it stands in or under.
QLineEdit *textBox(const design::Control &control, QWidget *container)
{
    auto *box = new QLineEdit(container);
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setAccessibleName(QStringView(control.accessibleName).toString());
    new UndoHistoryLimit(box);
    return box;
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringView(design::kWindowCaption).toString());
    setWindowIcon(QIcon(QStringLiteral(":/tarvex/tarvex.ico")));

    createControls();
    filterText1();
    setTabOrder();
    connectCommands();
    option(1)->setFocus();
    new WindowFit(this, m_layout);
}

// The controls in the design's order, back to front, each in its container.
void Form1::createControls()
{
    for (std::size_t i = 0; i < design::kControls.size(); ++i) {
        const design::Control &control = design::kControls[i];
        QWidget *container =
            control.container == design::kWindow ? this : this->control(control.container);
        QWidget *widget = createControl(control, container);
        widget->setObjectName(QString::fromLatin1(control.name));
        m_layout.add(i, widget);
    }
}

QWidget *Form1::createControl(const design::Control &control, QWidget *container)
{
    switch (control.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(QStringView(control.caption).toString(), container);
    case ControlKind::RadioButton:
        return radioButton(control, container);
    case ControlKind::TextBox:
        return textBox(control, container);
    case ControlKind::PushButton:
        return pushButton(control, container);
    case ControlKind::Label:
        break;
    }
    return new QLabel(QStringView(control.caption).toString(), container);
}

void Form1::filterText1()
{
    m_keyFilter = new KeyFilter(box("Text1"), [this] { return inputBase(); });
    for (std::size_t number = 1; number <= 4; ++number)
        connect(option(number), &QRadioButton::toggled, m_keyFilter, &KeyFilter::followInputBase);
}

// The design's tab order, through the controls that take the focus.
void Form1::setTabOrder()
{
    QWidget *previous = nullptr;
    for (std::size_t i : design::tabOrder()) {
        const ControlKind kind = design::kControls[i].kind;
        if (kind == ControlKind::GroupBox || kind == ControlKind::Label)
            continue;
        QWidget *next = m_layout.widget(i);
        if (previous != nullptr)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void Form1::connectCommands()
{
    connect(control<QPushButton>("Command1"), &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(control<QPushButton>("Command2"), &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(control<QPushButton>("Command3"), &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(control<QPushButton>("Command4"), &QPushButton::clicked, this, &Form1::Command4_Click);
}

QLineEdit *Form1::box(std::string_view name) const
{
    return control<QLineEdit>(name);
}

QRadioButton *Form1::option(std::size_t number) const
{
    return static_cast<QRadioButton *>(m_layout.widget(design::optionIndexes().at(number - 1)));
}

design::InputBase Form1::inputBase() const
{
    if (option(1)->isChecked())
        return design::InputBase::Binary;
    if (option(2)->isChecked())
        return design::InputBase::Octal;
    if (option(3)->isChecked())
        return design::InputBase::Decimal;
    return design::InputBase::Hexadecimal;
}

std::u16string Form1::text1() const
{
    return box("Text1")->text().toStdU16String();
}

void Form1::setText2(const std::u16string &text)
{
    box("Text2")->setText(QString::fromStdU16String(text));
}

bool Form1::isOptionSet(OptionButton button) const
{
    return option(static_cast<std::size_t>(button))->isChecked();
}

void Form1::showMessage(std::u16string_view message)
{
    showMessageBox(this, QStringView(message).toString());
}

void Form1::setVisible(bool visible)
{
    if (visible && !std::exchange(m_loaded, true))
        Form1_Load();
    QWidget::setVisible(visible);
}

void Form1::Form1_Load()
{
    try {
        modTray::AddTrayIcon(this, QStringView(design::kTrayTip).toString(),
                             QStringView(design::kBalloonTitle).toString(),
                             QStringView(design::kBalloonText).toString(),
                             design::kBalloonIconKind);
    } catch (const std::exception &) {
        // Whether the icon could be added does not matter: the window is shown either way,
        // and a failure here (no memory) leaves the program without an icon.
    }
}

void Form1::Command1_Click()
{
    runGuarded(this, [this] { runConvertCommand(*this); });
}

void Form1::Command2_Click()
{
    close();
}

void Form1::Command3_Click()
{
    runGuarded(this, [this] {
        box("Text4")->setText(
            QString::fromStdU16String(TextToHexCodes(box("Text3")->text().toStdU16String())));
    });
}

void Form1::Command4_Click()
{
    runGuarded(this, [this] {
        box("Text6")->setText(
            QString::fromStdU16String(HexCodesToText(box("Text5")->text().toStdU16String())));
    });
}

} // namespace tarvex
