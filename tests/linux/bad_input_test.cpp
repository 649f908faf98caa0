// Bad input at scale on the real window: a mebi-character text in the input box under every
// pair of bases, in the text-code boxes, and U+0000 with lone surrogates in every box. Each
// result is checked against the core; how long each took is printed, not asserted.
#include "core/convert_command.h"
#include "core/text_codes.h"
#include "design/commands.h"
#include "message_box_answerer.h"
#include "recording_window.h"
#include "shown_form1.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

using namespace tarvex;

namespace {

// A mebi-character text; under the sanitizers, which check every access, the build gives a
// shorter one (TARVEX_BAD_INPUT_LENGTH) that walks the same code.
constexpr qsizetype kMebi = TARVEX_BAD_INPUT_LENGTH;

} // namespace

class BadInputTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mebiCharacterInputUnderEveryPair_data();
    void mebiCharacterInputUnderEveryPair();
    void mebiCharacterTextCodesConvertInFull();
    void nulAndLoneSurrogatesGoThroughEveryBox();

private:
    QLineEdit *box(int number) const { return m_window.box(QStringLiteral("Text%1").arg(number)); }
    QPushButton *command(int number) const
    {
        return m_window.control<QPushButton>(QStringLiteral("Command%1").arg(number));
    }
    void choose(int input, int output) const
    {
        m_window.choose(QStringLiteral("Option%1").arg(input));
        m_window.choose(QStringLiteral("Option%1").arg(output));
    }
    void convertAndCompareWithTheCore(const QString &text1, int input, int output);

    ShownForm1 m_window;
};

void BadInputTest::init()
{
    QVERIFY(m_window.open());
}

void BadInputTest::cleanup()
{
    m_window.close();
}

// Clicks Convert on `text1` with Option<input> and Option<output> set, and checks the output
// box and the messages against the core's Convert command on the same window state.
void BadInputTest::convertAndCompareWithTheCore(const QString &text1, int input, int output)
{
    choose(input, output);
    box(1)->setText(text1);
    // The paste is done, drawing included, before the click is timed.
    QCoreApplication::processEvents();
    RecordingWindow expected;
    expected.text1Box = text1.toStdU16String();
    expected.text2Box = box(2)->text().toStdU16String();
    expected.setButtons = {OptionButton(input), OptionButton(output)};
    expected.workingStrings = static_cast<const RadixConversions &>(m_window.form());
    runConvertCommand(expected);

    MessageBoxAnswerer answerer(static_cast<int>(expected.messages.size()));
    QElapsedTimer clock;
    clock.start();
    command(1)->click();
    const qint64 clickMs = clock.elapsed();

    QStringList messages;
    for (const std::u16string &message : expected.messages)
        messages << QString::fromStdU16String(message);
    QCOMPARE(answerer.texts(), messages);
    QCOMPARE(box(2)->text(), QString::fromStdU16String(expected.text2Box));
    if (!answerer.boxes().isEmpty())
        qInfo("Option%d to Option%d, %lld characters: message after %lld ms", input, output,
              text1.size(), answerer.boxes().front().millisecondsToAppear);
    else
        qInfo("Option%d to Option%d, %lld characters: result after %lld ms", input, output,
              text1.size(), clickMs);
}

void BadInputTest::mebiCharacterInputUnderEveryPair_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    for (int input = 1; input <= 4; ++input)
        for (int output = 5; output <= 8; ++output)
            QTest::addRow("Option%d to Option%d", input, output) << input << output;
}

void BadInputTest::mebiCharacterInputUnderEveryPair()
{
    QFETCH(int, input);
    QFETCH(int, output);
    // Digits of every base, so that each conversion reads all of them, and a text whose
    // leading number is small, so that the decimal reading accepts it.
    convertAndCompareWithTheCore(QString(kMebi, QLatin1Char('1')), input, output);
    convertAndCompareWithTheCore("12" + QString(kMebi, QLatin1Char('x')), input, output);
}

void BadInputTest::mebiCharacterTextCodesConvertInFull()
{
    box(3)->setText(QString(kMebi, QChar(u'中')));
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    command(3)->click();
    qInfo("%lld Chinese characters to codes: %lld ms", kMebi, clock.elapsed());
    QCOMPARE(box(4)->text().size(), 4 * kMebi);
    QVERIFY(box(4)->text() ==
            QString::fromStdU16String(TextToHexCodes(box(3)->text().toStdU16String())));

    box(5)->setText(QStringLiteral("D6D0CEC4").repeated(kMebi / 8));
    QCoreApplication::processEvents();
    clock.restart();
    command(4)->click();
    qInfo("%lld characters of codes to text: %lld ms", kMebi, clock.elapsed());
    QCOMPARE(box(6)->text(), QStringLiteral("中文").repeated(kMebi / 8));
}

void BadInputTest::nulAndLoneSurrogatesGoThroughEveryBox()
{
    const QString odd = QString::fromStdU16String(
        std::u16string{u'1', 0, 0xD800, u'A', 0xDC00, u'中', 0, u'0', 0xDBFF});
    for (int number = 1; number <= 6; ++number)
        box(number)->setText(odd);
    for (int input = 1; input <= 4; ++input)
        convertAndCompareWithTheCore(odd, input, input == 1 ? 7 : 5);

    command(3)->click();
    command(4)->click();
    QCOMPARE(box(4)->text(), QString::fromStdU16String(TextToHexCodes(odd.toStdU16String())));
    QCOMPARE(box(6)->text(),
             QString::fromStdU16String(design::visibleText(HexCodesToText(odd.toStdU16String()))));
    QCOMPARE(box(3)->text(), odd);
    QCOMPARE(box(5)->text(), odd);
}

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
