#include "readoutparser.h"
#include "recordsamples.h"

#include <QTest>

using namespace recordSamples;

Q_DECLARE_METATYPE(readoutParser::Outcome)

namespace {

constexpr int lineEdits = 35;

linkSettings checking(qint8 chks)
{
    linkSettings settings;
    settings.check = 1;
    settings.chks = chks;
    return settings;
}

QString joined(const QStringList &fields)
{
    return fields.join(QLatin1Char('|'));
}

readoutParser::Result parsed(const QString &reply, const linkSettings &settings = linkSettings())
{
    return readoutParser(settings, lineEdits).parse(reply);
}

// The transfer dialogs' way: every byte kept, then checked.
readoutParser::Result parsedAsKept(const QByteArray &bytes, const linkSettings &settings = linkSettings())
{
    const QString text = readoutCollection::text(bytes, readoutCollection::EveryByteKept);
    return readoutParser(settings, lineEdits, readoutCollection::EveryByteKept).parse(text);
}

} // namespace

class ReadoutTest : public QObject
{
    Q_OBJECT
private slots:
    void fillsTheForm();
    void withoutStopWord();
    void endsInCarriageReturn();
    void countWrong_data();
    void countWrong();
    void separatorMissing_data();
    void separatorMissing();
    void checksum_data();
    void checksum();
    void checksumNeverFillsAField();
    void modeLetter_data();
    void modeLetter();
    void trailingSpaces();
    void countsFollowTheForm();
    void keptText_data();
    void keptText();
    void keptChecksumWithoutEmptyStopWord();
};

void ReadoutTest::fillsTheForm()
{
    const readoutParser::Result result = parsed(joined(recordFields()));
    QCOMPARE(result.outcome, readoutParser::Filled);
    QVERIFY(result.diagnostic.isEmpty());
    // The record of a form reads back as that form; "0" phones as empty edits.
    QCOMPARE(result.form.texts, filledForm().texts);
    QCOMPARE(result.form.flags, filledForm().flags);
}

void ReadoutTest::withoutStopWord()
{
    QStringList fields = recordFields();
    fields.removeLast();
    const readoutParser::Result result = parsed(joined(fields));
    QVERIFY(result.filled());
    QCOMPARE(result.form.texts.size(), lineEdits);
    QCOMPARE(result.form.texts.at(stopWord), QString());
    QCOMPARE(result.form.texts.mid(0, stopWord), filledForm().texts.mid(0, stopWord));
}

void ReadoutTest::endsInCarriageReturn()
{
    // The last line ended in CR alone: its "|" stays and makes an empty field.
    QStringList fields = recordFields();
    fields.removeLast();
    const readoutParser::Result present = parsed(joined(fields) + QLatin1Char('|'));
    QVERIFY(present.filled());
    QCOMPARE(present.form.texts.at(stopWord), QString());

    const readoutParser::Result tooMany = parsed(joined(recordFields()) + QLatin1Char('|'));
    QCOMPARE(tooMany.outcome, readoutParser::CountWrong);
    QCOMPARE(tooMany.diagnostic, QStringLiteral("db error, allinputs: 35 data: 44"));
}

void ReadoutTest::countWrong_data()
{
    QTest::addColumn<int>("fields");
    QTest::addColumn<bool>("withChecksum");
    QTest::addColumn<QString>("diagnostic");
    QTest::newRow("41") << 41 << false << "db error, allinputs: 35 data: 41";
    QTest::newRow("44") << 44 << false << "db error, allinputs: 35 data: 44";
    QTest::newRow("2") << 2 << false << "db error, allinputs: 35 data: 2";
    QTest::newRow("41 and checksum") << 41 << true << "db error, allinputs: 35 data: 41";
    QTest::newRow("44 and checksum") << 44 << true << "db error, allinputs: 35 data: 44";
}

void ReadoutTest::countWrong()
{
    QFETCH(int, fields);
    QFETCH(bool, withChecksum);
    QFETCH(QString, diagnostic);
    // Empty fields: "|" each, so the sum is 124 per data field.
    QString reply = QString(fields - 1, QLatin1Char('|'));
    linkSettings settings;
    if (withChecksum) {
        settings = checking(3);
        reply += QLatin1Char('|') + QString::number(fields * 124 % 32);
    }
    const readoutParser::Result result = parsed(reply, settings);
    QCOMPARE(result.outcome, readoutParser::CountWrong);
    QCOMPARE(result.diagnostic, diagnostic);
    QVERIFY(!result.diagnosticAfterBox());
    QVERIFY(result.form.texts.isEmpty());
}

