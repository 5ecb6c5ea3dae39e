#include "framechecksum.h"
#include "linksettings.h"

#include <QTest>
#include <QTextStream>

class RecordTest : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void copyIsIndependent();
    void readFromOnlyEndLine();
    void readFromKeys();
    void readFromStopsAtEndLine();
    void sumOrFixedCharacter_data();
    void sumOrFixedCharacter();
};

void RecordTest::defaults()
{
    const linkSettings s;
    QCOMPARE(s.port, QStringLiteral("COM1"));
    QCOMPARE(s.baud, 1200);
    QCOMPARE(s.chks, qint8(0));
    QCOMPARE(s.ack, qint8('O'));
    QCOMPARE(s.timeout, 1500);
    QCOMPARE(s.check, 0);
    QCOMPARE(s.dlSep, qint8('|'));
    QCOMPARE(s.upSep, qint8('|'));
    QCOMPARE(s.upCmd, qint8('{'));
    QVERIFY(s.frameText.isNull());
    QVERIFY(s.filePath.isNull());
    QVERIFY(s.imagePath.isNull());
}

void RecordTest::copyIsIndependent()
{
    linkSettings original;
    original.frameText = QStringLiteral("a|b|");
    linkSettings copy = original;
    copy.frameText += QLatin1String("c|");
    copy.port = QStringLiteral("COM7");
    copy.chks = 3;
    QCOMPARE(original.frameText, QStringLiteral("a|b|"));
    QCOMPARE(original.port, QStringLiteral("COM1"));
    QCOMPARE(original.chks, qint8(0));
    QCOMPARE(copy.frameText, QStringLiteral("a|b|c|"));
}

void RecordTest::readFromOnlyEndLine()
{
    QString text = QStringLiteral("---\n");
    QTextStream stream(&text);
    linkSettings s;
    QCOMPARE(int(s.readFrom(stream)), 31);
    QCOMPARE(s.baud, 1200);
    QCOMPARE(s.port, QStringLiteral("COM1"));
}

void RecordTest::readFromKeys()
{
    QString text = QStringLiteral(" Baud rate = 96 00\nPort=COM4\nSerialTimeout=250\n"
                                  "CheckSize=2\nCheckValue=2\nDownloadSeparator=;\n");
    QTextStream stream(&text);
    linkSettings s;
    // "Baud rate" loses its spaces and matches; CheckValue 2 is refused.
    QCOMPARE(int(s.readFrom(stream)), 16);
    QCOMPARE(s.baud, 9600);
    QCOMPARE(s.port, QStringLiteral("COM4"));
    QCOMPARE(s.timeout, 250);
    QCOMPARE(s.chks, qint8(1));
    QCOMPARE(s.check, 0);
    QCOMPARE(s.dlSep, qint8(';'));

    QString fixed = QStringLiteral("CheckSize=X\nCheckSize=7\n");
    QTextStream fixedStream(&fixed);
    linkSettings f;
    QCOMPARE(int(f.readFrom(fixedStream)), 31 - 8);
    QCOMPARE(f.chks, qint8('X'));
}

void RecordTest::readFromStopsAtEndLine()
{
    QString text = QStringLiteral("Port=COM2\n - - - \nBaudrate=300\n");
    QTextStream stream(&text);
    linkSettings s;
    QCOMPARE(int(s.readFrom(stream)), 31 - 2);
    QCOMPARE(s.port, QStringLiteral("COM2"));
    QCOMPARE(s.baud, 1200);
}

void RecordTest::sumOrFixedCharacter_data()
{
    QTest::addColumn<int>("chks");
    QTest::addColumn<bool>("sum");
    QTest::newRow("8bit") << 0 << true;
    QTest::newRow("16bit") << 1 << true;
    QTest::newRow("24bit") << 2 << true;
    QTest::newRow("32bit") << 3 << true;
    QTest::newRow("4 is a character") << 4 << false;
    QTest::newRow("digit 0 typed") << int('0') << false;
    QTest::newRow("negative") << -1 << false;
    QTest::newRow("lowest") << -128 << false;
}

void RecordTest::sumOrFixedCharacter()
{
    QFETCH(int, chks);
    QFETCH(bool, sum);
    QCOMPARE(frameChecksum::isSum(static_cast<qint8>(chks)), sum);
}

QTEST_GUILESS_MAIN(RecordTest)
#include "test_record.moc"
