#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

// Answers the modal message boxes that appear while it lives: it polls for the active modal
// widget, records what the box shows and clicks OK, or presses Enter in it. Boxes beyond the
// number expected are recorded as unexpected and closed at once, so that a test never hangs in
// a box's event loop.
class MessageBoxAnswerer : public QObject
{
    Q_OBJECT
public:
    struct Box
    {
        QString text;
        QString title;
        bool hasIcon;
        int buttonCount;
        bool okHasIcon;
        QString okText;
        qint64 millisecondsToAppear; // since the answerer was made
    };

    enum class Answer { ClickOk, PressEnter };

    explicit MessageBoxAnswerer(int expectedBoxes = 0, Answer answer = Answer::ClickOk);

    [[nodiscard]] const QList<Box> &boxes() const { return m_boxes; }
    [[nodiscard]] QStringList texts() const;
    [[nodiscard]] bool sawUnexpectedBox() const { return m_boxes.size() > m_expectedBoxes; }

private:
    void answer();

    int m_expectedBoxes;
    Answer m_answer;
    QList<Box> m_boxes;
    QTimer m_poll;
    QElapsedTimer m_clock;
};
