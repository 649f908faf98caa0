// The bound on a line edit's undo history: the last edit always stays undoable and redoable,
// whatever its size, in every box of the window; older edits go once the budget is passed.
#include "linux/undo_history_limit.h"
#include "shown_form1.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

using tarvex::UndoHistoryLimit;
using tarvex::design::ControlId;

class UndoHistoryLimitTest : public QObject
{
    Q_OBJECT

private slots:
    void editBetween_data();
    void editBetween();
    void smallEditsStayUndoable();
    void anEditPastTheBudgetStaysUndoableButOlderOnesGo();
    void lastLargeEditIsUndoableInEveryBox_data();
    void lastLargeEditIsUndoableInEveryBox();
};

void UndoHistoryLimitTest::editBetween_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("removed");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("insert in the middle") << "abc"
                                          << "abXc" << 2 << 0 << "X";
    QTest::newRow("type into empty") << ""
                                     << "abc" << 0 << 0 << "abc";
    QTest::newRow("clear") << "abc"
                           << "" << 0 << 3 << "";
    QTest::newRow("remove a repeated character") << "aaaa"
                                                 << "aa" << 2 << 2 << "";
    QTest::newRow("replace everything") << "abc"
                                        << "xyz" << 0 << 3 << "xyz";
    QTest::newRow("paste over a selection") << "hello"
                                            << "hXXXo" << 1 << 3 << "XXX";
    QTest::newRow("no change") << "same"
                               << "same" << 4 << 0 << "";
}

void UndoHistoryLimitTest::editBetween()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, position);
    QFETCH(int, removed);
    QFETCH(QString, inserted);
    const tarvex::TextEdit edit = tarvex::editBetween(before, after);
    QCOMPARE(edit.position, position);
    QCOMPARE(edit.removed, removed);
    QCOMPARE(edit.inserted, inserted);
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

void UndoHistoryLimitTest::anEditPastTheBudgetStaysUndoableButOlderOnesGo()
{
    QLineEdit box;
    new UndoHistoryLimit(&box, 10);
    QTest::keyClicks(&box, "ab");
    box.setCursorPosition(1);
    QGuiApplication::clipboard()->setText(QString(20, QLatin1Char('x')));
    box.paste();
    QCoreApplication::processEvents();
    const QString pasted = "a" + QString(20, QLatin1Char('x')) + "b";
    QCOMPARE(box.text(), pasted);
    QCOMPARE(box.cursorPosition(), 21);

    box.undo();
    QCOMPARE(box.text(), QStringLiteral("ab"));
    QVERIFY(!box.isUndoAvailable());
    box.redo();
    QCOMPARE(box.text(), pasted);
}

// State: a box of the window holding a large text, or empty. Action: the large edit, then
// undo, then redo. Expected: undo brings back the text before the edit, redo the text after.
void UndoHistoryLimitTest::lastLargeEditIsUndoableInEveryBox_data()
{
    QTest::addColumn<ControlId>("box");
    QTest::addColumn<QString>("edit");
    for (const tarvex::design::Control &box : tarvex::design::kControls) {
        if (box.kind != tarvex::design::ControlKind::TextBox)
            continue;
        for (const char *edit : {"delete 8200 selected", "delete 20000 selected",
                                 "type over 8200 selected", "paste 20000", "paste over 8200"})
            QTest::addRow("%.*s %s", static_cast<int>(box.name.size()), box.name.data(), edit)
                << box.id << QString::fromLatin1(edit);
    }
}

void UndoHistoryLimitTest::lastLargeEditIsUndoableInEveryBox()
{
    QFETCH(ControlId, box);
    QFETCH(QString, edit);
    ShownForm1 window;
    QVERIFY(window.open());
    // Under hexadecimal the input box takes every key.
    window.choose(ControlId::Option4);
    QLineEdit *lineEdit = window.box(box);
    lineEdit->setFocus();

    const QString digits = QStringLiteral("D6D0CEC4");
    const auto text = [&](int size) { return digits.repeated(size / 8 + 1).left(size); };
    const int size = edit.contains("20000") ? 20000 : 8200;
    // The text is typed in (as a paste) so that it is part of the history too.
    QGuiApplication::clipboard()->setText(text(size));
    QTest::keyClick(lineEdit, Qt::Key_V, Qt::ControlModifier);
    if (edit.startsWith("paste"))
        QTest::keyClick(lineEdit, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const QString before = lineEdit->text();

    QTest::keyClick(lineEdit, Qt::Key_A, Qt::ControlModifier);
    if (edit.startsWith("delete"))
        QTest::keyClick(lineEdit, Qt::Key_Delete);
    else if (edit.startsWith("type over"))
        QTest::keyClick(lineEdit, Qt::Key_7);
    else if (edit == "paste over 8200")
        QTest::keyClick(lineEdit, Qt::Key_V, Qt::ControlModifier);
    else
        QTest::keyClick(lineEdit, Qt::Key_End);
    if (edit == "paste 20000") // the edit is the second paste, made above
        QTest::keyClick(lineEdit, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const QString after = lineEdit->text();
    QVERIFY(after != before);

    QTest::keyClick(lineEdit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(lineEdit->text(), before);
    QTest::keyClick(lineEdit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(lineEdit->text(), after);
}

QTEST_MAIN(UndoHistoryLimitTest)
#include "undo_history_limit_test.moc"
