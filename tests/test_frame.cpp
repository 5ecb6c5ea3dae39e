#include "framebuilder.h"
#include "framechecksum.h"
#include "recordsamples.h"

#include <QTest>

using namespace recordSamples;
using Refusal = frameBuilder::Refusal;

Q_DECLARE_METATYPE(frameBuilder::Refusal)

namespace {

linkSettings checking(qint8 chks)
{
    linkSettings settings;
    settings.check = 1;
    settings.chks = chks;
    return settings;
}

QString recordText()
{
    return recordFields().join(QLatin1Char('|')) + QLatin1Char('|');
}

} // namespace

class FrameTest : public QObject
{
    Q_OBJECT
private slots:
    void checkingOffLayout();
    void otherSeparator();
    void countsFollowTheLists();
    void numberMode_data();
    void numberMode();
    void phoneNumber_data();
    void phoneNumber();
    void characterCodes();
    void checksumText_data();
    void checksumText();
    void checkingOnAppendsChecksum_data();
    void checkingOnAppendsChecksum();
    void refusal_data();
    void refusal();
    void separatorOutsideSevenBit();
    void ownLimitRules();
    void refusalTexts();
    void expectedText();
    void expectedRefusals_data();
    void expectedRefusals();
};

void FrameTest::checkingOffLayout()
{
    const frameBuilder::Result result = frameBuilder(linkSettings()).load(filledForm());
    QVERIFY(result.accepted());
    QCOMPARE(result.text, recordText());
    QCOMPARE(result.text.count(QLatin1Char('|')), 43);
    QVERIFY(result.text.endsWith(QLatin1Char('|')));
}

void FrameTest::otherSeparator()
{
    linkSettings settings;
    settings.dlSep = ';';
    formValues form = filledForm();
    form.texts[3] = QStringLiteral("a|b");
    QStringList fields = recordFields();
    fields[3] = QStringLiteral("a|b");

    const frameBuilder::Result result = frameBuilder(settings).load(form);
    QVERIFY(result.accepted());
    QCOMPARE(result.text, fields.join(QLatin1Char(';')) + QLatin1Char(';'));
}

void FrameTest::countsFollowTheLists()
{
    // Two plain fields, eight phones and the alarm-stop word.
    formValues form;
    form.texts = QStringList{"a", "b", "1", "", "", "", "", "", "", "8", "end"};
    form.flags = QList<bool>(16, false);
    form.flags[7] = true;
    const frameBuilder::Result result = frameBuilder(linkSettings()).load(form, {});
    QCOMPARE(result.text, QStringLiteral("a|b|1|P|0|P|0|P|0|P|0|P|0|P|0|P|8|D|end|"));
}

void FrameTest::numberMode_data()
{
    QTest::addColumn<bool>("call");
    QTest::addColumn<bool>("sms");
    QTest::addColumn<QString>("letter");
    QTest::newRow("both") << true << true << "A";
    QTest::newRow("call") << true << false << "D";
    QTest::newRow("sms") << false << true << "S";
    QTest::newRow("neither") << false << false << "P";
}

void FrameTest::numberMode()
{
    QFETCH(bool, call);
    QFETCH(bool, sms);
    QFETCH(QString, letter);
    // Phone 3 (no number): flags 2 and 10.
    formValues form = filledForm();
    form.flags[2] = call;
    form.flags[10] = sms;
    const QStringList fields = frameBuilder(linkSettings()).load(form).text.split(QLatin1Char('|'));
    QCOMPARE(fields.at(phoneField(2)), QStringLiteral("0"));
    QCOMPARE(fields.at(modeField(2)), letter);
}

void FrameTest::phoneNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("one blank") << " " << "0";
    QTest::newRow("two blanks") << "  " << "  ";
    QTest::newRow("international") << "+36301234567" << "+36301234567";
}

void FrameTest::phoneNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    formValues form = filledForm();
    form.texts[firstPhone + 2] = typed;
    const QStringList fields = frameBuilder(linkSettings()).load(form).text.split(QLatin1Char('|'));
    QCOMPARE(fields.at(phoneField(2)), sent);
}

