// A long run of random actions on the real window: typing under every input base, pasting long
// and odd texts into every box, switching bases, clicking the four buttons, answering every
// message box and delivering the tray icon's notifications. Every Convert click is checked
// against the core's own Convert command run on the same inputs, and every text-code click
// against the core's functions. The seed is fixed, so a failure repeats.
#include "core/convert_command.h"
#include "core/text_codes.h"
#include "design/base_options.h"
#include "design/commands.h"
#include "linux/tray/mod_tray.h"
#include "linux/tray/window_proc_hook.h"
#include "message_box_answerer.h"
#include "recording_window.h"
#include "shown_form1.h"

#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <array>
#include <random>

using namespace tarvex;
using design::ControlId;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

constexpr std::uint32_t kSeed = 20261207;
constexpr int kWarmUpActions = 100;
constexpr qint64 kAllowedGrowthKiB = 8 * 1024;

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong();
    return -1;
}

QString toQString(const std::u16string &text)
{
    return QString::fromStdU16String(text);
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT

private slots:
    void randomActionsAgreeWithTheCore();

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }
    QLineEdit *box(int index) const { return m_boxes.at(static_cast<std::size_t>(index)); }
    QString randomText();
    void warmUp();
    void act(int action);
    void typeIntoText1();
    void paste();
    void clickConvertAndCompare();
    void clickTextCodeButtonAndCompare();
    void notifyFromTray();

    std::mt19937 m_random{kSeed};
    ShownForm1 m_window;
    std::array<QLineEdit *, 6> m_boxes{};
    std::array<QRadioButton *, 8> m_options{};
    // Control characters, surrogates, noncharacters, characters of several scripts, and a few
    // more drawn from the seed: a fixed set, so that the fonts they need are loaded once.
    QString m_oddUnits;
    int m_convertClicks = 0;
    int m_messagesAnswered = 0;
};

QString SoakTest::randomText()
{
    static const QStringList odd = {QStringLiteral("FFFFFFFF"),
                                    QStringLiteral("7FFFFFFF"),
                                    QStringLiteral("2147483648"),
                                    QStringLiteral("-5"),
                                    QStringLiteral("2.5"),
                                    QStringLiteral("1e3"),
                                    QStringLiteral("ff"),
                                    QStringLiteral("中文"),
                                    QStringLiteral("D6D0CEC4"),
                                    QStringLiteral("d6 d0,GGGG"),
                                    QString(QChar(0)) + "1" + QChar(0),
                                    QString(QChar(0xD800)) + "10" + QChar(0xDC00),
                                    QStringLiteral("\U0001F600A"),
                                    QStringLiteral("€")};
    switch (pick(5)) {
    case 0:
        return odd[pick(static_cast<int>(odd.size()))];
    case 1: {
        QString digits;
        const int length = 1 + pick(40);
        for (int i = 0; i < length; ++i)
            digits += QStringLiteral("0123456789ABCDEF")[pick(16)];
        return digits;
    }
    case 2: {
        QString units;
        const int length = 1 + pick(20);
        for (int i = 0; i < length; ++i)
            units += m_oddUnits[pick(static_cast<int>(m_oddUnits.size()))];
        return units;
    }
    case 3:
        // Long texts, around the 16-bit and 1,024-character limits of the conversions.
        return QString(std::array{1024, 1025, 8193, 32766, 32768}[pick(5)],
                       QStringLiteral("01F7")[pick(4)]);
    default:
        return QString(1 + pick(8), QChar(u'中'));
    }
}

// Brings the window to the largest working set the actions can give it before memory is
// measured: every box holding the longest texts and every odd character, every text code
// converted at that size, every pair of bases converted once. Caches and the allocator's
// high-water mark then no longer pass for a leak.
void SoakTest::warmUp()
{
    for (char16_t unit :
         {0x0000, 0x0007, 0x001B, 0x007F, 0x0080, 0x00FF, 0x200B, 0x3000, 0xFEFF, 0xFFFE,
          0xFFFF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0x4E2D, 0xAC00, 0x0627, 0x0E01, 0x20AC})
        m_oddUnits += QChar(unit);
    while (m_oddUnits.size() < 64)
        m_oddUnits += QChar(static_cast<char16_t>(pick(0x10000)));

    for (QLineEdit *target : m_boxes) {
        for (const QString &text : {QString(32768, QLatin1Char('1')), m_oddUnits}) {
            QGuiApplication::clipboard()->setText(text);
            target->selectAll();
            target->paste();
            QCoreApplication::processEvents();
            m_window.form().repaint();
        }
    }
    box(2)->setText(QString(32768, QChar(u'中')));
    box(4)->setText(QString(32768, QLatin1Char('F')));
    clickTextCodeButtonAndCompare();
    clickTextCodeButtonAndCompare();
    for (int input = 0; input < 4; ++input) {
        for (int output = 4; output < 8; ++output) {
            m_options[static_cast<std::size_t>(input)]->click();
            m_options[static_cast<std::size_t>(output)]->click();
            clickConvertAndCompare();
        }
    }
    m_window.form().repaint();
}

