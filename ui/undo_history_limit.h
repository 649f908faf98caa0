#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace tarvex {

// Bounds the memory that a line edit's undo history takes. Qt's line edit keeps one undo step
// for every character inserted or removed (about 32 bytes each) and never drops any, so
// pasting large texts again and again grows the program without end: a hundred pastes of
// 32,766 characters took 100 MB. This counts the characters that edits have changed since the
// history was last cleared and, past the budget, clears the history by setting the text anew,
// keeping the cursor where it was. Typing and small edits stay undoable; the edit that crosses
// the budget, and those before it, no longer are.
class UndoHistoryLimit : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype kDefaultBudget = 16384;

    explicit UndoHistoryLimit(QLineEdit *box, qsizetype budget = kDefaultBudget);

private:
    void onTextChanged(const QString &text);
    void clearHistory();

    QLineEdit *m_box;
    qsizetype m_budget;
    qsizetype m_changed = 0;
    QString m_lastText;
    bool m_clearQueued = false;
};

// How many characters an edit from `before` to `after` removed and inserted, taking the edit
// as one contiguous span between the text they share at both ends.
[[nodiscard]] qsizetype changedCharacters(const QString &before, const QString &after);

} // namespace tarvex
