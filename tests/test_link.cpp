#include "debugcapture.h"
#include "deviceexchange.h"
#include "dlthread.h"
#include "driverstandin.h"
#include "linksettings.h"
#include "seriallink.h"
#include "simunit.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <optional>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The line's output suspended on the program's end, in place of a driver mode.
constexpr int suspended = -1;

// Read-out lines "f0", "f1", ..., each ended by CR LF.
QByteArray readoutLines(int count)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += "f" + QByteArray::number(i) + "\r\n";
    return lines;
}

QString joinedFields(int count)
{
    QStringList fields;
    for (int i = 0; i < count; ++i)
        fields += QStringLiteral("f%1").arg(i);
    return fields.join(QLatin1Char('|'));
}

// What goes on the line before the next command. Every reply of the unit
// ends in "late", 300 ms after the rest of it; a read-out's lines take 2 s.
enum earlierStep {
    wholeStatus,      // takes "ok" and ends in 250 ms of silence, 50 ms before "late"
    cancelledStatus,  // cancelled at its first byte
    timedOutStatus,   // runs over its 200 ms time limit, in the unit's pause
    cancelledReadout, // cancelled at its first line
    cancelledInWait,  // cancelled in its wait for a quiet line, once the read-out's lines are out
    readoutUnderway,  // no exchange: the unit is 200 bytes into the read-out, 1.6 s after it began
    load              // the unit closes it with the row's final answer
};

} // namespace

class LinkTest : public QObject
{
    Q_OBJECT
private slots:
    void devicePathResolution_data();
    void devicePathResolution();
    void missingPortFails();
    void heldPortIsRefused();
    void bytesMoveBothWays();
    void readWithoutByte();
    void interruptEndsWait();
    void vanishedUnitEndsExchange();
    void portErrorClasses_data();
    void portErrorClasses();

    void readoutCollection_data();
    void readoutCollection();
    void readoutCancel();
    void readoutWaitsThroughLinePause();
    void staleBytesAreNotTheReply();
    void vanishedUnitIsALostLine_data();
    void vanishedUnitIsALostLine();
    void stalledOutputIsALostLine_data();
    void stalledOutputIsALostLine();
    void readoutOpenFailure();
    void statusCollection_data();
    void statusCollection();
    void nextCommandAfterAnUnfinishedReply_data();
    void nextCommandAfterAnUnfinishedReply();
    void restTakenInBeforeTheCommandIsDropped();

private:
    void takeStep(int step, simUnit &unit, QByteArray &commands);
};

void LinkTest::devicePathResolution_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("expected"); // "unit": the simulated unit's device

    QTest::newRow("mapped") << "COM3" << "unit";
    QTest::newRow("mapped through a second link") << "COM4" << "unit";
    QTest::newRow("COM1") << "COM1" << "/dev/ttyS0";
    QTest::newRow("COM12") << "COM12" << "/dev/ttyS11";
    QTest::newRow("COM0") << "COM0" << "";
    QTest::newRow("not a COM name") << "LPT1" << "";
    QTest::newRow("empty") << "" << "";
}

void LinkTest::devicePathResolution()
{
    QFETCH(QString, portName);
    QFETCH(QString, expected);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    const QString folder = serialLink::portMapFolder();
    QVERIFY(QFile::link(folder + QStringLiteral("/COM3"), folder + QStringLiteral("/COM4")));
    if (expected == QLatin1String("unit"))
        expected = unit.devicePath();
    QCOMPARE(serialLink::devicePath(portName), expected);
}

void LinkTest::missingPortFails()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    QVERIFY(QFile::link(QStringLiteral("/nonexistent/ttyQ9"),
                        serialLink::portMapFolder() + QStringLiteral("/COM9")));
    debugCapture log;
    serialLink link;
    QVERIFY(!link.setUp(QStringLiteral("COM9"), 100, 0));
    QVERIFY(!link.isOpen());
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.first(), QStringLiteral("unable to open comport"));
    QVERIFY(lines.last().contains(QLatin1String("/nonexistent/ttyQ9")));
}

