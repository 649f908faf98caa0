// The yardstick for Tarvex's start-up cost: what a plain Qt program with the same parts does
// and nothing more. The same thirty widgets with the same captions (eleven group boxes, eight
// radio buttons, six line edits, four push buttons and a label) in a 932 x 613 window with the
// same title and icon, and a notification-area icon with the same tool-tip that shows the same
// greeting once the window has drawn itself.
#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

namespace {

// Calls `drawn` once, after the window has painted itself for the first time.
class BareWindow : public QWidget
{
public:
    explicit BareWindow(std::function<void()> drawn) : m_drawn(std::move(drawn)) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_drawn)
            QTimer::singleShot(0, this, std::exchange(m_drawn, nullptr));
    }

private:
    std::function<void()> m_drawn;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QIcon icon(QStringLiteral(TARVEX_ICON_FILE));
    QSystemTrayIcon tray(icon);
    tray.setToolTip(QStringLiteral("移动显示"));
    tray.show();
    BareWindow window([&tray] {
        tray.showMessage(QStringLiteral("Tarvex 1.0版"),
                         QStringLiteral("Olmira作品: 欢迎大家使用！"), QSystemTrayIcon::Warning,
                         10000);
    });
    window.setWindowTitle(QStringLiteral("Tarvex\u3000\u3000Olmira作品 1.0版"));
    window.setWindowIcon(icon);
    window.resize(932, 613);

    new QLabel(QStringLiteral("数据输入框"), &window);
    const char *const groupTitles[] = {"请先勾选彼此相对应的转换目标，按相应提示操作执行转换功能",
                                       "数据输入框",
                                       "输出结果框",
                                       "选择输入数据类型对应勾选",
                                       "选择输出数据类型对应勾选",
                                       "中文转换十六进制",
                                       "请在框中输入中文",
                                       "输出十六进制结果",
                                       "十六进制转换中文",
                                       "请在框中输入十六进制数据",
                                       "输出转换后的中文结果"};
    QWidget *container = &window;
    int i = 0;
    for (const char *title : groupTitles) {
        auto *box = new QGroupBox(QString::fromUtf8(title), container);
        box->setGeometry(8, 8 + i * 4, 900 - i * 8, 590 - i * 8);
        container = i % 3 == 2 ? static_cast<QWidget *>(&window) : box;
        ++i;
    }
    const char *const bases[] = {"二进制", "八进制", "十进制", "十六进制"};
    for (int option = 0; option < 8; ++option)
        (new QRadioButton(QString::fromUtf8(bases[option % 4]), &window))
            ->move(20 + option * 60, 30);
    for (int box = 0; box < 6; ++box)
        (new QLineEdit(&window))->move(20, 80 + box * 40);
    const char *const commands[] = {"转换", "退出", "转换到十六进制", "转换到中文"};
    int column = 0;
    for (const char *caption : commands)
        (new QPushButton(QString::fromUtf8(caption), &window))->move(400 + 120 * column++, 80);

    window.show();
    return QApplication::exec();
}