void ReadoutTest::separatorMissing_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("upSep");
    QTest::newRow("no answer") << "" << int('|');
    QTest::newRow("one line") << "36309888000" << int('|');
    QTest::newRow("other separator") << joined(recordFields()) << int(';');
}

void ReadoutTest::separatorMissing()
{
    QFETCH(QString, reply);
    QFETCH(int, upSep);
    linkSettings settings = checking(0);
    settings.upSep = qint8(upSep);
    const readoutParser::Result result = parsed(reply, settings);
    QCOMPARE(result.outcome, readoutParser::SeparatorMissing);
    QCOMPARE(result.diagnostic, QStringLiteral("sep error"));
    QVERIFY(!result.diagnosticAfterBox());
}

void ReadoutTest::checksum_data()
{
    QTest::addColumn<int>("chks");
    QTest::addColumn<QString>("firstField");
    QTest::addColumn<QString>("checksumLine");
    QTest::addColumn<readoutParser::Outcome>("outcome");

    // 43 empty data fields sum to 43 * 124 = 5332.
    QTest::newRow("8-bit") << 0 << "" << "4" << readoutParser::Filled;
    QTest::newRow("16-bit") << 1 << "" << "4" << readoutParser::Filled;
    QTest::newRow("24-bit") << 2 << "" << "4" << readoutParser::Filled;
    QTest::newRow("32-bit") << 3 << "" << "20" << readoutParser::Filled;
    QTest::newRow("wrong") << 3 << "" << "4" << readoutParser::ChecksumWrong;
    QTest::newRow("trailing space") << 3 << "" << "20 " << readoutParser::ChecksumWrong;
    QTest::newRow("missing") << 3 << "" << "" << readoutParser::ChecksumWrong;
    // 42 bytes 0x80 (-128 each) take the sum to -44.
    const QString low(42, QChar(0x80));
    QTest::newRow("negative 8-bit") << 0 << low << "-4" << readoutParser::Filled;
    QTest::newRow("negative 24-bit") << 2 << low << "-20" << readoutParser::Filled;
    QTest::newRow("negative without sign") << 0 << low << "4" << readoutParser::ChecksumWrong;
    QTest::newRow("fixed") << int('X') << "" << "X" << readoutParser::Filled;
    QTest::newRow("fixed wrong") << int('X') << "" << "Y" << readoutParser::CheckCharacterWrong;
    QTest::newRow("fixed trailing space") << int('X') << "" << "X " << readoutParser::CheckCharacterWrong;
}

void ReadoutTest::checksum()
{
    QFETCH(int, chks);
    QFETCH(QString, firstField);
    QFETCH(QString, checksumLine);
    QFETCH(readoutParser::Outcome, outcome);
    const QString reply = firstField + QString(43, QLatin1Char('|')) + checksumLine;
    const readoutParser::Result result = parsed(reply, checking(qint8(chks)));
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.diagnostic,
             outcome == readoutParser::ChecksumWrong ? QStringLiteral("chks error") : QString());
    QCOMPARE(result.diagnosticAfterBox(), outcome == readoutParser::ChecksumWrong);
    if (result.filled())
        QCOMPARE(result.form.texts.first(), firstField);
}

void ReadoutTest::checksumNeverFillsAField()
{
    // Checking off, the same reply has one field too many.
    const QString reply = QString(43, QLatin1Char('|')) + QStringLiteral("20");
    QCOMPARE(parsed(reply).outcome, readoutParser::CountWrong);

    const readoutParser::Result full = parsed(reply, checking(3));
    QVERIFY(full.filled());
    QCOMPARE(full.form.texts.at(stopWord), QString());

    // 42 data fields: the checksum must not become the alarm-stop word.
    const QString shorter = QString(42, QLatin1Char('|')) + QString::number(42 * 124 % 32);
    const readoutParser::Result noStop = parsed(shorter, checking(3));
    QVERIFY(noStop.filled());
    QCOMPARE(noStop.form.texts.at(stopWord), QString());
}

