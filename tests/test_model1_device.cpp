#include "debugcapture.h"
#include "formwidgets.h"
#include "mainwindow.h"
#include "modal.h"
#include "regulatormode.h"
#include "simunit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString port = QStringLiteral("COM3");
const QString loaded = QStringLiteral("Sikeres betöltés.");
const QString loadFailed = QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.");

// Every line edit filled with a valid value: limits 20 and 21, t1 and t2 set.
void fillForm(MainWindow &window)
{
    for (QLineEdit *edit : window.centralWidget()->findChildren<QLineEdit *>())
        edit->setText(edit->objectName().left(4));
    const QList<QPair<const char *, const char *>> values = {
        {"smskp", "36309888000"}, {"h1_low", "20"}, {"h1_high", "21"}, {"t1", "3630111"},
        {"t2", "3630222"}, {"t3", ""}, {"t4", ""}, {"t5", ""}, {"t6", ""}, {"t7", ""}, {"t8", ""}};
    for (const auto &value : values)
        window.findChild<QLineEdit *>(value.first)->setText(QString::fromLatin1(value.second));
    window.findChild<QCheckBox *>("checkBox")->setChecked(true);
}

// Every field the user can edit at its full length, as the input checks let
// it through; the fixed fields keep their texts.
void fillLongest(MainWindow &window)
{
    for (QLineEdit *edit : window.centralWidget()->findChildren<QLineEdit *>()) {
        if (edit->isEnabled())
            edit->setText(QString(edit->maxLength(), QLatin1Char('W')));
    }
    const QList<QPair<const char *, const char *>> values = {
        {"smskp", "3630988800012345"}, {"m_pin", "9999"}, {"m_id", "9999"}, {"visszaallas", "1"},
        {"rele_time", "9999"}, {"h1_low", "-050"}, {"h1_high", "+120"}, {"h2_high", "+120"},
        {"max_sms", "99"}};
    for (const auto &value : values)
        window.findChild<QLineEdit *>(value.first)->setText(QString::fromLatin1(value.second));
    for (int k = 1; k <= 8; ++k)
        window.findChild<QLineEdit *>(QStringLiteral("t%1").arg(k))->setText(QStringLiteral("+3630123456789"));
}

// Runs the load and leaves its dialog once its message is no longer the
// start text; gives back that message (empty: it never changed).
QString loadMessage(MainWindow &window, int waitMs = 5000)
{
    QString message;
    answerNextDialog([&](QDialog *dialog) {
        auto *label = dialog->findChild<QLabel *>("kiiras");
        const bool changed =
            QTest::qWaitFor([&] { return label->text() != QStringLiteral("Downloading..."); }, waitMs);
        message = changed ? label->text() : QString();
        dialog->reject();
    });
    closingBoxes([&] { window.download(); });
    return message;
}

// The record lines the unit received after the load command.
QStringList receivedRecord(const simUnit &unit)
{
    QStringList lines = QString::fromLatin1(unit.received().mid(5)).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

// Runs a read-out or verify slot and ends its dialog as the user would once
// the outcome shows: Ok after the message changed. Gives back the message
// (empty: it never changed from startText).
QString transferMessage(const std::function<void()> &slot, const QString &startText)
{
    QString message;
    answerNextDialog([&](QDialog *dialog) {
        auto *label = dialog->findChild<QLabel *>("msg");
        const bool changed = QTest::qWaitFor([&] { return label->text() != startText; }, 4000);
        message = changed ? label->text() : QString();
        dialog->accept();
    });
    closingBoxes(slot);
    return message;
}

// A read-out reply of the thermostat form: every line edit's text as the
// form holds it, each phone number followed by its mode letter.
QByteArray readoutReply(const QStringList &plain, const QString &stopWord)
{
    QStringList lines = plain;
    for (int phone = 0; phone < 8; ++phone)
        lines << QStringLiteral("0") << QStringLiteral("P");
    lines << stopWord;
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

QStringList plainFields(const QString &mode)
{
    QStringList fields;
    for (int i = 0; i < 26; ++i)
        fields << QStringLiteral("v%1").arg(i);
    fields[0] = QStringLiteral("36209300099");
    fields[20] = mode;
    fields[25] = QStringLiteral("99");
    return fields;
}

QString styleOf(const MainWindow &window, const char *name)
{
    return window.findChild<QWidget *>(name)->styleSheet();
}

} // namespace

class Model1DeviceTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void recordCarriesRegulatorMode_data();
    void recordCarriesRegulatorMode();
    void thermometerRule_data();
    void thermometerRule();
    void emptyFieldRefused();
    void loadWaitFollowsTimeoutSetting();
    void loadAtLinePace_data();
    void loadAtLinePace();
    void statusFillsThePanel_data();
    void statusFillsThePanel();
    void statusWithTooFewItems();
    void statusAfterACancelledReadout();
    void readoutSetsRegulatorAndPreset_data();
    void readoutSetsRegulatorAndPreset();
    void failedReadoutChangesNothing_data();
    void failedReadoutChangesNothing();
    void loadThenVerify_data();
    void loadThenVerify();

private:
    std::unique_ptr<simUnit> unit;
    std::unique_ptr<MainWindow> window;
};