void FrameTest::characterCodes()
{
    QCOMPARE(frameChecksum::code(QLatin1Char('a')), qint8(97));
    QCOMPARE(frameChecksum::code(QChar(0xA4)), qint8(-92));
    QCOMPARE(frameChecksum::code(QChar(0xFF)), qint8(-1));
    QCOMPARE(frameChecksum::code(QChar(0x80)), qint8(-128));
    QCOMPARE(frameChecksum::code(QChar(0x151)), qint8(0));
}

void FrameTest::checksumText_data()
{
    QTest::addColumn<QString>("covered");
    QTest::addColumn<int>("chks");
    QTest::addColumn<QString>("text");
    // "abc|" sums to 418.
    QTest::newRow("418 mod 8") << "abc|" << 0 << "2";
    QTest::newRow("418 mod 16") << "abc|" << 1 << "2";
    QTest::newRow("418 mod 24") << "abc|" << 2 << "10";
    QTest::newRow("418 mod 32") << "abc|" << 3 << "2";
    // Three currency signs sum to -276: the remainder keeps the sign.
    const QString currency(3, QChar(0xA4));
    QTest::newRow("-276 mod 8") << currency << 0 << "-4";
    QTest::newRow("-276 mod 24") << currency << 2 << "-12";
    QTest::newRow("-276 mod 32") << currency << 3 << "-20";
    QTest::newRow("outside Latin-1 adds 0") << QString(QChar(0x151)) + "abc|" << 2 << "10";
    QTest::newRow("empty") << "" << 3 << "0";
    QTest::newRow("fixed character") << "abc|" << int('X') << "X";
    QTest::newRow("fixed Latin-1 byte") << "abc|" << -61 << QString(QChar(0xC3));
}

void FrameTest::checksumText()
{
    QFETCH(QString, covered);
    QFETCH(int, chks);
    QFETCH(QString, text);
    QCOMPARE(frameChecksum::text(covered, qint8(chks)), text);
}

void FrameTest::checkingOnAppendsChecksum_data()
{
    QTest::addColumn<int>("chks");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("checksum");
    // "abc" + "|" + eight "0|P|" + "|" sums to 3550; with a currency sign
    // (-92) in place of "abc" to 3164 (it would be 3420 read unsigned).
    QTest::newRow("8-bit") << 0 << "abc" << "6";
    QTest::newRow("16-bit") << 1 << "abc" << "14";
    QTest::newRow("24-bit") << 2 << "abc" << "22";
    QTest::newRow("32-bit") << 3 << "abc" << "30";
    QTest::newRow("currency sign") << 2 << "\u00A4" << "20";
    QTest::newRow("fixed") << int('#') << "abc" << "#";
}

void FrameTest::checkingOnAppendsChecksum()
{
    QFETCH(int, chks);
    QFETCH(QString, field);
    QFETCH(QString, checksum);
    // One plain field, eight empty phones, an empty stop word.
    formValues form;
    form.texts = QStringList{field, "", "", "", "", "", "", "", "", ""};
    const QString body = field + "|" + QString("0|P|").repeated(8) + "|";
    const frameBuilder::Result result = frameBuilder(checking(qint8(chks))).load(form, {});
    QVERIFY(result.accepted());
    QCOMPARE(result.text, body + checksum);
}

