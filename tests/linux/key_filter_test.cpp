// The key filter of the input box: which typed characters each input base lets through, and
// that keys typing no character, pasted text and text already in the box are left alone.
#include "key_script_typist.h"
#include "shown_form1.h"
#include "window_cases.h"

#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using tarvex::design::ControlId;

class KeyFilterTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typing_data();
    void typing();
    void enterIsDiscardedUnderBinary();
    void copyWithCtrlCIsDiscardedUnderBinary();
    void textStaysWhenTheBaseChanges();
    void pastedTextIsNotFiltered();
    void inputMethodFollowsTheBase_data();
    void inputMethodFollowsTheBase();

private:
    QLineEdit *text1() const { return m_window.box(ControlId::Text1); }
    void choose(ControlId option) const { m_window.choose(option); }

    ShownForm1 m_window;
};

void KeyFilterTest::init()
{
    QVERIFY(m_window.open());
    text1()->setFocus();
    QGuiApplication::clipboard()->setText(fromCase(tarvex::cases::kClipboardText));
}

void KeyFilterTest::cleanup()
{
    m_window.close();
}

void KeyFilterTest::typing_data()
{
    QTest::addColumn<ControlId>("option");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");
    for (const tarvex::cases::TypingCase &row : tarvex::cases::kTypingCases)
        QTest::newRow(row.name) << row.option << fromCase(row.script) << fromCase(row.expected);
}

void KeyFilterTest::typing()
{
    QFETCH(ControlId, option);
    QFETCH(QString, script);
    QFETCH(QString, expected);
    choose(option);
    typeKeyScript(text1(), script.toStdU16String());
    QCOMPARE(text1()->text(), expected);
}

void KeyFilterTest::enterIsDiscardedUnderBinary()
{
    QSignalSpy returnPressed(text1(), &QLineEdit::returnPressed);
    choose(ControlId::Option1);
    QTest::keyClick(text1(), Qt::Key_Return);
    QTest::keyClick(text1(), Qt::Key_Enter);
    QCOMPARE(returnPressed.count(), 0);
    choose(ControlId::Option4);
    QTest::keyClick(text1(), Qt::Key_Return);
    QCOMPARE(returnPressed.count(), 1);
}

void KeyFilterTest::copyWithCtrlCIsDiscardedUnderBinary()
{
    choose(ControlId::Option1);
    text1()->setText(QStringLiteral("10"));
    text1()->selectAll();
    QTest::keyClick(text1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1"));
    choose(ControlId::Option4);
    QTest::keyClick(text1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10"));
}

void KeyFilterTest::textStaysWhenTheBaseChanges()
{
    choose(ControlId::Option4);
    typeKeyScript(text1(), u"FF");
    choose(ControlId::Option1);
    QCOMPARE(text1()->text(), QStringLiteral("FF"));
    typeKeyScript(text1(), u"21");
    QCOMPARE(text1()->text(), QStringLiteral("FF1"));
}

void KeyFilterTest::pastedTextIsNotFiltered()
{
    choose(ControlId::Option1);
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    text1()->paste();
    QCOMPARE(text1()->text(), QStringLiteral("x9"));
}

void KeyFilterTest::inputMethodFollowsTheBase_data()
{
    QTest::addColumn<ControlId>("option");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("binary") << ControlId::Option1 << false;
    QTest::newRow("octal") << ControlId::Option2 << false;
    QTest::newRow("decimal") << ControlId::Option3 << false;
    QTest::newRow("hexadecimal") << ControlId::Option4 << true;
}

void KeyFilterTest::inputMethodFollowsTheBase()
{
    QFETCH(ControlId, option);
    QFETCH(bool, enabled);
    // Each way round: from hexadecimal, where it is on, and from binary, where it is off.
    for (const ControlId before : {ControlId::Option4, ControlId::Option1}) {
        choose(before);
        choose(option);
        // What the input method asks the box that has the focus.
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(text1(), &query);
        QCOMPARE(query.value(Qt::ImEnabled).toBool(), enabled);
    }
    // The other boxes keep it.
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(m_window.box(ControlId::Text3), &query);
    QVERIFY(query.value(Qt::ImEnabled).toBool());
}

QTEST_MAIN(KeyFilterTest)
#include "key_filter_test.moc"
