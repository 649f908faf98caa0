#include "message_box_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

MessageBoxAnswerer::MessageBoxAnswerer(int expectedBoxes, Answer answer)
    : m_expectedBoxes(expectedBoxes), m_answer(answer)
{
    connect(&m_poll, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
    m_poll.start(1);
    m_clock.start();
}

QStringList MessageBoxAnswerer::texts() const
{
    QStringList texts;
    for (const Box &box : m_boxes)
        texts << box.text;
    return texts;
}

void MessageBoxAnswerer::answer()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == nullptr)
        return;
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (box == nullptr) {
        m_boxes.append({QStringLiteral("<not a message box>"), modal->windowTitle(), false, 0,
                        false, QString(), m_clock.elapsed()});
        modal->close();
        return;
    }
    QAbstractButton *ok = box->button(QMessageBox::Ok);
    m_boxes.append({box->text(), box->windowTitle(), !box->iconPixmap().isNull(),
                    static_cast<int>(box->buttons().size()), ok != nullptr && !ok->icon().isNull(),
                    ok != nullptr ? ok->text() : QString(), m_clock.elapsed()});
    if (m_answer == Answer::PressEnter)
        QTest::keyClick(box, Qt::Key_Return);
    else if (ok != nullptr)
        ok->click();
    else
        box->close();
}