void FrameTest::refusal_data()
{
    QTest::addColumn<QList<int>>("fields");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<Refusal>("refusal");

    QTest::newRow("filled") << QList<int>{} << QStringList{} << frameBuilder::NoRefusal;
    QTest::newRow("empty plain field") << QList<int>{3} << QStringList{""} << frameBuilder::EmptyField;
    QTest::newRow("last plain field empty") << QList<int>{25} << QStringList{""} << frameBuilder::EmptyField;
    QTest::newRow("blanks are not empty") << QList<int>{3} << QStringList{"   "} << frameBuilder::NoRefusal;
    QTest::newRow("empty stop word") << QList<int>{stopWord} << QStringList{""} << frameBuilder::NoRefusal;

    QTest::newRow("h1 20/22") << QList<int>{h1Low, h1High} << QStringList{"20", "22"} << frameBuilder::FirstThermometer;
    QTest::newRow("h1 20/23") << QList<int>{h1Low, h1High} << QStringList{"20", "23"} << frameBuilder::NoRefusal;
    QTest::newRow("h1 equal") << QList<int>{h1Low, h1High} << QStringList{"20", "20"} << frameBuilder::FirstThermometer;
    QTest::newRow("h1 reversed") << QList<int>{h1Low, h1High} << QStringList{"30", "20"} << frameBuilder::FirstThermometer;
    QTest::newRow("h1 letter/3") << QList<int>{h1Low, h1High} << QStringList{"x", "3"} << frameBuilder::NoRefusal;
    QTest::newRow("h1 letter/2") << QList<int>{h1Low, h1High} << QStringList{"x", "2"} << frameBuilder::FirstThermometer;
    QTest::newRow("h1 signed") << QList<int>{h1Low, h1High} << QStringList{"-3", "+0"} << frameBuilder::NoRefusal;
    QTest::newRow("h1 at int limit") << QList<int>{h1Low, h1High} << QStringList{"2147483646", "2147483647"}
                                     << frameBuilder::FirstThermometer;
    QTest::newRow("h2 20/22") << QList<int>{h2Low, h2High} << QStringList{"20", "22"} << frameBuilder::SecondThermometer;
    QTest::newRow("h2 20/23") << QList<int>{h2Low, h2High} << QStringList{"20", "23"} << frameBuilder::NoRefusal;

    QTest::newRow("e acute") << QList<int>{3} << QStringList{"Gar\u00E9ge"} << frameBuilder::AccentedLetter;
    QTest::newRow("o double acute") << QList<int>{3} << QStringList{"Gar\u0151ge"} << frameBuilder::AccentedLetter;
    QTest::newRow("U+0080") << QList<int>{3} << QStringList{QString(QChar(0x80))} << frameBuilder::AccentedLetter;
    QTest::newRow("U+0000") << QList<int>{3} << QStringList{QString(QChar(0))} << frameBuilder::AccentedLetter;
    QTest::newRow("currency sign") << QList<int>{3} << QStringList{"\u00A4"} << frameBuilder::NoRefusal;
    QTest::newRow("accent in phone") << QList<int>{firstPhone} << QStringList{"\u00E9"} << frameBuilder::AccentedLetter;
    QTest::newRow("accent in stop word") << QList<int>{stopWord} << QStringList{"\u00E9"} << frameBuilder::AccentedLetter;

    QTest::newRow("separator in plain field") << QList<int>{3} << QStringList{"a|b"} << frameBuilder::SeparatorInField;
    QTest::newRow("separator in phone") << QList<int>{firstPhone} << QStringList{"|"} << frameBuilder::SeparatorInField;
    QTest::newRow("separator in stop word") << QList<int>{stopWord} << QStringList{"ST|OP"} << frameBuilder::SeparatorInField;

    // A line-break row names the refused field last.
    QTest::newRow("CR in plain field") << QList<int>{3} << QStringList{"Kaz\ran"} << frameBuilder::LineBreakInField;
    QTest::newRow("LF in empty phone") << QList<int>{firstPhone + 2} << QStringList{"\n"} << frameBuilder::LineBreakInField;

    // Order of the checks.
    QTest::newRow("empty before earlier accent") << QList<int>{2, 5} << QStringList{"\u00E9", ""}
                                                 << frameBuilder::EmptyField;
    QTest::newRow("empty before limits") << QList<int>{h1Low, h1High, 25} << QStringList{"20", "22", ""}
                                         << frameBuilder::EmptyField;
    QTest::newRow("first before second") << QList<int>{h1Low, h1High, h2Low, h2High}
                                         << QStringList{"20", "22", "20", "22"} << frameBuilder::FirstThermometer;
    QTest::newRow("limits before accent") << QList<int>{3, h2Low, h2High} << QStringList{"\u00E9", "20", "22"}
                                          << frameBuilder::SecondThermometer;
    QTest::newRow("accent before separator") << QList<int>{3, stopWord} << QStringList{"a|b", "\u00E9"}
                                             << frameBuilder::AccentedLetter;
    QTest::newRow("separator before line break") << QList<int>{3, stopWord} << QStringList{"a\nb", "ST|OP"}
                                                 << frameBuilder::SeparatorInField;
}

