// The bound on a line edit's undo history: small edits stay undoable, an edit that takes the
// history past its budget clears it, and the text and cursor stay as they were.
#include "undo_history_limit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

using tarvex::changedCharacters;
using tarvex::UndoHistoryLimit;

class UndoHistoryLimitTest : public QObject
{
    Q_OBJECT

private slots:
    void changedCharacters_data();
    void changedCharacters();
    void smallEditsStayUndoable();
    void anEditPastTheBudgetClearsTheHistory();
};

void UndoHistoryLimitTest::changedCharacters_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("changed");
    QTest::newRow("insert in the middle") << "abc"
                                          << "abXc" << 1;
    QTest::newRow("type into empty") << ""
                                     << "abc" << 3;
    QTest::newRow("clear") << "abc"
                           << "" << 3;
    QTest::newRow("remove a repeated character") << "aaaa"
                                                 << "aa" << 2;
    QTest::newRow("replace everything") << "abc"
                                        << "xyz" << 6;
    QTest::newRow("paste over a selection") << "hello"
                                            << "hXXXo" << 6;
    QTest::newRow("no change") << "same"
                               << "same" << 0;
}

void UndoHistoryLimitTest::changedCharacters()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, changed);
    QCOMPARE(tarvex::changedCharacters(before, after), changed);
}

void UndoHistoryLimitTest::smallEditsStayUndoable()
{
    QLineEdit box;
    new UndoHistoryLimit(&box, 10);
    QTest::keyClicks(&box, "12345");
    QCoreApplication::processEvents();
    QVERIFY(box.isUndoAvailable());
    box.undo();
    QVERIFY(box.text().isEmpty());
}

void UndoHistoryLimitTest::anEditPastTheBudgetClearsTheHistory()
{
    QLineEdit box;
    new UndoHistoryLimit(&box, 10);
    QTest::keyClicks(&box, "ab");
    box.setCursorPosition(1);
    QGuiApplication::clipboard()->setText(QString(20, QLatin1Char('x')));
    box.paste();
    QCoreApplication::processEvents();
    QVERIFY(!box.isUndoAvailable());
    QCOMPARE(box.text(), "a" + QString(20, QLatin1Char('x')) + "b");
    QCOMPARE(box.cursorPosition(), 21);

    // The budget starts again after the history is cleared.
    QTest::keyClicks(&box, "c");
    QCoreApplication::processEvents();
    QVERIFY(box.isUndoAvailable());
}

QTEST_MAIN(UndoHistoryLimitTest)
#include "undo_history_limit_test.moc"