void Model1DeviceTest::init()
{
    isolateSettings();
    unit = std::make_unique<simUnit>();
    QVERIFY(unit->isRunning());
    QVERIFY(unit->mapAs(port));
    window = std::make_unique<MainWindow>();
    window->currentSettings().port = port;
}

void Model1DeviceTest::cleanup()
{
    window.reset();
    unit.reset();
}

void Model1DeviceTest::recordCarriesRegulatorMode_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("mode");

    QTest::newRow("cooling") << "r2" << "-";
    QTest::newRow("heating") << "r1" << "+";
    QTest::newRow("off") << "r0" << "0";
}

void Model1DeviceTest::recordCarriesRegulatorMode()
{
    QFETCH(QString, button);
    QFETCH(QString, mode);

    fillForm(*window);
    window->findChild<QLineEdit *>("be2_nev")->setText(QStringLiteral("B"));
    window->findChild<QRadioButton *>(button)->setChecked(true);
    QCOMPARE(loadMessage(*window), loaded);

    const QStringList lines = receivedRecord(*unit);
    QCOMPARE(lines.size(), 44);
    QCOMPARE(lines.at(6), QStringLiteral("A"));
    QCOMPARE(lines.at(20), mode);
    QCOMPARE(lines.at(26), QStringLiteral("3630111"));
    QCOMPARE(lines.at(27), QStringLiteral("D"));
    QCOMPARE(lines.at(30), QStringLiteral("0"));
    QCOMPARE(lines.at(43), QString());
    QCOMPARE(window->findChild<QLineEdit *>("rb")->text(), mode);
    QCOMPARE(window->findChild<QLineEdit *>("be2_nev")->text(), QStringLiteral("A"));
}

void Model1DeviceTest::thermometerRule_data()
{
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("20 below 21") << "20" << "21" << true;
    QTest::newRow("20 equal to 20") << "20" << "20" << false;
    QTest::newRow("21 above 20") << "21" << "20" << false;
}

