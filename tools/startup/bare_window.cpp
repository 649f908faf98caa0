// The yardstick for Tarvex's start-up cost: a bare Qt window with the same thirty widgets
// (eleven group boxes, eight radio buttons, six line edits, four push buttons and a label),
// and nothing else.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(932, 613);
    new QLabel(QStringLiteral("标签"), &window);
    QWidget *container = &window;
    for (int i = 0; i < 11; ++i) {
        auto *box = new QGroupBox(QStringLiteral("分组框 %1").arg(i), container);
        box->setGeometry(8, 8 + i * 4, 900 - i * 8, 590 - i * 8);
        container = i % 3 == 2 ? &window : box;
    }
    for (int i = 0; i < 8; ++i)
        (new QRadioButton(QStringLiteral("进制 %1").arg(i), &window))->move(20 + i * 60, 30);
    for (int i = 0; i < 6; ++i)
        new QLineEdit(&window);
    for (int i = 0; i < 4; ++i)
        new QPushButton(QStringLiteral("按钮 %1").arg(i), &window);
    window.show();
    return QApplication::exec();
}