void LinkTest::heldPortIsRefused()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    serialLink first;
    QVERIFY(first.setUp(QStringLiteral("COM3"), 100, 0));
    {
        debugCapture log;
        serialLink second;
        QVERIFY(!second.setUp(QStringLiteral("COM3"), 100, 0));
        QCOMPARE(log.lines().value(0), QStringLiteral("unable to open comport"));
        QVERIFY(log.lines().value(1).contains(QLatin1String("busy")));
    }
    first.close();
    serialLink third;
    QVERIFY(third.setUp(QStringLiteral("COM3"), 100, 0));
}

void LinkTest::bytesMoveBothWays()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setStatusReply(QByteArray("A\xA4\x00Z", 4));
    serialLink link;
    QVERIFY(link.setUp(QStringLiteral("COM3"), 1000, 0));
    QVERIFY(link.writeCommand('?', '?'));
    QVERIFY(unit.waitForReceived(5, 5000));
    QCOMPARE(unit.received(), QByteArray("!??\r\n"));
    QByteArray got;
    char byte = 0;
    while (got.size() < 4 && link.readByte(byte))
        got += byte;
    QCOMPARE(got, QByteArray("A\xA4\x00Z", 4));
}

void LinkTest::readWithoutByte()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    serialLink link;
    QVERIFY(link.setUp(QStringLiteral("COM3"), 100, 50));
    char byte = 'x';
    QVERIFY(!link.readByte(byte));
    QVERIFY(link.isOpen());
}

void LinkTest::interruptEndsWait()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    serialLink link;
    QVERIFY(link.setUp(QStringLiteral("COM3"), 0, 60000));
    int asked = 0;
    link.setInterruptCheck([&asked] { return ++asked >= 3; });
    char byte = 0;
    QVERIFY(!link.readByte(byte));
    QCOMPARE(asked, 3);
    QVERIFY(!link.writeByte('x'));
}

void LinkTest::vanishedUnitEndsExchange()
{
    serialLink link;
    {
        simUnit unit;
        QVERIFY(unit.mapAs(QStringLiteral("COM3")));
        QVERIFY(link.setUp(QStringLiteral("COM3"), 200, 0));
    }
    char byte = 0;
    QVERIFY(!link.readByte(byte));
    QVERIFY(!link.isOpen());
    QVERIFY(!link.writeByte('x'));
}

void LinkTest::portErrorClasses_data()
{
    QTest::addColumn<QSerialPort::SerialPortError>("error");
    QTest::addColumn<bool>("lost");

    // A wait that ended without a byte is silence; every failure of the port is a lost line.
    QTest::newRow("none") << QSerialPort::NoError << false;
    QTest::newRow("time-out") << QSerialPort::TimeoutError << false;
    QTest::newRow("resource (device pulled)") << QSerialPort::ResourceError << true;
    QTest::newRow("read") << QSerialPort::ReadError << true;
    QTest::newRow("write") << QSerialPort::WriteError << true;
    QTest::newRow("device not found") << QSerialPort::DeviceNotFoundError << true;
    QTest::newRow("permission") << QSerialPort::PermissionError << true;
    QTest::newRow("not open") << QSerialPort::NotOpenError << true;
    QTest::newRow("unknown") << QSerialPort::UnknownError << true;
}

void LinkTest::portErrorClasses()
{
    QFETCH(QSerialPort::SerialPortError, error);
    QFETCH(bool, lost);
    QCOMPARE(serialLink::isLineLoss(error), lost);
}