void Model1DeviceTest::thermometerRule()
{
    QFETCH(QString, low);
    QFETCH(QString, high);
    QFETCH(bool, accepted);

    fillForm(*window);
    window->findChild<QLineEdit *>("h1_low")->setText(low);
    window->findChild<QLineEdit *>("h1_high")->setText(high);
    if (accepted) {
        QCOMPARE(loadMessage(*window), loaded);
        QCOMPARE(unit->loadsCompleted(), 1);
        return;
    }
    const QList<BoxSeen> seen = closingBoxes([&] { window->download(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).title, QStringLiteral("Download error."));
    QCOMPARE(seen.at(0).text,
             QStringLiteral("A hőmérő alacsony értékének kisebbnek kell lennie, mint a magas hőfok értéke."));
    QCOMPARE(window->findChild<QLineEdit *>("h1_low")->text(), QString());
    QCOMPARE(window->findChild<QLineEdit *>("h1_high")->text(), QString());
    QCOMPARE(window->currentSettings().frameText, QString());
    QVERIFY(unit->received().isEmpty());
}

void Model1DeviceTest::emptyFieldRefused()
{
    fillForm(*window);
    window->findChild<QLineEdit *>("h2_hist")->clear();
    const QList<BoxSeen> seen = closingBoxes([&] { window->download(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).icon, int(QMessageBox::Critical));
    QCOMPARE(seen.at(0).text, QStringLiteral("Az összes mező kitöltése kötelező."));
    QCOMPARE(window->findChild<QLineEdit *>("h1_low")->text(), QStringLiteral("20"));
    QVERIFY(unit->received().isEmpty());
}

void Model1DeviceTest::loadWaitFollowsTimeoutSetting()
{
    // Far below the model-2 load's 20 s wait: the setting decides.
    unit->setHandshake(QByteArray());
    window->currentSettings().timeout = 300;
    fillForm(*window);
    debugCapture debug;
    QCOMPARE(loadMessage(*window, 3000), loadFailed);
    QVERIFY(debug.lines().contains(QStringLiteral("not ready or wrong com.")));
}

void Model1DeviceTest::loadAtLinePace_data()
{
    QTest::addColumn<bool>("longest");
    QTest::addColumn<int>("answerDelayMs"); // after the record's last byte is off the line
    QTest::addColumn<QString>("message");

    // The unit's answer is awaited 1500 ms (the timeout setting) from the last byte on the line.
    QTest::newRow("longest record") << true << 0 << loaded;
    QTest::newRow("answer after 1.2 s") << false << 1200 << loaded;
    QTest::newRow("answer after 1.9 s") << false << 1900 << loadFailed;
}

void Model1DeviceTest::loadAtLinePace()
{
    QFETCH(bool, longest);
    QFETCH(int, answerDelayMs);
    QFETCH(QString, message);

    unit->setPaced(true);
    unit->setAnswerDelay(answerDelayMs);
    if (longest) {
        fillLongest(*window);
        QVERIFY(closingBoxes([&] { window->input_check(); }).isEmpty());
    } else {
        fillForm(*window);
    }
    QCOMPARE(loadMessage(*window, 15000), message);
    QCOMPARE(unit->loadsCompleted(), 1);
    const QStringList lines = receivedRecord(*unit);
    QCOMPARE(lines.size(), 44);
    if (longest)
        QCOMPARE(lines.at(40), QStringLiteral("+3630123456789"));
}

void Model1DeviceTest::statusFillsThePanel_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("regulatorSheet");
    QTest::addColumn<QString>("temperature");

    QTest::newRow("regulator on") << QByteArray("\"Telekom HU\" 00001 00010 001 T:+21.5C 00001 0 23,77\r\n")
                                  << "background-color: rgb(255, 0, 0);" << "+21.5";
    QTest::newRow("regulator off") << QByteArray("\"Telekom HU\" 00001 00010 000 T:-4C 00001 0 23,77\r\n")
                                   << "background-color: rgb(180, 180, 180);" << "-4";
}

void Model1DeviceTest::statusFillsThePanel()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, regulatorSheet);
    QFETCH(QString, temperature);

    unit->setStatusReply(reply);
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(unit->received(), QByteArray("!??\r\n"));
    QCOMPARE(window->findChild<QLabel *>("l_service")->text(), QStringLiteral("\"Telekom HU\""));
    QCOMPARE(styleOf(*window, "w_sz_ki"), regulatorSheet);
    QCOMPARE(window->findChild<QLabel *>("l_temp")->text(), temperature);
    QCOMPARE(styleOf(*window, "w_be1"), QStringLiteral("background-color: rgb(0, 170, 255);"));
    QCOMPARE(styleOf(*window, "w_ki2"), QStringLiteral("background-color: rgb(255, 170, 0);"));
    QCOMPARE(styleOf(*window, "w_tp"), QStringLiteral("background-color: rgb(0, 170, 0);"));
    QCOMPARE(window->findChild<QProgressBar *>("terero")->value(), 23);
    QVERIFY(window->findChild<QPushButton *>("allapot_gomb")->isEnabled());
}

