#include "linux/form1.h"

#include "design/base_options.h"
#include "design/failures.h"
#include "design/texts.h"
#include "linux/enter_presses_button.h"
#include "linux/key_filter.h"
#include "linux/message_box.h"
#include "linux/result_announcer.h"
#include "linux/tray/mod_tray.h"
#include "linux/undo_history_limit.h"
#include "linux/window_fit.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <limits>
#include <utility>

namespace tarvex {

namespace {

using design::ControlId;
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
    setObjectName(QString::fromLatin1(design::kWindow));
    setWindowTitle(QStringView(design::kWindowCaption).toString());
    setWindowIcon(QIcon(QStringLiteral(":/tarvex/tarvex.ico")));

    createControls();
    filterText1();
    setTabOrder();
    connectCommands();
    m_announcer = new ResultAnnouncer(this);
    control(ControlId::Option1)->setFocus();
    new WindowFit(this, m_layout);
}

// The controls in the design's order, back to front, each in its container.
void Form1::createControls()
{
    for (const design::Control &control : design::kControls) {
        QWidget *container =
            control.container.has_value() ? this->control(*control.container) : this;
        QWidget *widget = createControl(control, container);
        widget->setObjectName(QString::fromLatin1(control.name));
        m_layout.add(design::indexOf(control.id), widget);
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
    m_keyFilter = new KeyFilter(box(ControlId::Text1), [this] { return inputBase(); });
    for (const design::InputBaseOption &choice : design::kInputBaseOptions)
        connect(control<QRadioButton>(choice.option), &QRadioButton::toggled, m_keyFilter,
                &KeyFilter::followInputBase);
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

// A click on a push button carries out the command the design gives it.
void Form1::connectCommands()
{
    for (const design::Control &control : design::kControls)
        if (control.kind == ControlKind::PushButton)
            connect(this->control<QPushButton>(control.id), &QPushButton::clicked, this,
                    [this, id = control.id] { click(id); });
}

QLineEdit *Form1::box(ControlId id) const
{
    return control<QLineEdit>(id);
}

std::u16string Form1::text(ControlId box) const
{
    return this->box(box)->text().toStdU16String();
}

// Only the commands write a box, each its output box.
void Form1::setText(ControlId box, const std::u16string &text)
{
    this->box(box)->setText(QString::fromStdU16String(text));
    m_announcer->announce(*this->box(box));
}

design::InputBase Form1::inputBase() const
{
    return design::chosenInputBase(
        [this](ControlId option) { return control<QRadioButton>(option)->isChecked(); });
}

std::u16string Form1::text1() const
{
    return text(ControlId::Text1);
}

void Form1::setText2(const std::u16string &text)
{
    setText(ControlId::Text2, text);
}

bool Form1::isOptionSet(OptionButton button) const
{
    return control<QRadioButton>(design::optionControl(button))->isChecked();
}

void Form1::showMessage(std::u16string_view message)
{
    showMessageBox(this, QStringView(message).toString());
}

// Runs the Load step, the first time, before the window is shown.
void Form1::setVisible(bool visible)
{
    if (visible && !std::exchange(m_loaded, true))
        Form1_Load();
    QWidget::setVisible(visible);
}

// Whether the icon could be added does not matter: the window is shown either way, and a
// failure here (no memory) leaves the program without an icon.
void Form1::Form1_Load()
{
    design::skipOnFailure([this] {
        modTray::AddTrayIcon(this, design::kTrayTip, design::kBalloonTitle, design::kBalloonText,
                             design::kBalloonIconKind);
    });
}

void Form1::Command1_Click()
{
    design::runGuarded([this] { runConvertCommand(*this); },
                       [this](std::u16string_view message) { showMessage(message); });
}

void Form1::Command2_Click()
{
    close();
}

void Form1::Command3_Click()
{
    design::runTextToHexCodesCommand(*this);
}

void Form1::Command4_Click()
{
    design::runHexCodesToTextCommand(*this);
}

} // namespace tarvex