void LinkTest::readoutCollection_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("diagnostic");

    const int received = deviceExchange::Received;
    const QString cut = QStringLiteral("reply cut: the unit fell silent inside a line");
    QTest::newRow("43 lines") << readoutLines(43) << joinedFields(43) << 43 << received << "";
    QTest::newRow("ends in CR") << QByteArray("a\r\nb\r") << "a|b|" << 2 << received << "";
    QTest::newRow("ends in LF alone") << QByteArray("a\r\nb\n") << "a|" << 1 << received << "";
    QTest::newRow("8-bit bytes") << QByteArray("\xE9\xA4\xFF\r\n") << QString::fromLatin1("\xE9\xA4\xFF") << 1
                                 << received << "";
    QTest::newRow("silent") << QByteArray() << "" << 0 << received << "";
    QTest::newRow("cut inside its last line") << QByteArray("a\r\nAL") << "a|AL" << 1
                                              << int(deviceExchange::CutInLine) << cut;
    QTest::newRow("endless") << QByteArray(5000, 'x')
                             << QString(deviceExchange::maxReplyBytes, QLatin1Char('x')) << 0
                             << int(deviceExchange::TooLong) << "reply too long: no pause within 4096 bytes";
}

void LinkTest::readoutCollection()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, text);
    QFETCH(int, steps);
    QFETCH(int, outcome);
    QFETCH(QString, diagnostic);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(reply);
    deviceExchange exchange(QStringLiteral("COM3"));
    int progress = 0;
    exchange.setProgress([&progress] { ++progress; });
    debugCapture log;

    const deviceExchange::Reply result = exchange.readout();

    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(log.lines(), diagnostic.isEmpty() ? QStringList() : QStringList{diagnostic});
    QCOMPARE(result.text, text);
    QCOMPARE(progress, steps);
    QCOMPARE(unit.received(), QByteArray("!Rd\r\n"));
}

void LinkTest::readoutCancel()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(readoutLines(43));
    // Cancelled before the first byte, and as soon as the first line has come.
    for (const int allowedLines : {0, 1}) {
        deviceExchange exchange(QStringLiteral("COM3"));
        int lines = 0;
        exchange.setProgress([&lines] { ++lines; });
        exchange.setCancelCheck([&] { return lines >= allowedLines; });
        const deviceExchange::Reply result = exchange.readout();
        QCOMPARE(result.outcome, deviceExchange::Cancelled);
        QCOMPARE(result.text, allowedLines == 0 ? QString() : QStringLiteral("f0|"));
        // The port was given back.
        serialLink link;
        QVERIFY(link.setUp(QStringLiteral("COM3"), 0, 0));
    }
}

void LinkTest::readoutWaitsThroughLinePause()
{
    // A unit may think for a second between two lines; the read-out waits 1500 ms a byte.
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(readoutLines(43));
    unit.setPauseBefore("f20\r\n", 1000);
    const deviceExchange::Reply result = deviceExchange(QStringLiteral("COM3")).readout();
    QCOMPARE(result.outcome, deviceExchange::Received);
    QCOMPARE(result.text, joinedFields(43));
}

void LinkTest::staleBytesAreNotTheReply()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(readoutLines(43));
    unit.setStatusReply("ok!");
    QVERIFY2(unit.putStale("old\r\n", 5000), "the stale bytes never reached the port");
    QCOMPARE(deviceExchange(QStringLiteral("COM3")).readout().text, joinedFields(43));
    QVERIFY2(unit.putStale("old\r\n", 5000), "the stale bytes never reached the port");
    QCOMPARE(deviceExchange(QStringLiteral("COM3")).status(200).text, QStringLiteral("ok"));
}

void LinkTest::vanishedUnitIsALostLine_data()
{
    QTest::addColumn<bool>("readout");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("vanishAfter");

    const QByteArray status = "\"Op\" 00011 00001 T1:21.5C T2:-3.0C 00001 0 23,0\r\n";
    QTest::newRow("read-out after line 42") << true << readoutLines(43) << int(readoutLines(42).size());
    QTest::newRow("read-out after its last line") << true << readoutLines(43) << int(readoutLines(43).size());
    QTest::newRow("read-out mid-line") << true << readoutLines(43) << 7;
    QTest::newRow("status after its last byte") << false << status << int(status.size());
    QTest::newRow("status mid-line") << false << status << 10;
}

