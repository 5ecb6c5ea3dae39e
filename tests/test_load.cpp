#include "debugcapture.h"
#include "deviceexchange.h"
#include "dload.h"
#include "linksettings.h"
#include "modal.h"
#include "seriallink.h"
#include "simunit.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString successText = QStringLiteral("Sikeres betöltés.");
const QString failureText =
    QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a beállításokat.");
// Short read wait for the cases where the unit falls silent.
constexpr int shortWaitMs = 300;

// A model-2 record of 43 fields "f0" .. "f42", each followed by '|'.
QString record43()
{
    QString text;
    for (int i = 0; i < 43; ++i)
        text += QStringLiteral("f%1|").arg(i);
    return text;
}

QByteArray lines43(const QByteArray &lastLine)
{
    QByteArray lines;
    for (int i = 0; i < 43; ++i)
        lines += "f" + QByteArray::number(i) + "\r\n";
    return lines + lastLine + "\r\n";
}

linkSettings loadSettings(const QString &frameText)
{
    linkSettings settings;
    settings.port = QStringLiteral("COM3");
    settings.frameText = frameText;
    return settings;
}

QString message(const dload &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("kiiras"))->text();
}

QDialogButtonBox *buttons(const dload &dialog)
{
    return dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
}

// Waits until the worker's outcome is on show.
bool completed(const dload &dialog)
{
    return QTest::qWaitFor([&dialog] { return buttons(dialog)->isEnabled(); }, 15000);
}

} // namespace

class LoadTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { isolateSettings(); }
    void sendsRecordLines_data();
    void sendsRecordLines();
    void outcome_data();
    void outcome();
    void portFailure();
    void lostLineFails_data();
    void lostLineFails();
    void formWhileRunning();
    void successClosesItself();
    void okClosesAfterFailure();
    void escapeStopsWorker();
    void cancelStopsTheSendingAndKeepsTheOldRecord();
    void loadedRecordReadsBack();
};

void LoadTest::sendsRecordLines_data()
{
    QTest::addColumn<QString>("frameText");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("lines");

    QTest::newRow("checking off: empty last line") << record43() << '|' << lines43("");
    QTest::newRow("checking on: checksum last line") << record43() + "-3" << '|' << lines43("-3");
    QTest::newRow("8-bit and wider characters")
        << QString::fromUtf8("a¤b\u0151|x|") << '|' << QByteArray("a\xA4" "b\x00\r\nx\r\n\r\n", 11);
    QTest::newRow("other separator") << "a|b;c;" << ';' << QByteArray("a|b\r\nc\r\n\r\n");
    QTest::newRow("empty fields") << "||" << '|' << QByteArray("\r\n\r\n\r\n");
}

void LoadTest::sendsRecordLines()
{
    QFETCH(QString, frameText);
    QFETCH(char, separator);
    QFETCH(QByteArray, lines);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setRecordLines(int(lines.count('\n')));
    linkSettings settings = loadSettings(frameText);
    settings.dlSep = separator;

    dload dialog(settings, nullptr);
    QVERIFY(completed(dialog));

    QCOMPARE(message(dialog), successText);
    QCOMPARE(unit.received(), "!WR\r\n" + lines);
    const auto *bar = dialog.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    QCOMPARE(bar->maximum(), int(frameText.size()) + 10);
    QCOMPARE(bar->value(), bar->maximum());
}

