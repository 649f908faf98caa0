// The window at work: the Convert command on the real controls and its message boxes, the
// text-code buttons, the output boxes, the keyboard's reach, and the Exit command.
#include "design/failures.h"
#include "key_script_typist.h"
#include "linux/qt_translations.h"
#include "linux/tray/mod_tray.h"
#include "message_box_answerer.h"
#include "shown_form1.h"
#include "window_cases.h"

#include <QAccessible>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <functional>
#include <new>
#include <system_error>

using tarvex::Form1;
using tarvex::design::ControlId;

class Form1BehaviourTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadStepAddsTheTrayIconOnceBeforeTheWindowIsFirstShown();
    void freshWindowConvertsBinaryToDecimal();
    void convert_data();
    void convert();
    void textCodeButtonsFillTheirOutputBoxes_data();
    void textCodeButtonsFillTheirOutputBoxes();
    void typingIntoOutputBoxesIsReplacedByTheNextConversion();
    void enterAndEscapeClickNothing();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void enterInAMessageBoxMeansOk();
    void tabFromCommand1ReachesTheHiddenExitButtonThenText3();
    void exitButtonClosesTheWindowAndEndsTheProgram_data();
    void exitButtonClosesTheWindowAndEndsTheProgram();
    void closeButtonEndsTheProgram();
    void textBoxesTakeTextsBeyond32767Characters();
    void textBoxMenuIsChinese();
    void failedCommandTellsTheUserAndKeepsTheBox_data();
    void failedCommandTellsTheUserAndKeepsTheBox();

private:
    template<typename T = QWidget> T *control(ControlId id) const
    {
        return m_window.control<T>(id);
    }
    QLineEdit *box(ControlId id) const { return m_window.box(id); }
    void click(ControlId button) const { m_window.click(button); }

    ShownForm1 m_window;
};

// What Orca hears: the name of each notification shown, read when its show event reaches the
// accessibility bridge, as the bridge reads it.
static QStringList heard;

static void hear(QAccessibleEvent *event)
{
    const QAccessibleInterface *shown = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && shown != nullptr &&
        shown->role() == QAccessible::Notification)
        heard << shown->text(QAccessible::Name);
}

void Form1BehaviourTest::initTestCase()
{
    tarvex::installQtTranslations(*qApp);
    // Qt sends events only while the platform's accessibility is active, as the AT-SPI bridge
    // makes it when a screen reader runs; the handler takes them in place of the bridge.
    QAccessible::installUpdateHandler(hear);
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QVERIFY(QAccessible::isActive());
}

void Form1BehaviourTest::init()
{
    heard.clear();
    // Closing the window ends the program; the test application keeps running to look at it.
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(m_window.open());
}

void Form1BehaviourTest::cleanup()
{
    m_window.close();
}

void Form1BehaviourTest::loadStepAddsTheTrayIconOnceBeforeTheWindowIsFirstShown()
{
    Form1 fresh;
    QVERIFY(tarvex::modTray::trayForm != &fresh);
    // The hook is in place before the window is shown: it sees the Show event itself.
    fresh.show();
    QCOMPARE(tarvex::modTray::trayForm.data(), &fresh);
    const tarvex::win32_over_qt::NOTIFYICONDATAA &record = tarvex::modTray::trayIconData;
    QCOMPARE(QString::fromStdU16String(tarvex::win32_over_qt::recordText(record.szTip)),
             QStringLiteral("移动显示"));
    QCOMPARE(QString::fromStdU16String(tarvex::win32_over_qt::recordText(record.szInfoTitle)),
             QStringLiteral("Tarvex 1.0版"));
    QCOMPARE(QString::fromStdU16String(tarvex::win32_over_qt::recordText(record.szInfo)),
             QStringLiteral("Olmira作品: 欢迎大家使用！"));
    QCOMPARE(record.dwInfoFlags, tarvex::win32_over_qt::DWORD{2});
    QCOMPARE(record.hWnd, tarvex::win32_over_qt::HWND(fresh.winId()));

    fresh.hide();
    fresh.show();
    QCOMPARE(fresh.findChildren<QSystemTrayIcon *>().size(), 1);
}

void Form1BehaviourTest::freshWindowConvertsBinaryToDecimal()
{
    MessageBoxAnswerer answerer;
    QTest::keyClicks(box(ControlId::Text1), "101");
    click(ControlId::Command1);
    QCOMPARE(box(ControlId::Text2)->text(), QStringLiteral("5"));
    QVERIFY(!answerer.sawUnexpectedBox());
}

void Form1BehaviourTest::convert_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<ControlId>("inputOption");
    QTest::addColumn<ControlId>("outputOption");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("messages");
    for (const tarvex::cases::ConvertCase &row : tarvex::cases::kConvertCases) {
        QStringList messages;
        for (std::size_t i = 0; i < row.messageCount(); ++i)
            messages << fromCase(row.messages.at(i));
        QTest::newRow(row.name) << fromCase(row.input) << row.inputOption << row.outputOption
                                << fromCase(row.output) << messages;
    }
}

