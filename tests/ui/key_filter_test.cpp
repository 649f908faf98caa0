// The key filter of the input box: which typed characters each input base lets through, and
// that keys typing no character, pasted text and text already in the box are left alone.
#include "form1.h"
#include "key_filter.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using tarvex::Form1;

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
    QLineEdit *text1() const { return m_form->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    void choose(const QString &option) const
    {
        m_form->findChild<QRadioButton *>(option)->setChecked(true);
    }
    void type(const QString &script) const;

    std::unique_ptr<Form1> m_form;
};

void KeyFilterTest::init()
{
    m_form = std::make_unique<Form1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    text1()->setFocus();
    QGuiApplication::clipboard()->setText(QStringLiteral("1"));
}

void KeyFilterTest::cleanup()
{
    m_form.reset();
}

// Types a script into Text1: plain characters as key clicks, and in angle brackets a named
// key, a Ctrl+letter, a character beyond Latin-1 as a key press, or an input-method commit.
void KeyFilterTest::type(const QString &script) const
{
    static const QMap<QString, Qt::Key> keys = {{"BS", Qt::Key_Backspace}, {"Del", Qt::Key_Delete},
                                                {"Home", Qt::Key_Home},    {"End", Qt::Key_End},
                                                {"Left", Qt::Key_Left},    {"Right", Qt::Key_Right},
                                                {"Esc", Qt::Key_Escape},   {"F2", Qt::Key_F2}};
    QLineEdit *box = text1();
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script[i] != '<') {
            QTest::keyClick(box, script[i].toLatin1());
            continue;
        }
        const qsizetype end = script.indexOf('>', i);
        const QString token = script.mid(i + 1, end - i - 1);
        i = end;
        if (keys.contains(token)) {
            QTest::keyClick(box, keys[token]);
        } else if (token.startsWith("Ctrl+")) {
            QTest::keyClick(box, Qt::Key(Qt::Key_A + token.back().unicode() - 'A'),
                            Qt::ControlModifier);
        } else if (token.startsWith("IM:")) {
            QInputMethodEvent commit;
            commit.setCommitString(token.mid(3));
            QApplication::sendEvent(box, &commit);
        } else {
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, token, Qt::NoModifier);
        }
    }
}

void KeyFilterTest::typing_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("expected");

    QTest::newRow("binary digits and Backspace") << "Option1"
                                                 << "101<BS>"
                                                 << "10";
    QTest::newRow("binary discards other characters") << "Option1"
                                                      << "12aA .-+"
                                                      << "1";
    QTest::newRow("binary discards Ctrl+V") << "Option1"
                                            << "0<Ctrl+V>"
                                            << "0";
    QTest::newRow("binary discards Escape and F-keys type nothing") << "Option1"
                                                                    << "1<Esc><F2>1"
                                                                    << "11";
    QTest::newRow("navigation and Delete still work") << "Option1"
                                                      << "101<Home><Del><End>0"
                                                      << "010";
    QTest::newRow("arrows still work") << "Option1"
                                       << "11<Left>0<Right>1"
                                       << "1011";
    QTest::newRow("Ctrl+A is discarded, so no select-all") << "Option1"
                                                           << "11<Ctrl+A>0"
                                                           << "110";
    QTest::newRow("octal") << "Option2"
                           << "0123456789"
                           << "01234567";
    QTest::newRow("decimal") << "Option3"
                             << "0123456789.+-e x"
                             << "0123456789";
    QTest::newRow("decimal discards a Chinese key press") << "Option3"
                                                          << "1<中>2"
                                                          << "12";
    QTest::newRow("decimal discards an input-method commit of Chinese") << "Option3"
                                                                        << "1<IM:中文>"
                                                                        << "1";
    QTest::newRow("decimal keeps the digits of a mixed commit") << "Option3"
                                                                << "<IM:1a2>"
                                                                << "12";
    QTest::newRow("hex lets everything through") << "Option4"
                                                 << "aF-. xZ"
                                                 << "aF-. xZ";
    QTest::newRow("hex keeps a Chinese commit") << "Option4"
                                                << "<IM:中文>"
                                                << "中文";
    QTest::newRow("hex keeps a Chinese key press") << "Option4"
                                                   << "<中>"
                                                   << "中";
    QTest::newRow("hex passes Ctrl+V") << "Option4"
                                       << "A<Ctrl+V>"
                                       << "A1";
}

void KeyFilterTest::typing()
{
    QFETCH(QString, option);
    QFETCH(QString, script);
    QFETCH(QString, expected);
    choose(option);
    type(script);
    QCOMPARE(text1()->text(), expected);
}

void KeyFilterTest::enterIsDiscardedUnderBinary()
{
    QSignalSpy returnPressed(text1(), &QLineEdit::returnPressed);
    choose("Option1");
    QTest::keyClick(text1(), Qt::Key_Return);
    QTest::keyClick(text1(), Qt::Key_Enter);
    QCOMPARE(returnPressed.count(), 0);
    choose("Option4");
    QTest::keyClick(text1(), Qt::Key_Return);
    QCOMPARE(returnPressed.count(), 1);
}

void KeyFilterTest::copyWithCtrlCIsDiscardedUnderBinary()
{
    choose("Option1");
    text1()->setText(QStringLiteral("10"));
    text1()->selectAll();
    QTest::keyClick(text1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1"));
    choose("Option4");
    QTest::keyClick(text1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10"));
}

void KeyFilterTest::textStaysWhenTheBaseChanges()
{
    choose("Option4");
    type("FF");
    choose("Option1");
    QCOMPARE(text1()->text(), QStringLiteral("FF"));
    type("21");
    QCOMPARE(text1()->text(), QStringLiteral("FF1"));
}

void KeyFilterTest::pastedTextIsNotFiltered()
{
    choose("Option1");
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    text1()->paste();
    QCOMPARE(text1()->text(), QStringLiteral("x9"));
}

void KeyFilterTest::inputMethodFollowsTheBase_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("binary") << "Option1" << false;
    QTest::newRow("octal") << "Option2" << false;
    QTest::newRow("decimal") << "Option3" << false;
    QTest::newRow("hexadecimal") << "Option4" << true;
}

void KeyFilterTest::inputMethodFollowsTheBase()
{
    QFETCH(QString, option);
    QFETCH(bool, enabled);
    // Each way round: from hexadecimal, where it is on, and from binary, where it is off.
    for (const char *before : {"Option4", "Option1"}) {
        choose(before);
        choose(option);
        // What the input method asks the box that has the focus.
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(text1(), &query);
        QCOMPARE(query.value(Qt::ImEnabled).toBool(), enabled);
    }
    // The other boxes keep it.
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(m_form->findChild<QLineEdit *>(QStringLiteral("Text3")), &query);
    QVERIFY(query.value(Qt::ImEnabled).toBool());
}

QTEST_MAIN(KeyFilterTest)
#include "key_filter_test.moc"
