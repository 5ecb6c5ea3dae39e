#include "statusreply.h"

#include <QTest>

namespace {

// Lamps as a string of five flags: input 1, input 2, output 1, output 2, supply.
QString lamps(const statusReply &reply)
{
    QString flags;
    for (bool on : {reply.input1, reply.input2, reply.output1, reply.output2, reply.supply})
        flags += on ? QLatin1Char('1') : QLatin1Char('0');
    return flags;
}

} // namespace

class StatusTest : public QObject
{
    Q_OBJECT
private slots:
    void panel_data();
    void panel();
    void signal_data();
    void signal();
    void tooFewItems_data();
    void tooFewItems();
    void barSheets();
};

void StatusTest::panel_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lamps");
    QTest::addColumn<QString>("temperature1");
    QTest::addColumn<QString>("temperature2");

    QTest::newRow("all on") << "\"Telenor HU\" 00011 00011 T1:+23.5C T2:-05.0C 00001 x 23,4\r"
                            << "\"Telenor HU\"" << "11111" << "+23.5" << "-05.0";
    QTest::newRow("mixed") << "\"T-Mobile\" 00001 00010 T1:12x T2:7x 00000 x 12\r"
                           << "\"T-Mobile\"" << "10010" << "12" << "7";
    QTest::newRow("other digits are off") << "\"a\" 000x2 000y1 T1:1x T2:2x 0000a x 12\r"
                                          << "\"a\"" << "00100" << "1" << "2";
    QTest::newRow("quote inside the name") << "\"Op\"x\" 00011 00000 T1:1x T2:2x 00001 x 12\r"
                                           << "\"Op\"x\"" << "11001" << "1" << "2";
    QTest::newRow("short items") << "\"a\" 0001 000 T1: T2: 0001 x 12\r"
                                 << "\"a\"" << "01000" << "" << "";
    QTest::newRow("empty items") << "\"a\"       12\r" << "\"a\"" << "00000" << "" << "";
    QTest::newRow("label repeated") << "\"a\" 0 0 T1:T1:30C T2:4T2:C 0 x 12\r"
                                    << "\"a\"" << "00000" << "30" << "4";
    QTest::newRow("no name: last character goes") << "00011 00011 T1:5C T2:6C 00001 x 12\rZ"
                                                  << "" << "11111" << "5" << "6";
}

void StatusTest::panel()
{
    QFETCH(QString, reply);
    QFETCH(QString, name);
    QFETCH(QString, lamps);
    QFETCH(QString, temperature1);
    QFETCH(QString, temperature2);

    const statusReply parsed = statusReply::parse(reply);
    QVERIFY(parsed.complete);
    QCOMPARE(parsed.operatorName, name);
    QCOMPARE(::lamps(parsed), lamps);
    QCOMPARE(parsed.temperature1, temperature1);
    QCOMPARE(parsed.temperature2, temperature2);
}

void StatusTest::signal_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("weak");

    QTest::newRow("23 and more") << "23,45" << 23 << false;
    QTest::newRow("5 and comma") << "5,99" << 5 << true;
    QTest::newRow("6") << "6," << 6 << false;
    QTest::newRow("99") << "99" << 2 << true;
    QTest::newRow("0") << "0,0" << 2 << true;
    QTest::newRow("31") << "31" << 31 << false;
    QTest::newRow("32") << "32" << 2 << true;
    QTest::newRow("letters") << "ab" << 2 << true;
    QTest::newRow("empty") << "" << 2 << true;
    QTest::newRow("two digits then CR") << "17\r" << 17 << false;
    QTest::newRow("one digit then CR") << "9\r" << 9 << false;
    QTest::newRow("three digits") << "123" << 12 << false;
}

void StatusTest::signal()
{
    QFETCH(QString, item);
    QFETCH(int, signal);
    QFETCH(bool, weak);

    // Exactly seven items: the signal item is the last and carries the final CR.
    const statusReply parsed =
        statusReply::parse("\"Op\" 00000 00000 T1:1C T2:2C 00000 x " + item + "\r");
    QVERIFY(parsed.complete);
    QCOMPARE(parsed.signal, signal);
    QCOMPARE(parsed.weakSignal(), weak);
}

void StatusTest::tooFewItems_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("name");

    QTest::newRow("six items") << "\"Vodafone\" 00011 00011 T1:1C T2:2C 00001 x\r"
                               << "\"Vodafone\"";
    QTest::newRow("empty reply") << "" << "";
    QTest::newRow("lone quote") << "\"" << "\"";
    QTest::newRow("only a name") << "\"Telenor\" \r" << "\"Telenor\"";
    QTest::newRow("no name: the last space goes") << "00011 00011 T1:5C T2:6C 00001 x " << "";
}

void StatusTest::tooFewItems()
{
    QFETCH(QString, reply);
    QFETCH(QString, name);

    const statusReply parsed = statusReply::parse(reply);
    QVERIFY(!parsed.complete);
    QCOMPARE(parsed.operatorName, name);
}

void StatusTest::barSheets()
{
    statusReply reply;
    reply.signal = 5;
    QCOMPARE(QString::fromLatin1(reply.signalBarSheet()),
             QStringLiteral("QProgressBar::chunk { background-color: #FF0000; }"));
    reply.signal = 6;
    QCOMPARE(QString::fromLatin1(reply.signalBarSheet()),
             QStringLiteral("QProgressBar::chunk { background-color: #05B8CC; }"));
}

QTEST_GUILESS_MAIN(StatusTest)
#include "test_status.moc"