void LinkTest::vanishedUnitIsALostLine()
{
    QFETCH(bool, readout);
    QFETCH(QByteArray, reply);
    QFETCH(int, vanishAfter);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(reply);
    unit.setStatusReply(reply);
    unit.setVanishAfter(vanishAfter);
    debugCapture log;

    deviceExchange exchange(QStringLiteral("COM3"));
    const deviceExchange::Reply result = readout ? exchange.readout() : exchange.status(1000);

    QVERIFY(unit.hasVanished());
    QCOMPARE(result.outcome, deviceExchange::LineLost);
    QCOMPARE(log.lines().size(), 1);
    QVERIFY2(log.lines().value(0).startsWith(QStringLiteral("comport lost: ")),
             qPrintable(log.lines().join('\n')));
}

void LinkTest::stalledOutputIsALostLine_data()
{
    QTest::addColumn<int>("driver"); // a driverStandIn mode, or suspended
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("lost");    // the lost line's reason; empty: none
    QTest::addColumn<QByteArray>("sent"); // what reached the unit

    const QString stalled = QStringLiteral("byte not sent within 2000 ms (output stalled)");
    const QString unreadable = QStringLiteral("write failed (device unplugged or hung up)");
    const int lineLost = deviceExchange::LineLost, cancelled = deviceExchange::Cancelled;
    const int stall = driverStandIn::stall, fail = driverStandIn::fail, hold = driverStandIn::hold;
    QTest::newRow("output suspended") << suspended << false << lineLost << stalled << QByteArray();
    QTest::newRow("output suspended, cancelled") << suspended << true << cancelled << QString() << QByteArray();
    QTest::newRow("driver never sends") << stall << false << lineLost << stalled << QByteArray();
    QTest::newRow("driver never sends, cancelled") << stall << true << cancelled << QString() << QByteArray();
    QTest::newRow("driver count unreadable") << fail << false << lineLost << unreadable << QByteArray();
    QTest::newRow("driver holds each byte 3 ms")
        << hold << false << int(deviceExchange::Received) << QString() << QByteArray("!??\r\n");
}

void LinkTest::stalledOutputIsALostLine()
{
    QFETCH(int, driver);
    QFETCH(bool, cancel);
    QFETCH(int, outcome);
    QFETCH(QString, lost);
    QFETCH(QByteArray, sent);

    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setStatusReply("ok\r\n");
    // Output suspended on the program's end, before the program holds it
    // exclusively: no byte leaves, as behind an adapter whose output stalled.
    int programEnd = -1;
    const auto closeProgramEnd = qScopeGuard([&] { ::close(programEnd); });
    std::optional<driverStandIn> standIn;
    if (driver == suspended) {
        programEnd = ::open(QFile::encodeName(unit.devicePath()).constData(), O_RDWR | O_NOCTTY);
        QVERIFY2(programEnd >= 0 && tcflow(programEnd, TCOOFF) == 0, "the line's output could not be suspended");
    } else {
        standIn.emplace(driverStandIn::mode(driver), 3);
    }

    // A cancel within the wait for the byte to leave ends it.
    deviceExchange exchange(QStringLiteral("COM3"));
    int asked = 0;
    exchange.setCancelCheck([&] { return cancel && ++asked >= 3; });
    debugCapture log;
    QCOMPARE(int(exchange.status(200).outcome), outcome);
    const QString line = "comport lost: " + unit.devicePath() + ": " + lost;
    QCOMPARE(log.lines(), lost.isEmpty() ? QStringList() : QStringList{line});
    unit.waitForReceived(int(sent.size()), 5000);
    QCOMPARE(unit.received(), sent);
    // However the exchange ends, unsent output is dropped first: a close would wait for it.
    if (standIn)
        QVERIFY2(!standIn->closedWithOutputQueued(), "the port was closed with its output still queued");
}

void LinkTest::readoutOpenFailure()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    serialLink holder;
    QVERIFY(holder.setUp(QStringLiteral("COM3"), 0, 0));
    debugCapture log;
    const deviceExchange::Reply result = deviceExchange(QStringLiteral("COM3")).readout();
    QCOMPARE(result.outcome, deviceExchange::OpenFailed);
    QCOMPARE(log.lines().value(0), QStringLiteral("unable to open comport"));
    const deviceExchange::Reply status = deviceExchange(QStringLiteral("COM3")).status(100);
    QCOMPARE(status.outcome, deviceExchange::OpenFailed);
}