void SoakTest::typeIntoText1()
{
    QLineEdit *text1 = box(0);
    static const QString printable = QStringLiteral("0123456789abcdefABCDEFxyz .-+");
    static const std::array<Qt::Key, 7> editing = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                                   Qt::Key_Right,     Qt::Key_Home,   Qt::Key_End,
                                                   Qt::Key_Return};
    switch (pick(6)) {
    case 0:
        QTest::keyClick(text1, editing[static_cast<std::size_t>(pick(7))]);
        break;
    case 1:
        QTest::keyClick(text1, std::array{Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X}[pick(4)],
                        Qt::ControlModifier);
        break;
    case 2:
        QTest::sendKeyEvent(QTest::Click, text1, Qt::Key_unknown, QStringLiteral("中"),
                            Qt::NoModifier);
        break;
    case 3: {
        QInputMethodEvent commit;
        commit.setCommitString(pick(2) == 0 ? QStringLiteral("中文") : QStringLiteral("12a"));
        QApplication::sendEvent(text1, &commit);
        break;
    }
    default:
        QTest::keyClick(text1, printable[pick(static_cast<int>(printable.size()))].toLatin1());
        break;
    }
}

void SoakTest::paste()
{
    QGuiApplication::clipboard()->setText(randomText());
    QLineEdit *target = box(pick(6));
    if (pick(2) == 0)
        target->selectAll();
    target->paste();
}

void SoakTest::clickConvertAndCompare()
{
    RecordingWindow expected;
    expected.text1Box = box(0)->text().toStdU16String();
    expected.text2Box = box(1)->text().toStdU16String();
    for (std::size_t i = 0; i < m_options.size(); ++i)
        if (m_options[i]->isChecked())
            expected.setButtons.insert(static_cast<OptionButton>(i + 1));
    expected.workingStrings = static_cast<const RadixConversions &>(m_window.form());
    runConvertCommand(expected);

    MessageBoxAnswerer answerer(static_cast<int>(expected.messages.size()));
    m_window.control<QPushButton>(ControlId::Command1)->click();
    ++m_convertClicks;
    m_messagesAnswered += static_cast<int>(answerer.boxes().size());

    QStringList expectedMessages;
    for (const std::u16string &message : expected.messages)
        expectedMessages << toQString(message);
    QCOMPARE(answerer.texts(), expectedMessages);
    QCOMPARE(box(1)->text(), toQString(expected.text2Box));
    QVERIFY(m_window.form().strSource == expected.workingStrings.strSource);
    QVERIFY(m_window.form().strResult == expected.workingStrings.strResult);
    QVERIFY(m_window.form().strBinary == expected.workingStrings.strBinary);
}

void SoakTest::clickTextCodeButtonAndCompare()
{
    MessageBoxAnswerer answerer;
    if (pick(2) == 0) {
        const std::u16string expected = TextToHexCodes(box(2)->text().toStdU16String());
        m_window.control<QPushButton>(ControlId::Command3)->click();
        QCOMPARE(box(3)->text(), toQString(expected));
    } else {
        const std::u16string expected =
            design::visibleText(HexCodesToText(box(4)->text().toStdU16String()));
        m_window.control<QPushButton>(ControlId::Command4)->click();
        QCOMPARE(box(5)->text(), toQString(expected));
    }
    QVERIFY(!answerer.sawUnexpectedBox());
}

void SoakTest::notifyFromTray()
{
    using namespace tarvex::win32_over_qt;
    static const std::array<LPARAM, 6> messages = {WM_LBUTTONUP,     WM_LBUTTONUP, WM_RBUTTONUP,
                                                   WM_LBUTTONDBLCLK, WM_MOUSEMOVE, WM_LBUTTONDOWN};
    PostMessageA(modTray::trayIconData.hWnd, modTray::kTrayCallbackMessage, modTray::kTrayIconId,
                 messages[static_cast<std::size_t>(pick(6))]);
    QCoreApplication::sendPostedEvents();
}

void SoakTest::act(int action)
{
    if (action < 35)
        typeIntoText1();
    else if (action < 42)
        QTest::keyClicks(box(1 + pick(5)), "a1");
    else if (action < 50)
        paste();
    else if (action < 60)
        m_options[static_cast<std::size_t>(pick(8))]->click();
    else if (action < 80)
        clickConvertAndCompare();
    else if (action < 88)
        clickTextCodeButtonAndCompare();
    else if (action < 94)
        notifyFromTray();
    else
        box(pick(6))->clear();
}

void SoakTest::randomActionsAgreeWithTheCore()
{
    const int actions = qEnvironmentVariableIntValue("TARVEX_SOAK_ACTIONS") > 0
                            ? qEnvironmentVariableIntValue("TARVEX_SOAK_ACTIONS")
                            : 10000;
    QVERIFY(m_window.open());
    constexpr std::array kBoxes = {ControlId::Text1, ControlId::Text2, ControlId::Text3,
                                   ControlId::Text4, ControlId::Text5, ControlId::Text6};
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_boxes[i] = m_window.box(kBoxes.at(i));
    for (std::size_t i = 0; i < m_options.size(); ++i)
        m_options[i] =
            m_window.control<QRadioButton>(design::optionControl(static_cast<OptionButton>(i + 1)));

    warmUp();
    qint64 warmKiB = 0;
    for (int i = 0; i < actions; ++i) {
        act(pick(100));
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("after action %1 of seed %2").arg(i).arg(kSeed)));
        if (i + 1 == kWarmUpActions)
            warmKiB = residentKiB();
    }
    const qint64 endKiB = residentKiB();
    qInfo("%d actions (%d Convert clicks, %d message boxes answered); RSS after %d actions "
          "%lld KiB, after all %lld KiB",
          actions, m_convertClicks, m_messagesAnswered, kWarmUpActions, warmKiB, endKiB);
    // AddressSanitizer holds freed memory back in quarantine, so its figures say nothing here.
    if (!kUnderAddressSanitizer)
        QVERIFY2(endKiB - warmKiB <= kAllowedGrowthKiB, "memory grew during the soak");
}

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
