#include "linux/undo_history_limit.h"

#include <QLineEdit>

#include <algorithm>

namespace tarvex {

TextEdit editBetween(const QString &before, const QString &after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return {prefix, before.size() - prefix - suffix,
            after.mid(prefix, after.size() - prefix - suffix)};
}

UndoHistoryLimit::UndoHistoryLimit(QLineEdit *box, qsizetype budget)
    : QObject(box), m_box(box), m_budget(budget), m_lastText(box->text())
{
    connect(box, &QLineEdit::textChanged, this, &UndoHistoryLimit::onTextChanged);
}

void UndoHistoryLimit::onTextChanged(const QString &text)
{
    if (m_rebuilding)
        return;
    if (!m_box->isUndoAvailable()) {
        // Setting the text from the program clears the history by itself.
        m_changed = 0;
    } else if (!m_box->isRedoAvailable()) {
        // A new edit (an undo leaves something to redo, and adds nothing to the history).
        m_textBeforeLastEdit = m_lastText;
        m_lastEdit = editBetween(m_lastText, text);
        m_changed += m_lastEdit.changedCharacters();
    }
    m_lastText = text;
    if (m_changed > m_budget && !m_trimQueued) {
        // Not from within the line edit's own change notification: once it has finished.
        m_trimQueued = true;
        QMetaObject::invokeMethod(this, &UndoHistoryLimit::keepOnlyLastEdit, Qt::QueuedConnection);
    }
}

void UndoHistoryLimit::keepOnlyLastEdit()
{
    m_trimQueued = false;
    // Undone or overtaken since it was queued: the history is what the user left it.
    if (m_box->isRedoAvailable() || m_box->text() != m_lastText)
        return;
    const int cursor = m_box->cursorPosition();
    const int selectionStart = m_box->selectionStart();
    const int selectionLength = static_cast<int>(m_box->selectedText().size());

    m_rebuilding = true;
    m_box->setText(m_textBeforeLastEdit);
    const auto position = static_cast<int>(m_lastEdit.position);
    const auto removed = static_cast<int>(m_lastEdit.removed);
    if (removed > 0)
        m_box->setSelection(position, removed);
    else
        m_box->setCursorPosition(position);
    if (m_lastEdit.inserted.isEmpty())
        m_box->del();
    else
        m_box->insert(m_lastEdit.inserted);
    m_rebuilding = false;
    if (m_box->text() != m_lastText) {
        // Not made again as it was (it cannot be, but the text must never change here).
        m_box->setText(m_lastText);
        m_changed = 0;
    } else {
        m_changed = m_lastEdit.changedCharacters();
    }
    if (selectionStart < 0)
        m_box->setCursorPosition(cursor);
    else if (cursor == selectionStart)
        m_box->setSelection(selectionStart + selectionLength, -selectionLength);
    else
        m_box->setSelection(selectionStart, selectionLength);
}

} // namespace tarvex