void ReadoutTest::modeLetter_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("call");
    QTest::addColumn<bool>("sms");
    QTest::newRow("A") << "0" << "A" << "" << true << true;
    QTest::newRow("D") << "0" << "D" << "" << true << false;
    QTest::newRow("S") << "0" << "S" << "" << false << true;
    QTest::newRow("P") << "5" << "P" << "5" << false << false;
    QTest::newRow("first letter counts") << "5" << "Dx" << "5" << true << false;
    QTest::newRow("lower case") << "5" << "a" << "5" << false << false;
    QTest::newRow("leading blank") << "5" << " A" << "5" << false << false;
    QTest::newRow("other") << "5" << "x" << "5" << false << false;
    QTest::newRow("empty") << "5" << "" << "5" << false << false;
    QTest::newRow("zero with blank") << "0 " << "P" << "" << false << false;
    QTest::newRow("two zeros") << "00" << "P" << "00" << false << false;
}

void ReadoutTest::modeLetter()
{
    QFETCH(QString, number);
    QFETCH(QString, mode);
    QFETCH(QString, edit);
    QFETCH(bool, call);
    QFETCH(bool, sms);
    // Phone 4, whose form flags are 0 (call) and 1 (SMS).
    QStringList fields = recordFields();
    fields[phoneField(3)] = number;
    fields[modeField(3)] = mode;
    const readoutParser::Result result = parsed(joined(fields));
    QVERIFY(result.filled());
    QCOMPARE(result.form.texts.at(firstPhone + 3), edit);
    QCOMPARE(result.form.flags.at(3), call);
    QCOMPARE(result.form.flags.at(3 + 8), sms);
}

void ReadoutTest::trailingSpaces()
{
    QStringList fields = recordFields();
    fields[3] = QStringLiteral("  Garage  ");
    fields[5] = QStringLiteral("Inside\t");
    fields[stopWord + 8] = QStringLiteral("STOP ");
    const readoutParser::Result result = parsed(joined(fields));
    QVERIFY(result.filled());
    QCOMPARE(result.form.texts.at(3), QStringLiteral("  Garage"));
    QCOMPARE(result.form.texts.at(5), QStringLiteral("Inside\t"));
    QCOMPARE(result.form.texts.at(stopWord), QStringLiteral("STOP"));
    QCOMPARE(readoutParser::withoutTrailingSpaces(QStringLiteral("   ")), QString());
}

void ReadoutTest::countsFollowTheForm()
{
    // Two plain fields, eight phones, the alarm-stop word: 19 or 18 fields.
    const QString reply = QStringLiteral("a|b|1|A|0|P|0|P|0|P|0|P|0|P|0|P|8|S|end");
    const readoutParser::Result result = readoutParser(linkSettings(), 11).parse(reply);
    QVERIFY(result.filled());
    QCOMPARE(result.form.texts, (QStringList{"a", "b", "1", "", "", "", "", "", "", "8", "end"}));
    QCOMPARE(result.form.flags.size(), 16);
    QVERIFY(result.form.flags.at(0) && result.form.flags.at(8) && result.form.flags.at(15));
    QCOMPARE(readoutParser(linkSettings(), 35).parse(reply).diagnostic,
             QStringLiteral("db error, allinputs: 35 data: 19"));
}

void ReadoutTest::keptText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << QByteArray() << "";
    QTest::newRow("CR LF lines") << QByteArray("a\r\nb\r\n") << "a|b||";
    QTest::newRow("CR lines") << QByteArray("a\rb\r") << "a|b||";
    QTest::newRow("LF lines") << QByteArray("a\nb\n") << "a|b||";
    QTest::newRow("LF CR") << QByteArray("a\n\rb\r\n") << "a||b||";
    QTest::newRow("no line end: last byte twice") << QByteArray("a\r\nb") << "a|bb";
    QTest::newRow("0xFF as space") << QByteArray("a\xFF\xFE\r\n") << QString::fromLatin1("a \xFE||");
}

void ReadoutTest::keptText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(readoutCollection::text(bytes, readoutCollection::EveryByteKept), text);
}

void ReadoutTest::keptChecksumWithoutEmptyStopWord()
{
    // 42 empty data fields and an empty alarm-stop word: the sum covers the
    // 42 fields alone, 42 * 124 = 5208, which leaves 24 of 32.
    const QByteArray lines = QByteArray("\r\n").repeated(43);
    const readoutParser::Result result = parsedAsKept(lines + "24\r\n", checking(3));
    QVERIFY(result.filled());
    QCOMPARE(result.form.texts.at(stopWord), QString());
    QCOMPARE(parsedAsKept(lines + "20\r\n", checking(3)).outcome, readoutParser::ChecksumWrong);
}

QTEST_GUILESS_MAIN(ReadoutTest)
#include "test_readout.moc"