void Form1BehaviourTest::convert()
{
    QFETCH(QString, input);
    QFETCH(ControlId, inputOption);
    QFETCH(ControlId, outputOption);
    QFETCH(QString, output);
    QFETCH(QStringList, messages);

    m_window.choose(inputOption);
    m_window.choose(outputOption);
    box(ControlId::Text1)->setText(input);
    box(ControlId::Text2)->setText(fromCase(tarvex::cases::kKept));

    MessageBoxAnswerer answerer(static_cast<int>(messages.size()));
    click(ControlId::Command1);

    QCOMPARE(answerer.texts(), messages);
    for (const MessageBoxAnswerer::Box &shown : answerer.boxes()) {
        QVERIFY2(shown.title.trimmed().isEmpty(), qPrintable(shown.title));
        QVERIFY(!shown.hasIcon);
        QCOMPARE(shown.buttonCount, 1);
        QVERIFY(!shown.okHasIcon);
        // Qt's own texts are Chinese too, under any locale (the test runs under C.UTF-8).
        QCOMPARE(shown.okText, QStringLiteral("确定"));
    }
    QCOMPARE(box(ControlId::Text2)->text(), output);
    // The message boxes speak for themselves; a box that keeps its text has nothing to tell,
    // and one the command emptied is told by its name alone.
    const QString told =
        output.isEmpty() ? QStringLiteral("输出结果框") : QStringLiteral("输出结果框：") + output;
    QCOMPARE(heard, output == fromCase(tarvex::cases::kKept) ? QStringList() : QStringList{told});
}

void Form1BehaviourTest::textCodeButtonsFillTheirOutputBoxes_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("told");
    // What Orca hears of each row's output box.
    const QHash<QString, QString> told = {
        {"text to codes", "输出十六进制结果：D6D0CEC4"},
        {"codes to text", "输出转换后的中文结果：中文"},
        {"no text gives no codes", "输出十六进制结果"},
        {"no codes give no text", "输出转换后的中文结果"},
        {"a group without a leading digit shows as the symbol for NUL",
         "输出转换后的中文结果：A␀B"},
        {"a long text gives codes longer than is told whole",
         "输出十六进制结果：" + QString("D6D0").repeated(50) + "…（共 480 个字符）"},
    };
    for (std::size_t row = 0; row < tarvex::cases::kTextCodeCases.size(); ++row) {
        const char *name = tarvex::cases::kTextCodeCases[row].name;
        QTest::newRow(name) << static_cast<int>(row) << told.value(name);
    }
}

void Form1BehaviourTest::textCodeButtonsFillTheirOutputBoxes()
{
    QFETCH(int, row);
    QFETCH(QString, told);
    const tarvex::cases::TextCodeCase &c = tarvex::cases::kTextCodeCases.at(row);
    MessageBoxAnswerer answerer;
    box(c.outputBox)->setText(fromCase(tarvex::cases::kKept));
    typeKeyScript(box(c.inputBox), c.input);
    click(c.button);
    QCOMPARE(box(c.outputBox)->text(), fromCase(c.output));
    QCOMPARE(heard, QStringList{told});
    QVERIFY(!answerer.sawUnexpectedBox());
}

void Form1BehaviourTest::typingIntoOutputBoxesIsReplacedByTheNextConversion()
{
    MessageBoxAnswerer answerer;
    for (const ControlId output : {ControlId::Text2, ControlId::Text4, ControlId::Text6}) {
        QTest::keyClicks(box(output), "typed");
        QCOMPARE(box(output)->text(), QStringLiteral("typed"));
    }
    QTest::keyClicks(box(ControlId::Text1), "1");
    box(ControlId::Text3)->setText(QStringLiteral("A"));
    box(ControlId::Text5)->setText(QStringLiteral("0041"));
    click(ControlId::Command1);
    click(ControlId::Command3);
    click(ControlId::Command4);
    QCOMPARE(box(ControlId::Text2)->text(), QStringLiteral("1"));
    QCOMPARE(box(ControlId::Text4)->text(), QStringLiteral("41"));
    QCOMPARE(box(ControlId::Text6)->text(), QStringLiteral("A"));
    // Each command's result once; nothing of what was typed.
    QCOMPARE(heard,
             (QStringList{"输出结果框：1", "输出十六进制结果：41", "输出转换后的中文结果：A"}));
}

void Form1BehaviourTest::enterAndEscapeClickNothing()
{
    // With Text1 empty, a click on Convert would show a message and Exit would close.
    MessageBoxAnswerer answerer;
    m_window.choose(ControlId::Option4);
    for (const ControlId focus : tarvex::cases::kEnterPressesNothingIn) {
        control(focus)->setFocus();
        QTest::keyClick(control(focus), Qt::Key_Return);
        QTest::keyClick(control(focus), Qt::Key_Enter);
        QTest::keyClick(control(focus), Qt::Key_Escape);
    }
    QTest::qWait(30);
    QVERIFY(!answerer.sawUnexpectedBox());
    QVERIFY(m_window.form().isVisible());
    QVERIFY(box(ControlId::Text2)->text().isEmpty());
}

