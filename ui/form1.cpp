#include "form1.h"

#include "enter_presses_button.h"
#include "guarded_command.h"
#include "message_box.h"
#include "mod_tray.h"
#include "text_codes.h"
#include "undo_history_limit.h"
#include "window_fit.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <exception>
#include <limits>
#include <span>
#include <utility>

namespace tarvex {

namespace {

const QString kCaption = QStringLiteral("Tarvex\u3000\u3000Olmira作品 1.0版");

// The client area at design size, and where it first appears on the screen, in twips.
constexpr QRect kClientArea(2385, 2370, 13980, 9195);

template<typename Widget>
Widget *place(TwipsLayout &layout, Widget *widget, const QString &name, QRect twips)
{
    widget->setObjectName(name);
    layout.add(widget, twips);
    return widget;
}

// Tab reaches a group of radio buttons at its selected button only. Qt does this by itself
// only once a group has had the focus, so the other group would otherwise be entered at its
// first button.
void keepTabStopOnSelection(QRadioButton *option)
{
    option->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(option, &QRadioButton::toggled, option, [option](bool checked) {
        option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
}

QGroupBox *groupBox(TwipsLayout &layout, const QString &name, const QString &title,
                    QWidget *container, QRect twips)
{
    return place(layout, new QGroupBox(title, container), name, twips);
}

QRadioButton *radioButton(TwipsLayout &layout, const QString &name, const QString &caption,
                          QWidget *container, QRect twips)
{
    return place(layout, new QRadioButton(caption, container), name, twips);
}

// Buttons are clicked with the mouse, the space bar, or Enter while they have the focus: none
// is the window's default (Enter) or cancel (Escape) button.
QPushButton *pushButton(TwipsLayout &layout, const QString &name, const QString &caption,
                        QWidget *container, QRect twips)
{
    auto *button = place(layout, new QPushButton(caption, container), name, twips);
    button->setAutoDefault(false);
    button->setDefault(false);
    new EnterPressesButton(button);
    return button;
}

// Single-line and editable, without a length limit, and with an undo history of bounded size.
// Screen readers announce a box by the caption of the group box it stands in or under.
QLineEdit *textBox(TwipsLayout &layout, const QString &name, const QString &accessibleName,
                   QWidget *container, QRect twips)
{
    auto *box = place(layout, new QLineEdit(container), name, twips);
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setAccessibleName(accessibleName);
    new UndoHistoryLimit(box);
    return box;
}

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/tarvex/tarvex.ico")));

    createConverterControls();
    createTextCodePanels();
    createExitButton();
    setTabOrder();
    connectCommands();
    m_options[0]->setFocus();
    new WindowFit(this, m_layout, kClientArea);
}

void Form1::createConverterControls()
{
    place(m_layout, new QLabel(QStringLiteral("数据输入框"), this), QStringLiteral("Label1"),
          QRect(3120, 720, 1455, 495));
    m_frame3 = groupBox(m_layout, QStringLiteral("Frame3"),
                        QStringLiteral("请先勾选彼此相对应的转换目标，按相应提示操作执行转换功能"),
                        this, QRect(0, 0, 13935, 9135));
    groupBox(m_layout, QStringLiteral("Frame4"), QStringLiteral("数据输入框"), m_frame3,
             QRect(3120, 360, 6255, 735));
    groupBox(m_layout, QStringLiteral("Frame5"), QStringLiteral("输出结果框"), m_frame3,
             QRect(3120, 1080, 6255, 975));

    createBaseGroup(QStringLiteral("Frame1"), QStringLiteral("选择输入数据类型对应勾选"),
                    QRect(120, 480, 3015, 1575), 0,
                    {QRect(240, 360, 855, 255), QRect(1560, 360, 1215, 255),
                     QRect(240, 840, 855, 375), QRect(1560, 840, 1335, 495)});
    createBaseGroup(QStringLiteral("Frame2"), QStringLiteral("选择输出数据类型对应勾选"),
                    QRect(9360, 480, 3015, 1575), 4,
                    {QRect(240, 360, 975, 255), QRect(1560, 360, 975, 255),
                     QRect(240, 1080, 975, 255), QRect(1560, 1080, 1095, 375)});
    m_options[0]->setChecked(true);
    m_options[6]->setChecked(true);

    m_text1 = textBox(m_layout, QStringLiteral("Text1"), QStringLiteral("数据输入框"), this,
                      QRect(3120, 720, 6135, 375));
    m_keyFilter = new KeyFilter(m_text1, [this] { return inputBase(); });
    for (QRadioButton *option : std::span(m_options).first(4))
        connect(option, &QRadioButton::toggled, m_keyFilter, &KeyFilter::followInputBase);
    m_text2 = textBox(m_layout, QStringLiteral("Text2"), QStringLiteral("输出结果框"), this,
                      QRect(3120, 1440, 6135, 375));
    m_command1 = pushButton(m_layout, QStringLiteral("Command1"), QStringLiteral("转换"), this,
                            QRect(12480, 600, 1335, 1455));
}

// A group box of the window with its four base buttons, binary to hexadecimal, as
// Option<first + 1> onwards.
void Form1::createBaseGroup(const QString &name, const QString &title, QRect geometry,
                            std::size_t first, const std::array<QRect, 4> &geometries)
{
    QGroupBox *group = groupBox(m_layout, name, title, this, geometry);
    static const std::array<QString, 4> captions = {
        QStringLiteral("二进制"), QStringLiteral("八进制"), QStringLiteral("十进制"),
        QStringLiteral("十六进制")};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        QRadioButton *option = radioButton(m_layout, QStringLiteral("Option%1").arg(first + i + 1),
                                           captions[i], group, geometries[i]);
        keepTabStopOnSelection(option);
        m_options[first + i] = option;
    }
}

void Form1::createTextCodePanels()
{
    QGroupBox *frame6 =
        groupBox(m_layout, QStringLiteral("Frame6"), QStringLiteral("中文转换十六进制"), m_frame3,
                 QRect(120, 2160, 13695, 3255));
    QGroupBox *frame7 =
        groupBox(m_layout, QStringLiteral("Frame7"), QStringLiteral("请在框中输入中文"), frame6,
                 QRect(120, 360, 13455, 1215));
    m_text3 = textBox(m_layout, QStringLiteral("Text3"), frame7->title(), frame7,
                      QRect(120, 240, 11535, 855));
    m_command3 = pushButton(m_layout, QStringLiteral("Command3"), QStringLiteral("转换到十六进制"),
                            frame7, QRect(11640, 240, 1695, 855));
    QGroupBox *frame8 =
        groupBox(m_layout, QStringLiteral("Frame8"), QStringLiteral("输出十六进制结果"), frame6,
                 QRect(120, 1680, 13335, 1455));
    m_text4 = textBox(m_layout, QStringLiteral("Text4"), frame8->title(), frame8,
                      QRect(120, 240, 13095, 1095));

    QGroupBox *frame9 =
        groupBox(m_layout, QStringLiteral("Frame9"), QStringLiteral("十六进制转换中文"), m_frame3,
                 QRect(120, 5520, 13695, 3495));
    QGroupBox *frame10 =
        groupBox(m_layout, QStringLiteral("Frame10"), QStringLiteral("请在框中输入十六进制数据"),
                 frame9, QRect(120, 240, 13455, 1215));
    m_text5 = textBox(m_layout, QStringLiteral("Text5"), frame10->title(), frame10,
                      QRect(120, 240, 11655, 855));
    m_command4 = pushButton(m_layout, QStringLiteral("Command4"), QStringLiteral("转换到中文"),
                            frame10, QRect(11880, 240, 1455, 855));
    QGroupBox *frame11 =
        groupBox(m_layout, QStringLiteral("Frame11"), QStringLiteral("输出转换后的中文结果"),
                 frame9, QRect(120, 1440, 13455, 1935));
    m_text6 = textBox(m_layout, QStringLiteral("Text6"), frame11->title(), frame11,
                      QRect(120, 240, 13215, 1575));
}

// Below the client area at design size, so it is seen only in a taller window, but it keeps
// its place in the tab order.
void Form1::createExitButton()
{
    m_command2 = pushButton(m_layout, QStringLiteral("Command2"), QStringLiteral("退出"), this,
                            QRect(5880, 12720, 1335, 495));
}

void Form1::setTabOrder()
{
    QWidget *const chain[] = {m_options[0], m_options[1], m_options[2], m_options[3], m_options[4],
                              m_options[5], m_options[6], m_options[7], m_text1,      m_text2,
                              m_command1,   m_command2,   m_text3,      m_command3,   m_text4,
                              m_text5,      m_command4,   m_text6};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void Form1::connectCommands()
{
    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &Form1::Command4_Click);
}

InputBase Form1::inputBase() const
{
    if (m_options[0]->isChecked())
        return InputBase::Binary;
    if (m_options[1]->isChecked())
        return InputBase::Octal;
    if (m_options[2]->isChecked())
        return InputBase::Decimal;
    return InputBase::Hexadecimal;
}

std::u16string Form1::text1() const
{
    return m_text1->text().toStdU16String();
}

void Form1::setText2(const std::u16string &text)
{
    m_text2->setText(toQString(text));
}

bool Form1::isOptionSet(OptionButton button) const
{
    return m_options.at(static_cast<std::size_t>(button) - 1)->isChecked();
}

void Form1::showMessage(std::u16string_view message)
{
    showMessageBox(this, toQString(message));
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
        modTray::AddTrayIcon(this, QStringLiteral("移动显示"), QStringLiteral("Tarvex 1.0版"),
                             QStringLiteral("Olmira作品: 欢迎大家使用！"), win::NIIF_WARNING);
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
        m_text4->setText(toQString(TextToHexCodes(m_text3->text().toStdU16String())));
    });
}

void Form1::Command4_Click()
{
    runGuarded(this, [this] {
        m_text6->setText(toQString(HexCodesToText(m_text5->text().toStdU16String())));
    });
}

} // namespace tarvex
