#include "undo_history_limit.h"

#include <QLineEdit>

#include <algorithm>

namespace tarvex {

qsizetype changedCharacters(const QString &before, const QString &after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return (before.size() - prefix - suffix) + (after.size() - prefix - suffix);
}

UndoHistoryLimit::UndoHistoryLimit(QLineEdit *box, qsizetype budget)
    : QObject(box), m_box(box), m_budget(budget), m_lastText(box->text())
{
    connect(box, &QLineEdit::textChanged, this, &UndoHistoryLimit::onTextChanged);
}

void UndoHistoryLimit::onTextChanged(const QString &text)
{
    // Setting the text from the program clears the history by itself.
    if (!m_box->isUndoAvailable())
        m_changed = 0;
    else
        m_changed += changedCharacters(m_lastText, text);
    m_lastText = text;
    if (m_changed > m_budget && !m_clearQueued) {
        // Not from within the line edit's own change notification: once it has finished.
        m_clearQueued = true;
        QMetaObject::invokeMethod(this, &UndoHistoryLimit::clearHistory, Qt::QueuedConnection);
    }
}

void UndoHistoryLimit::clearHistory()
{
    m_clearQueued = false;
    m_changed = 0;
    const int cursor = m_box->cursorPosition();
    m_box->setText(m_box->text());
    m_box->setCursorPosition(cursor);
}

} // namespace tarvex
