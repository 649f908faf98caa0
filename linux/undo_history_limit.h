#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace tarvex {

// One edit of a line edit's text: `removed` characters at `position` replaced by `inserted`.
struct TextEdit
{
    qsizetype position = 0;
    qsizetype removed = 0;
    QString inserted;

    [[nodiscard]] qsizetype changedCharacters() const { return removed + inserted.size(); }
};

// The edit from `before` to `after`, taken as one contiguous span between the text they share
// at both ends.
[[nodiscard]] TextEdit editBetween(const QString &before, const QString &after);

// Bounds the memory that a line edit's undo history takes, without losing the last edit. Qt's
// line edit keeps one undo step for every character inserted or removed (about 32 bytes each)
// and never drops any, so pasting large texts again and again grew the program without end:
// a hundred pastes of 32,766 characters took 100 MB. This counts the characters that edits
// have changed and, once an edit takes the count past the budget, rebuilds the history so
// that it holds that edit alone: the text before it is set anew (which clears the history)
// and the edit is made again as the user made it, so that undo brings back what it removed
// and redo makes it again. Edits before it within the budget stay undoable; older ones go.
class UndoHistoryLimit : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype kDefaultBudget = 16384;

    explicit UndoHistoryLimit(QLineEdit *box, qsizetype budget = kDefaultBudget);

private:
    void onTextChanged(const QString &text);
    void keepOnlyLastEdit();

    QLineEdit *m_box;
    qsizetype m_budget;
    qsizetype m_changed = 0;
    QString m_lastText;
    QString m_textBeforeLastEdit;
    TextEdit m_lastEdit;
    bool m_trimQueued = false;
    bool m_rebuilding = false;
};

} // namespace tarvex