void Model1DeviceTest::statusWithTooFewItems()
{
    unit->setStatusReply("\"Op\" 00011 00011 001 T:20C 00001\r\n");
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).title, QStringLiteral("Hiba"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Sikertelen lekérdezés.\nEllenőrizze az eszközt!"));
    QCOMPARE(styleOf(*window, "w_sz_ki"), QStringLiteral("background-color: rgb(180, 180, 180);"));
    QCOMPARE(window->findChild<QLabel *>("l_temp")->text(), QStringLiteral("---"));
}

void Model1DeviceTest::statusAfterACancelledReadout()
{
    // The unit goes on sending the read-out for seconds after the cancel;
    // the status query at once must not take that rest for its reply.
    unit->setPaced(true);
    unit->setReadoutReply(readoutReply(plainFields(QStringLiteral("-")), QStringLiteral("STOP")));
    unit->setStatusReply("\"Telekom HU\" 00001 00010 001 T:+21.5C 00001 0 23,77\r\n");
    window->currentSettings().timeout = 300;
    bool cancelled = false;
    answerNextDialog([&](QDialog *dialog) {
        cancelled = unit->waitForReceived(5, 5000);
        dialog->reject();
    });
    closingBoxes([&] { window->readup(); });
    QVERIFY2(cancelled, "the read-out never reached the unit");
    const QList<BoxSeen> seen = closingBoxes([&] { window->allapot(); }, 20000);
    QVERIFY2(seen.isEmpty(), qPrintable(seen.value(0).text));
    QCOMPARE(unit->received(), QByteArray("!Rd\r\n!??\r\n"));
    QCOMPARE(window->findChild<QLabel *>("l_service")->text(), QStringLiteral("\"Telekom HU\""));
    QCOMPARE(styleOf(*window, "w_be1"), QStringLiteral("background-color: rgb(0, 170, 255);"));
    QCOMPARE(styleOf(*window, "w_sz_ki"), QStringLiteral("background-color: rgb(255, 0, 0);"));
    QCOMPARE(window->findChild<QLabel *>("l_temp")->text(), QStringLiteral("+21.5"));
}

void Model1DeviceTest::readoutSetsRegulatorAndPreset_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("shown"); // in rb afterwards

    QTest::newRow("cooling") << "-" << "r0" << "r2" << "-";
    QTest::newRow("heating") << "+" << "r0" << "r1" << "+";
    QTest::newRow("off") << "0" << "r2" << "r0" << "0";
    // The unit drops the "+" of heating: later fields keep their place.
    QTest::newRow("heating as the unit returns it") << "" << "r0" << "r1" << "+";
    // Not cooling: an empty button name would find the first button, cooling.
    QTest::newRow("unknown character") << "x" << "r1" << "r1" << "x";
}

void Model1DeviceTest::readoutSetsRegulatorAndPreset()
{
    QFETCH(QString, mode);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, shown);

    window->findChild<QRadioButton *>(before)->setChecked(true);
    unit->setReadoutReply(readoutReply(plainFields(mode), QStringLiteral("STOP")));
    const QString message = transferMessage([&] { window->readup(); }, QStringLiteral("Uploading..."));
    QCOMPARE(message, QStringLiteral("Sikeres kiolvasás."));

    QCOMPARE(window->findChild<QLineEdit *>("rb")->text(), shown);
    QCOMPARE(window->findChild<QLineEdit *>("h2_hist")->text(), QStringLiteral("v21"));
    QCOMPARE(window->findChild<QLineEdit *>("max_sms")->text(), QStringLiteral("99"));
    QCOMPARE(window->findChild<QLineEdit *>("riaszto_stop")->text(), QStringLiteral("STOP"));
    QVERIFY2(window->findChild<QRadioButton *>(after)->isChecked(), qPrintable(after + " is not checked"));
    QCOMPARE(window->findChild<QComboBox *>("smskp_combo")->currentIndex(), 1);
}