void LinkTest::statusCollection_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("answerDelayMs"); // from the command's end on the line
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outcome");

    const int received = deviceExchange::Received;
    const int cut = deviceExchange::CutInLine;
    const QByteArray status = "\"Op\" 00011 00001 T1:21.5C T2:-3.0C 00001 0 23,0\r\n";
    QTest::newRow("CR LF kept but the last byte") << status << 0 << QString::fromLatin1(status.chopped(1)) << received;
    QTest::newRow("8-bit, cut") << QByteArray("\xE1\xFF!") << 0 << QString::fromLatin1("\xE1\xFF") << cut;
    QTest::newRow("ends in CR") << QByteArray("ok\r") << 0 << "ok" << received;
    QTest::newRow("cut inside the signal item")
        << status.left(status.indexOf(',')) << 0 << "\"Op\" 00011 00001 T1:21.5C T2:-3.0C 00001 0 2" << cut;
    QTest::newRow("one byte, cut") << QByteArray("x") << 0 << "" << cut;
    QTest::newRow("silent") << QByteArray() << 0 << "" << received;
    // The first byte is through 196 ms after the command's last one left, within
    // the 200 ms wait, yet over 4 ms past the wait counted from the read's call.
    QTest::newRow("answer at the end of the wait") << QByteArray("ok\r\n") << 185 << "ok\r" << received;
}

void LinkTest::statusCollection()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, answerDelayMs);
    QFETCH(QString, text);
    QFETCH(int, outcome);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setPaced(true);
    unit.setStatusReply(reply);
    unit.setAnswerDelay(answerDelayMs);
    deviceExchange exchange(QStringLiteral("COM3"));
    int progress = 0;
    exchange.setProgress([&progress] { ++progress; });

    const deviceExchange::Reply result = exchange.status(200);

    // An answer due within a few milliseconds of the wait's end needs a machine that keeps time.
    if (answerDelayMs > 0 && unit.answerLateness() > std::chrono::milliseconds(2))
        QSKIP("the machine was too busy to put the answer on the line within 2 ms of its time");
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(result.text, text);
    QCOMPARE(progress, int(reply.size()));
    QCOMPARE(unit.received(), QByteArray("!??\r\n"));
}

void LinkTest::nextCommandAfterAnUnfinishedReply_data()
{
    QTest::addColumn<QList<int>>("before"); // earlier steps
    QTest::addColumn<QByteArray>("finalAnswer"); // the unit's two bytes closing a load
    QTest::addColumn<QString>("nextText");

    // The next command went out at once when "late" came first, and waited when it was dropped.
    const QString atOnce = QStringLiteral("late\r\nok\r\nlate\r");
    const QString waited = QStringLiteral("ok\r\nlate\r");
    using steps = QList<int>;
    const QByteArray ok = "OK";
    QTest::newRow("after a whole reply: at once, the rest comes first") << steps{wholeStatus} << ok << atOnce;
    QTest::newRow("after a cancel: the rest is dropped first") << steps{cancelledStatus} << ok << waited;
    QTest::newRow("after a time-out: the rest is dropped first") << steps{timedOutStatus} << ok << waited;
    QTest::newRow("after a cancel, then a whole reply: at once")
        << steps{cancelledStatus, wholeStatus} << ok << atOnce;
    QTest::newRow("after a cancel in the wait: counted from the last byte dropped")
        << steps{cancelledReadout, cancelledInWait} << ok << waited;
    QTest::newRow("over 1.5 s after a cancel, the rest still coming: dropped")
        << steps{cancelledReadout, readoutUnderway} << ok << waited;
    QTest::newRow("after a load: at once") << steps{load} << ok << atOnce;
    QTest::newRow("after a load refused with ER: at once") << steps{load} << QByteArray("ER") << atOnce;
    QTest::newRow("after a load answered O alone: at once") << steps{load} << QByteArray("O") << atOnce;
    QTest::newRow("after a load answered E alone: the rest is dropped") << steps{load} << QByteArray("E") << waited;
}

