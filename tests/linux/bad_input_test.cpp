// Bad input at scale on the real window: a mebi-character text in the input box under every
// pair of bases, in the text-code boxes, and U+0000 with lone surrogates in every box. Each
// result is checked against the core; how long each took is printed, not asserted.
#include "core/convert_command.h"
#include "core/text_codes.h"
#include "design/base_options.h"
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
    QLineEdit *box(design::ControlId id) const { return m_window.box(id); }
    void click(design::ControlId button) const { m_window.control<QPushButton>(button)->click(); }
    void choose(OptionButton input, OptionButton output) const
    {
        m_window.choose(design::optionControl(input));
        m_window.choose(design::optionControl(output));
    }
    void convertAndCompareWithTheCore(const QString &text1, OptionButton input,
                                      OptionButton output);

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
void BadInputTest::convertAndCompareWithTheCore(const QString &text1, OptionButton input,
                                                OptionButton output)
{
    choose(input, output);
    box(design::Text1)->setText(text1);
    // The paste is done, drawing included, before the click is timed.
    QCoreApplication::processEvents();
    RecordingWindow expected;
    expected.text1Box = text1.toStdU16String();
    expected.text2Box = box(design::Text2)->text().toStdU16String();
    expected.setButtons = {input, output};
    expected.workingStrings = static_cast<const RadixConversions &>(m_window.form());
    runConvertCommand(expected);

    MessageBoxAnswerer answerer(static_cast<int>(expected.messages.size()));
    QElapsedTimer clock;
    clock.start();
    click(design::Command1);
    const qint64 clickMs = clock.elapsed();

    QStringList messages;
    for (const std::u16string &message : expected.messages)
        messages << QString::fromStdU16String(message);
    QCOMPARE(answerer.texts(), messages);
    QCOMPARE(box(design::Text2)->text(), QString::fromStdU16String(expected.text2Box));
    if (!answerer.boxes().isEmpty())
        qInfo("Option%d to Option%d, %lld characters: message after %lld ms",
              static_cast<int>(input), static_cast<int>(output), text1.size(),
              answerer.boxes().front().millisecondsToAppear);
    else
        qInfo("Option%d to Option%d, %lld characters: result after %lld ms",
              static_cast<int>(input), static_cast<int>(output), text1.size(), clickMs);
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
    convertAndCompareWithTheCore(QString(kMebi, QLatin1Char('1')), OptionButton(input),
                                 OptionButton(output));
    convertAndCompareWithTheCore("12" + QString(kMebi, QLatin1Char('x')), OptionButton(input),
                                 OptionButton(output));
}

void BadInputTest::mebiCharacterTextCodesConvertInFull()
{
    box(design::Text3)->setText(QString(kMebi, QChar(u'中')));
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    click(design::Command3);
    qInfo("%lld Chinese characters to codes: %lld ms", kMebi, clock.elapsed());
    QCOMPARE(box(design::Text4)->text().size(), 4 * kMebi);
    QVERIFY(box(design::Text4)->text() ==
            QString::fromStdU16String(TextToHexCodes(box(design::Text3)->text().toStdU16String())));

    box(design::Text5)->setText(QStringLiteral("D6D0CEC4").repeated(kMebi / 8));
    QCoreApplication::processEvents();
    clock.restart();
    click(design::Command4);
    qInfo("%lld characters of codes to text: %lld ms", kMebi, clock.elapsed());
    QCOMPARE(box(design::Text6)->text(), QStringLiteral("中文").repeated(kMebi / 8));
}

void BadInputTest::nulAndLoneSurrogatesGoThroughEveryBox()
{
    const QString odd = QString::fromStdU16String(
        std::u16string{u'1', 0, 0xD800, u'A', 0xDC00, u'中', 0, u'0', 0xDBFF});
    for (const design::Control &control : design::kControls)
        if (control.kind == design::ControlKind::TextBox)
            box(control.id)->setText(odd);
    for (int input = 1; input <= 4; ++input)
        convertAndCompareWithTheCore(odd, OptionButton(input),
                                     input == 1 ? OptionButton::Option7 : OptionButton::Option5);

    click(design::Command3);
    click(design::Command4);
    QCOMPARE(box(design::Text4)->text(),
             QString::fromStdU16String(TextToHexCodes(odd.toStdU16String())));
    QCOMPARE(box(design::Text6)->text(),
             QString::fromStdU16String(design::visibleText(HexCodesToText(odd.toStdU16String()))));
    QCOMPARE(box(design::Text3)->text(), odd);
    QCOMPARE(box(design::Text5)->text(), odd);
}

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