void Model1DeviceTest::failedReadoutChangesNothing_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("vanishAfter"); // bytes; -1: never
    QTest::addColumn<bool>("cancel");
    const QByteArray reply = readoutReply(plainFields(QStringLiteral("-")), QStringLiteral("STOP"));
    QTest::newRow("cancelled") << reply << -1 << true;
    QTest::newRow("line lost") << reply << 40 << false;
    QTest::newRow("cut inside its last line") << reply.chopped(2) << -1 << false;
}

void Model1DeviceTest::failedReadoutChangesNothing()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, vanishAfter);
    QFETCH(bool, cancel);
    // Heating checked while rb and smskp hold what the buttons and the preset do not show.
    fillForm(*window);
    window->findChild<QRadioButton *>("r1")->setChecked(true);
    window->findChild<QLineEdit *>("rb")->setText(QStringLiteral("0"));
    window->findChild<QLineEdit *>("smskp")->setText(QStringLiteral("36209300099"));
    const formValues before = formWidgets::values(window->centralWidget());
    unit->setPaced(true); // a cancel then comes while the unit still sends
    unit->setReadoutReply(reply);
    unit->setVanishAfter(vanishAfter);

    bool ended = false;
    if (cancel) {
        answerNextDialog([&](QDialog *dialog) {
            ended = unit->waitForReceived(5, 5000);
            dialog->reject();
        });
        closingBoxes([&] { window->readup(); });
    } else {
        const QString message = transferMessage([&] { window->readup(); }, QStringLiteral("Uploading..."));
        ended = message.startsWith(QStringLiteral("Kiolvasás hiba."));
    }
    QVERIFY2(ended, cancel ? "the read-out never reached the unit" : "the read-out did not fail");
    const formValues after = formWidgets::values(window->centralWidget());
    QCOMPARE(after.texts, before.texts);
    QCOMPARE(after.flags, before.flags); // the check box, then the regulator's radio buttons
    QCOMPARE(window->findChild<QComboBox *>("smskp_combo")->currentIndex(), 0);
}

void Model1DeviceTest::loadThenVerify_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("changeAfterLoad");
    QTest::addColumn<bool>("trailingSpaces"); // in the unit name and the stop word
    QTest::addColumn<QString>("message");

    const QString equal = QStringLiteral("Sikeres ellenőrzés.");
    const QString differs = QStringLiteral("Hiba az ellenőrzés közben.\nEllenőrizze az eszközt.");
    QTest::newRow("cooling") << "r2" << false << false << equal;
    QTest::newRow("heating") << "r1" << false << false << equal;
    QTest::newRow("off") << "r0" << false << false << equal;
    QTest::newRow("mode changed after the load") << "r2" << true << false << differs;
    QTest::newRow("trailing spaces, which the reply drops") << "r1" << false << true << equal;
}

void Model1DeviceTest::loadThenVerify()
{
    QFETCH(QString, button);
    QFETCH(bool, changeAfterLoad);
    QFETCH(bool, trailingSpaces);
    QFETCH(QString, message);

    unit->setRememberLoads(true);
    fillForm(*window);
    window->findChild<QRadioButton *>(button)->setChecked(true);
    window->findChild<QLineEdit *>("h1_low")->setText(QStringLiteral("+20"));
    if (trailingSpaces) {
        for (const char *name : {"m_nev", "riaszto_stop"})
            window->findChild<QLineEdit *>(name)->setText(QStringLiteral("%1  ").arg(QLatin1String(name)));
    }
    QCOMPARE(loadMessage(*window), loaded);
    if (changeAfterLoad)
        window->findChild<QRadioButton *>("r0")->setChecked(true);

    const debugCapture debug;
    QCOMPARE(transferMessage([&] { window->verify_func(); }, QStringLiteral("Verifying...")), message);
    QCOMPARE(window->findChild<QLineEdit *>("rb")->text(),
             regulatorMode::ofButton(changeAfterLoad ? QStringLiteral("r0") : button));
    QCOMPARE(debug.lines().filter(QRegularExpression(QStringLiteral("^o:"))).size(), changeAfterLoad ? 1 : 0);
}

QTEST_MAIN(Model1DeviceTest)
#include "test_model1_device.moc"