void LinkTest::nextCommandAfterAnUnfinishedReply()
{
    QFETCH(QList<int>, before);
    QFETCH(QByteArray, finalAnswer);
    QFETCH(QString, nextText);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setPaced(true);
    unit.setPauseBefore("late", 300);
    unit.setStatusReply("ok\r\nlate\r\n");
    unit.setReadoutReply(readoutLines(50) + "late\r\n");
    unit.setFinalAnswer(finalAnswer + "late\r\n");
    unit.setRecordLines(3);

    QByteArray commands;
    for (const int step : before) {
        takeStep(step, unit, commands);
        if (QTest::currentTestFailed())
            return;
    }
    const deviceExchange::Reply next = deviceExchange(QStringLiteral("COM3")).status(500);

    QCOMPARE(next.outcome, deviceExchange::Received);
    QCOMPARE(next.text, nextText);
    QCOMPARE(unit.received(), commands + "!??\r\n");
}

void LinkTest::restTakenInBeforeTheCommandIsDropped()
{
    // A link whose thread runs its event loop between the open and the
    // command holds what came meanwhile already: that is the rest too.
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setPaced(true);
    unit.setPauseBefore("late", 300);
    unit.setStatusReply("ok\r\nlate\r\n");
    QByteArray commands;
    takeStep(cancelledStatus, unit, commands);
    serialLink link;
    QVERIFY(link.setUp(QStringLiteral("COM3"), 500, 0));
    QVERIFY2(QTest::qWaitFor([&] { return unit.sentCount() == 10 && unit.waitingForProgram() == 0; }, 5000),
             "the port never took in the rest");

    QVERIFY(link.writeCommand('?', '?'));
    QByteArray reply;
    char byte = 0;
    while (link.readByte(byte))
        reply += byte;
    QCOMPARE(reply, QByteArray("ok\r\nlate\r\n"));
}

// Adds to commands what the step sends the unit.
void LinkTest::takeStep(int step, simUnit &unit, QByteArray &commands)
{
    deviceExchange exchange(QStringLiteral("COM3"));
    int progress = 0; // bytes of a status reply, lines of a read-out
    exchange.setProgress([&progress] { ++progress; });
    const auto atFirst = [&progress] { return progress > 0; };
    switch (step) {
    case wholeStatus:
        QCOMPARE(exchange.status(250).outcome, deviceExchange::Received);
        commands += "!??\r\n";
        break;
    case cancelledStatus:
        exchange.setCancelCheck(atFirst);
        QCOMPARE(exchange.status(250).outcome, deviceExchange::Cancelled);
        commands += "!??\r\n";
        break;
    case timedOutStatus:
        exchange.setTimeLimit(200);
        QCOMPARE(exchange.status(250).outcome, deviceExchange::TooLong);
        commands += "!??\r\n";
        break;
    case cancelledReadout:
        exchange.setCancelCheck(atFirst);
        QCOMPARE(exchange.readout().outcome, deviceExchange::Cancelled);
        commands += "!Rd\r\n";
        break;
    case cancelledInWait: {
        const int linesOut = int(readoutLines(50).size());
        exchange.setCancelCheck([&] { return unit.sentCount() >= linesOut; });
        QCOMPARE(exchange.status(250).outcome, deviceExchange::Cancelled);
        break;
    }
    case readoutUnderway:
        QVERIFY2(QTest::qWaitFor([&] { return unit.sentCount() >= 200; }, 5000),
                 "the read-out never got 200 bytes out");
        break;
    case load: {
        linkSettings settings;
        settings.port = QStringLiteral("COM3");
        settings.frameText = QStringLiteral("f0|f1|");
        dlThread loader(settings, 100);
        loader.start();
        QVERIFY2(loader.wait(10000), "the load never ended");
        commands += "!WR\r\nf0\r\nf1\r\n\r\n";
        break;
    }
    }
}

QTEST_GUILESS_MAIN(LinkTest)
#include "test_link.moc"