void FrameTest::refusal()
{
    QFETCH(QList<int>, fields);
    QFETCH(QStringList, texts);
    QFETCH(Refusal, refusal);
    formValues form = filledForm();
    for (int i = 0; i < fields.size(); ++i)
        form.texts[fields.at(i)] = texts.at(i);

    const frameBuilder::Result result = frameBuilder(checking(0)).load(form);
    QCOMPARE(result.refusal, refusal);
    QCOMPARE(result.accepted(), refusal == frameBuilder::NoRefusal);
    QCOMPARE(result.text.isEmpty(), !result.accepted());
    QCOMPARE(result.field, refusal == frameBuilder::LineBreakInField ? fields.last() : -1);
}

void FrameTest::separatorOutsideSevenBit()
{
    linkSettings settings;
    settings.dlSep = qint8(0xE9);
    QCOMPARE(frameBuilder(settings).load(filledForm()).refusal, frameBuilder::AccentedLetter);
}

void FrameTest::ownLimitRules()
{
    const QList<frameBuilder::LimitRule> lowBelowHigh = {{h1Low, h1High, 1, frameBuilder::FirstThermometer}};
    formValues form = filledForm();
    form.texts[h1Low] = QStringLiteral("20");
    form.texts[h1High] = QStringLiteral("21");
    form.texts[h2Low] = QStringLiteral("40"); // no rule for the second pair
    QVERIFY(frameBuilder(linkSettings()).load(form, lowBelowHigh).accepted());
    form.texts[h1High] = QStringLiteral("20");
    QCOMPARE(frameBuilder(linkSettings()).load(form, lowBelowHigh).refusal, frameBuilder::FirstThermometer);
}

void FrameTest::refusalTexts()
{
    linkSettings settings;
    settings.dlSep = ';';
    const frameBuilder builder(settings);
    QCOMPARE(builder.refusalText(frameBuilder::SeparatorInField),
             QStringLiteral("The character ; cannot be used in a field."));
    QVERIFY(builder.refusalText(frameBuilder::FirstThermometer).endsWith(QStringLiteral("- 2 °C.")));
    QCOMPARE(builder.refusalText(frameBuilder::NoRefusal), QString());
}

void FrameTest::expectedText()
{
    // No limit rules and no checksum, whatever the settings say.
    formValues form = filledForm();
    form.texts[h1Low] = QStringLiteral("20");
    form.texts[h1High] = QStringLiteral("20");
    const frameBuilder::Result result = frameBuilder(checking(3)).expected(form);
    QVERIFY(result.accepted());
    QStringList fields = recordFields();
    fields[h1Low] = QStringLiteral("20");
    fields[h1High] = QStringLiteral("20");
    QCOMPARE(result.text, fields.join(QLatin1Char('|')) + QLatin1Char('|'));
}

void FrameTest::expectedRefusals_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Refusal>("refusal");
    QTest::newRow("empty") << 0 << "" << frameBuilder::EmptyField;
    QTest::newRow("accent") << stopWord << "\u00E9" << frameBuilder::AccentedLetter;
    QTest::newRow("separator") << 4 << "|" << frameBuilder::SeparatorInField;
}

void FrameTest::expectedRefusals()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(Refusal, refusal);
    formValues form = filledForm();
    form.texts[field] = text;
    const frameBuilder::Result result = frameBuilder(linkSettings()).expected(form);
    QCOMPARE(result.refusal, refusal);
    QVERIFY(result.text.isEmpty());
}

QTEST_GUILESS_MAIN(FrameTest)
#include "test_frame.moc"