void LoadTest::outcome_data()
{
    QTest::addColumn<QByteArray>("handshake");
    QTest::addColumn<QByteArray>("finalAnswer");
    QTest::addColumn<bool>("success");
    QTest::addColumn<QStringList>("diagnostics");

    const QStringList none;
    const QStringList notReady{QStringLiteral("not ready or wrong com.")};
    QTest::newRow("OK") << QByteArray("Rec\r\n") << QByteArray("OK") << true << none;
    QTest::newRow("CR then O") << QByteArray("Rec\r\n") << QByteArray("\rO") << true << none;
    QTest::newRow("O alone") << QByteArray("Rec\r\n") << QByteArray("O") << true << none;
    QTest::newRow("Rec and any two") << QByteArray("Rec??") << QByteArray("OK") << true << none;
    QTest::newRow("Rec alone") << QByteArray("Rec") << QByteArray("OK") << true << none;
    QTest::newRow("no O") << QByteArray("Rec\r\n") << QByteArray("KK") << false << none;
    QTest::newRow("lower-case o") << QByteArray("Rec\r\n") << QByteArray("ok") << false << none;
    QTest::newRow("silent at the end") << QByteArray("Rec\r\n") << QByteArray() << false << none;
    QTest::newRow("lower-case r") << QByteArray("rec\r\n") << QByteArray("OK") << false << notReady;
    QTest::newRow("silent unit") << QByteArray() << QByteArray("OK") << false << notReady;
    QTest::newRow("Rxc") << QByteArray("Rxc\r\n") << QByteArray("OK") << false
                         << QStringList{QStringLiteral("\"Rxc\r\n\"")};
    QTest::newRow("Re then silence") << QByteArray("Re") << QByteArray("OK") << false
                                     << QStringList{QStringLiteral("\"Re\"")};
}

void LoadTest::outcome()
{
    QFETCH(QByteArray, handshake);
    QFETCH(QByteArray, finalAnswer);
    QFETCH(bool, success);
    QFETCH(QStringList, diagnostics);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setHandshake(handshake);
    unit.setFinalAnswer(finalAnswer);
    unit.setRecordLines(3);
    debugCapture log;

    dload dialog(loadSettings(QStringLiteral("f0|f1|")), nullptr, shortWaitMs);
    QVERIFY(completed(dialog));

    QCOMPARE(message(dialog), success ? successText : failureText);
    QCOMPARE(log.lines(), diagnostics);
    QCOMPARE(buttons(dialog)->standardButtons(), QDialogButtonBox::Ok);
    if (!diagnostics.isEmpty()) // a unit that is not ready gets no record
        QCOMPARE(unit.received(), QByteArray("!WR\r\n"));
}

void LoadTest::portFailure()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    QVERIFY(QFile::link(QStringLiteral("/nonexistent/ttyQ9"),
                        serialLink::portMapFolder() + QStringLiteral("/COM9")));
    debugCapture log;
    linkSettings settings = loadSettings(record43());
    settings.port = QStringLiteral("COM9");

    dload dialog(settings, nullptr);
    QVERIFY(completed(dialog));

    QCOMPARE(message(dialog), failureText);
    QCOMPARE(log.lines().value(0), QStringLiteral("unable to open comport"));
}

void LoadTest::lostLineFails_data()
{
    QTest::addColumn<int>("vanishAfter"); // bytes the unit sends before it goes

    QTest::newRow("before the handshake") << 0;
    QTest::newRow("mid-handshake, after Rec") << 3;
    QTest::newRow("after the handshake") << 5;
    QTest::newRow("after the unit's O") << 6;
}

void LoadTest::lostLineFails()
{
    QFETCH(int, vanishAfter);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setVanishAfter(vanishAfter);
    debugCapture log;

    dload dialog(loadSettings(record43()), nullptr);
    QVERIFY(completed(dialog));

    QVERIFY(unit.hasVanished());
    QCOMPARE(message(dialog), failureText);
    QCOMPARE(log.lines().size(), 1);
    QVERIFY2(log.lines().value(0).startsWith(QStringLiteral("comport lost: ")),
             qPrintable(log.lines().join('\n')));
}

void LoadTest::formWhileRunning()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setSilent(true);
    dload dialog(loadSettings(record43()), nullptr);
    dialog.show();
    QVERIFY(unit.waitForReceived(5, 5000));

    QCOMPARE(dialog.windowTitle(), QStringLiteral("Betöltés"));
    QCOMPARE(dialog.size(), QSize(262, 118));
    QCOMPARE(message(dialog), QStringLiteral("Betöltés..."));
    QVERIFY(!buttons(dialog)->isEnabled());
    QCOMPARE(buttons(dialog)->standardButtons(), QDialogButtonBox::Cancel);
    QVERIFY(!dialog.close()); // the title-bar close is ignored
    QVERIFY(dialog.isVisible());
}