namespace {

// A key as the user presses it: Return, or Enter on the keypad.
void press(QWidget *widget, Qt::Key key)
{
    QTest::keyClick(widget, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

} // namespace

void Form1BehaviourTest::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("key");
    for (const auto &[name, key] :
         {std::pair{"Return", Qt::Key_Return}, std::pair{"keypad Enter", Qt::Key_Enter}}) {
        for (std::size_t row = 0; row < tarvex::cases::kEnterPressesButtonCases.size(); ++row)
            QTest::addRow("%s on %s", name, tarvex::cases::kEnterPressesButtonCases[row].name)
                << static_cast<int>(row) << int(key);
    }
}

void Form1BehaviourTest::enterPressesTheFocusedButton()
{
    QFETCH(int, row);
    QFETCH(int, key);
    const tarvex::cases::ButtonCase &c = tarvex::cases::kEnterPressesButtonCases.at(row);
    MessageBoxAnswerer answerer;
    for (const tarvex::cases::BoxText &input : tarvex::cases::kButtonInputs)
        box(input.box)->setText(fromCase(input.text));
    control(c.button)->setFocus();
    press(control(c.button), Qt::Key(key));
    QCOMPARE(box(c.outputBox)->text(), fromCase(c.output));
    QVERIFY(!answerer.sawUnexpectedBox());
}

void Form1BehaviourTest::enterInAMessageBoxMeansOk()
{
    // Enter on Convert with Text1 empty shows the message; Enter in the box closes it, and
    // does not press Convert again.
    MessageBoxAnswerer answerer(1, MessageBoxAnswerer::Answer::PressEnter);
    control(ControlId::Command1)->setFocus();
    press(control(ControlId::Command1), Qt::Key_Return);
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("输入源数据")});
    QVERIFY(m_window.form().isVisible());
}

void Form1BehaviourTest::tabFromCommand1ReachesTheHiddenExitButtonThenText3()
{
    control(ControlId::Command1)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text3"));
}

// Runs the application's event loop until it ends by itself, after `action`; fails if it has
// not ended within half a minute, which only a program that does not end takes.
static void expectProgramToEndAfter(const std::function<void()> &action)
{
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, action);
    QTimer::singleShot(30000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
}

void Form1BehaviourTest::exitButtonClosesTheWindowAndEndsTheProgram_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void Form1BehaviourTest::exitButtonClosesTheWindowAndEndsTheProgram()
{
    QFETCH(int, key);
    // Command2 lies outside the client area: the keyboard is the way to it.
    expectProgramToEndAfter([this, key] {
        control(ControlId::Command2)->setFocus();
        press(control(ControlId::Command2), Qt::Key(key));
    });
    QVERIFY(!m_window.form().isVisible());
}

void Form1BehaviourTest::closeButtonEndsTheProgram()
{
    expectProgramToEndAfter([this] { m_window.form().close(); });
    QVERIFY(!m_window.form().isVisible());
}

void Form1BehaviourTest::textBoxesTakeTextsBeyond32767Characters()
{
    const QString longText(40000, QLatin1Char('1'));
    for (const ControlId input : {ControlId::Text1, ControlId::Text3, ControlId::Text5}) {
        box(input)->setText(longText);
        QCOMPARE(box(input)->text().size(), longText.size());
    }
}

void Form1BehaviourTest::textBoxMenuIsChinese()
{
    const std::unique_ptr<QMenu> menu(box(ControlId::Text1)->createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QCOMPARE(texts, (QStringList{"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除",
                                 "全选"}));
}

void Form1BehaviourTest::failedCommandTellsTheUserAndKeepsTheBox_data()
{
    QTest::addColumn<std::function<void()>>("failure");
    QTest::addColumn<QString>("message");
    QTest::newRow("no memory for a huge text")
        << std::function<void()>([] { throw std::bad_alloc(); })
        << QStringLiteral("内存不足，无法完成转换");
    QTest::newRow("any other failure") << std::function<void()>([] {
        throw std::system_error(std::make_error_code(std::errc::invalid_argument));
    }) << QStringLiteral("转换失败");
}

void Form1BehaviourTest::failedCommandTellsTheUserAndKeepsTheBox()
{
    QFETCH(std::function<void()>, failure);
    QFETCH(QString, message);
    box(ControlId::Text4)->setText(QStringLiteral("kept"));
    MessageBoxAnswerer answerer(1);
    tarvex::design::runGuarded(
        [&] {
            failure();
            box(ControlId::Text4)->setText(QStringLiteral("written"));
        },
        [&](std::u16string_view text) { m_window.form().showMessage(text); });
    QCOMPARE(answerer.texts(), QStringList{message});
    QCOMPARE(box(ControlId::Text4)->text(), QStringLiteral("kept"));
    QVERIFY(m_window.form().isVisible());
}

QTEST_MAIN(Form1BehaviourTest)
#include "form1_behaviour_test.moc"