void LoadTest::successClosesItself()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    dload dialog(loadSettings(record43()), nullptr);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    QVERIFY(completed(dialog));
    QCOMPARE(accepted.count(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 5000);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void LoadTest::okClosesAfterFailure()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setFinalAnswer("KK");
    dload dialog(loadSettings(record43()), nullptr);
    dialog.show();
    QVERIFY(completed(dialog));
    QTest::mouseClick(buttons(dialog)->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void LoadTest::escapeStopsWorker()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setSilent(true);
    {
        dload dialog(loadSettings(record43()), nullptr);
        dialog.show();
        QVERIFY(unit.waitForReceived(5, 5000)); // the worker waits in its first read
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    } // the destructor stops the worker, which gives the port back

    unit.setSilent(false);
    unit.clearReceived();
    dload again(loadSettings(record43()), nullptr);
    QVERIFY(completed(again));
    QCOMPARE(message(again), successText);
    QCOMPARE(unit.loadsCompleted(), 1);
}

void LoadTest::cancelStopsTheSendingAndKeepsTheOldRecord()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setPaced(true);
    unit.setRememberLoads(true);
    unit.setReadoutReply("old\r\n");
    QString record; // about 3.5 s on the line
    for (int i = 0; i < 43; ++i)
        record += QStringLiteral("field%1|").arg(i, 3, 10, QLatin1Char('0'));
    {
        dload dialog(loadSettings(record), nullptr);
        dialog.show();
        // A second in: 120 bytes on the line.
        QVERIFY2(QTest::qWaitFor([&] { return unit.received().size() >= 120; }, 5000),
                 "the record never started");
        // The bar counts a character and a line end a step each; the line
        // carries the line end as two bytes, the load command as five.
        const int barSteps = dialog.findChild<QProgressBar *>()->value() - 10;
        QVERIFY2(barSteps <= unit.received().size() - 5 + 12, "the progress ran ahead of the line");
        QTest::keyClick(&dialog, Qt::Key_Escape);
    } // the worker is stopped and gives the port back
    const int atCancel = int(unit.received().size());
    QVERIFY2(!unit.waitForReceived(atCancel + 3, 1000), "bytes kept reaching the unit after the cancel");
    QVERIFY(unit.received().count('\n') < 44);
    QCOMPARE(unit.loadsCompleted(), 0);

    // The unit gives up the partial record and answers commands again.
    QVERIFY2(unit.waitForCommandPhase(5000), "the unit never gave up the partial record");
    const deviceExchange::Reply reply = deviceExchange(QStringLiteral("COM3")).readout();
    QCOMPARE(reply.outcome, deviceExchange::Received);
    QCOMPARE(reply.text, QStringLiteral("old"));
    unit.setPaced(false);
    dload again(loadSettings(record), nullptr);
    QVERIFY(completed(again));
    QCOMPARE(message(again), successText);
    QCOMPARE(unit.loadsCompleted(), 1);
}

void LoadTest::loadedRecordReadsBack()
{
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setRememberLoads(true);
    unit.setRecordLines(5);
    dload dialog(loadSettings(QStringLiteral("+3630|+5|-3|x+|")), nullptr);
    QVERIFY(completed(dialog));
    QCOMPARE(message(dialog), successText);

    // A unit gives a field's leading '+' back in the first field only.
    const deviceExchange::Reply reply = deviceExchange(QStringLiteral("COM3")).readout();
    QCOMPARE(reply.outcome, deviceExchange::Received);
    QCOMPARE(reply.text, QStringLiteral("+3630|5|-3|x+"));
}

QTEST_MAIN(LoadTest)
#include "test_load.moc"
